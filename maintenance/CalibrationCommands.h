#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// The media-sensor calibration's commands and the analysis of the sensing distribution.
// No widgets: the calibration pages format and decide with these.
namespace calibration {

inline constexpr int kBinCount = 32;
inline constexpr int kReplyLength = 2 * kBinCount;  // 32 counts, 16 bits, low byte first
inline constexpr int kSensingGap = 0;
inline constexpr int kSensingBlackMark = 1;
// A label length beyond this is refused by the page: the check waits 4 or 6 ms per dot.
inline constexpr int kMaxLabelLengthMm = 4000;

using Counts = std::array<int, kBinCount>;

// '*' in menu mode 1, '^' in menu mode 0.
QChar CommandPrefix(int menuMode);

// "*MXd,<dots>,G\r" or ",B\r".
QString SensingRequest(QChar prefix, int dots, int sensingType);
// "*MXs,<value>,<gap count>\r".
QString SaveCommand(QChar prefix, int middleGapValue, int gapCount);
// "*MXc\r".
QString CancelCommand(QChar prefix);

// Label length in millimetres to dots: x 8.0, truncated.
int LabelDots(int labelLengthMm);
// The wait before the reply is read: 4 ms a dot on a serial link, 6 on parallel and USB.
int SensingWaitMs(int dots, bool serial);

// The counts of a reply of exactly kReplyLength bytes; false for any other length.
bool ReadCounts(const char* reply, int length, Counts& counts);
// "%4.4d"
QString CountText(int count);

struct Analysis {
    int lowBin = 0;
    int highBin = 0;
    int firstEnabled = 0;  // enabled bins firstEnabled..lastEnabled; none when first > last
    int lastEnabled = -1;
    int selected = 0;
    int span() const { return highBin - lowBin; }
    bool enabled(int bin) const { return bin >= firstEnabled && bin <= lastEnabled; }
};

// The two populations of the distribution and the proposed level between them.
Analysis FindThreshold(const Counts& counts, int sensingType);

// The middle gap value of a bin: (bin + 1) x 32, or x 8 in menu mode 0.
int BinValue(int bin, int menuMode);
// The bin radio captions: "%d :" of (bin + 1) x 32 in menu mode 1, "%3.3d :" of x 8 else.
QString BinCaption(int bin, int menuMode);

// The fine-adjustment window: levels counted from the high peak's bin, 4 x span apart.
int DetailStep(int span);
int DetailLevelValue(int highBin, int span, int level);
// "%3.3d" with at least three digits.
QString ThreeDigits(int value);

// The manual calibration page's commands.
QString ManualExecuteCommand(QChar prefix, const QString& detectCount, const QString& detectMargin,
                             const QString& labelLength);
QString ManualCancelCommand(QChar prefix);

}  // namespace calibration
