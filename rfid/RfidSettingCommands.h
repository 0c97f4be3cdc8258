#pragma once

#include <QByteArray>
#include <QString>

// The RFID encoder's settings as the configuration window sends and reads them.
namespace rfid {

inline constexpr int kTagTypeGen2 = 0;
inline constexpr int kTagTypeIsoB = 1;
inline constexpr int kPowerEntries = 31;  // values 1 to 31
inline constexpr int kRetryEntries = 11;  // 0 to 10
inline constexpr int kLabelEntries = 6;   // 0 to 5
inline constexpr int kSettingQueries = 5;
inline constexpr int kSettingReplyBytes = 16;

struct EncoderSettings {
    int tagType = -1;     // list position; -1 none
    int powerIndex = -1;  // the power value is the position + 1
    QString position;     // the transponder position, as typed
    int retry = -1;
    int labels = -1;
};

// The defaults "Default Setting" shows.
EncoderSettings DefaultEncoderSettings();

// ">RFS," with the tag type code, retries, labels and power, then ">RFTP," and the
// position, each ended by "\r".
QString EncoderSettingsCommand(const EncoderSettings& settings);
// ">RFI,n\r" for n = 1 (tag type) to 5 (labels).
QString EncoderSettingQuery(int n);
inline QString AutoCalibrationCommand() { return QStringLiteral(">RFCP\r"); }

// Applies the reply to query `n` (its first `length` bytes up to a zero byte) to
// `settings`.
void ApplyEncoderSettingReply(int n, const char* reply, int length, EncoderSettings& settings);

}  // namespace rfid
