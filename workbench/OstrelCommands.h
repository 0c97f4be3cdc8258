#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Ostrel command lines as the workbench's builders yield them. Units are fixed at 25.4 mm
// per inch and 8 dots per mm, whatever the printer's resolution.
namespace ostrel {

// 25.4 as the builders hold it: single precision (25.399999618530273).
inline constexpr float kMmPerInch = 25.4f;
inline constexpr double kDotsPerMm = 8.0;

// Unit codes of the label-setting builder.
enum LabelUnit { UnitInch = 0, UnitMm = 1, UnitDots = 2 };

// A position or size held as a float, truncated toward zero as a command takes it; NaN
// gives 0 and values beyond the int range give its ends.
int TruncateToDots(float value);

// A label value in dots: the product from the single-precision value and constant, rounded
// to single precision, then truncated toward zero. Values beyond the int range saturate.
int LabelDots(float value, int unit);
// A label value moved from one unit to another, stored back as a float.
float ConvertLabelValue(float value, int fromUnit, int toUnit);

// The unit converter's six conversions (0 inch to mm ... 5 mm to dots); nullopt for a code
// outside them.
std::optional<float> ConvertUnitValue(float value, int conversion);

struct PrintingSettingValues {
    bool applySpeed = false;
    int speed = 0;         // 0-4: 2.5, 3.0, 4.0, 5.0, 6.0 ips
    bool applyDensity = false;
    int density = 0;       // 0-20
    bool applyDirection = false;
    int direction = 0;     // 0 top, 1 bottom
};
QStringList PrintingSettingLines(const PrintingSettingValues& values);
// The settings test label, every line ended by "\r".
QString PrintingSettingTestLabel(const PrintingSettingValues& values);

struct LabelSettingValues {
    int unit = UnitInch;
    bool applyWidth = false;
    float width = 0;
    bool applyLength = false;
    float length = 0;
    int media = 0;  // 0 gap, 1 continuous, 2 black mark
    bool applyMargin = false;
    float xMargin = 0;
    float yMargin = 0;
};
QStringList LabelSettingLines(const LabelSettingValues& values);

QString CopiesLine(int first, int second);

// The type letters of the line-and-box command, in list order.
QStringList BlockDrawTypes();
// "BD" with the coordinates truncated toward zero; the option only for "S" and "B".
QString BlockDrawLine(float startX, float startY, float endX, float endY, const QString& type,
                      int option);

// A builder's line as a job printed at once.
QString TestPrintJob(const QString& line);

}  // namespace ostrel
