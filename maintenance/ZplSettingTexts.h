#pragma once

#include "maintenance/SettingCommands.h"

#include <QString>
#include <QStringList>
#include <optional>

// The ZPL II texts of the Basic and Advanced pages and the meaning of their replies, with no
// widgets: list positions in, text out; reply in, list position out.
namespace zplsetting {

inline constexpr int kFamilyParameterOrientation = 201;  // orientation through parameter 23

// The darkness list: "0" to "30" for Ostrel and KEFT, "-15" to "15" otherwise; the position
// is the value the printer takes and reports.
QStringList DarknessEntries(const QString& language);
inline constexpr int kDarknessPositions = 31;

// What a Basic-page Set sends: each field's box and value; -1 is a list with no entry chosen.
struct BasicSettings {
    bool width = false;
    float labelWidth = 0;
    bool height = false;
    float labelHeight = 0;
    bool orientation = false;
    int orientationPosition = -1;  // 0 top to bottom, 1 bottom to top
    bool speed = false;
    QString speedEntry;            // the chosen entry's text, empty for none
    bool darkness = false;
    int darknessPosition = -1;
    bool printMode = false;
    int printModePosition = -1;    // 0 transfer, 1 direct
    bool mediaType = false;
    int mediaTypePosition = -1;    // 0 web sensing, 1 continuous, 2 mark sensing
    bool tearOff = false;
    int tearOffDots = 0;
    bool printOffset = false;
    int printOffsetDots = 0;

    bool anyChecked() const
    {
        return width || height || orientation || speed || darkness || printMode || mediaType ||
               tearOff || printOffset;
    }
};

// The Basic page's text, every line ended by CR LF, with the save trailer of the language;
// empty when no field box is checked. A checked speed or darkness with no entry chosen has
// no line. The orientation is part of the text for family 101 only.
QString BasicSettingText(const BasicSettings& settings, const QString& language, int family);

// Basic-page replies: the list position a reply chooses, nullopt for none.
std::optional<int> OrientationReply(const char* reply, int length);   // setting query 03
std::optional<int> OrientationParameter(const char* reply, int length);  // parameter 23
std::optional<int> DarknessReply(const char* reply, int length);      // setting query 06
std::optional<int> PrintModeReply(const char* reply, int length);     // setting query 07
std::optional<int> MediaTypeReply(const char* reply, int length);     // setting query 08

// What an Advanced-page Set sends before the emulation switch.
struct AdvancedSettings {
    bool mediaHandling = false;
    int mediaHandlingPosition = 0;  // 0 tear off, 1 peel off, 2 cutter
    bool mediaFeed = false;
    int mediaFeedPosition = 3;      // 0 feed, 1 calibrate, 2 label length, 3 no feed
    bool mirrorBox = false;
    bool mirror = false;
};
QString AdvancedSettingText(const AdvancedSettings& settings, const QString& language);

std::optional<int> MediaHandlingReply(const char* reply, int length);  // setting query 0C
std::optional<int> MediaFeedReply(const char* reply, int length);      // setting query 0E

}  // namespace zplsetting
