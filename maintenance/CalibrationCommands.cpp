#include "maintenance/CalibrationCommands.h"

#include <QString>
#include <algorithm>

namespace calibration {

namespace {

// The first k from `from` down to `to` with the property, else `fallback`.
template <class P>
int scanDown(int from, int to, int fallback, P property)
{
    for (int k = from; k >= to; --k) {
        if (property(k))
            return k;
    }
    return fallback;
}

// The lowest k from `from` up to `to` with the property, else `fallback`.
template <class P>
int scanUp(int from, int to, int fallback, P property)
{
    for (int k = from; k <= to; ++k) {
        if (property(k))
            return k;
    }
    return fallback;
}

Analysis gapAnalysis(const Counts& c)
{
    const int s = scanUp(0, 31, 31, [&](int k) { return c[k] > 0; });
    const int a = scanUp(s, 31, 31, [&](int k) { return c[k] > 100; });
    const int b = scanUp(a, 30, 31, [&](int k) { return c[k] > c[k + 1]; });
    int minor = 0;
    int edge = 31;
    if (b != 31) {
        const int e = scanDown(31, b + 1, b + 1, [&](int k) { return c[k] > 0; });
        minor = scanDown(e, b + 1, b + 1, [&](int k) { return c[k] > c[k - 1]; });
        edge = b;
        const int steep = scanDown(minor, b + 1, -1, [&](int k) {
            return c[k] > 0 && c[k - 1] > 0 && 4LL * c[k] < c[k - 1];
        });
        if (steep >= 0)
            edge = steep - 1;
    }
    const int mid = (edge + minor) / 2;
    const int main = edge > s ? scanDown(edge, s + 1, s + 1, [&](int k) { return c[k] > c[k - 1]; })
                              : edge;
    Analysis r;
    r.lowBin = main;
    r.highBin = minor;
    r.firstEnabled = mid;
    r.lastEnabled = minor - 1;
    r.selected = (mid + minor) / 2;
    return r;
}

Analysis blackMarkAnalysis(const Counts& c)
{
    const int t = scanDown(31, 0, 0, [&](int k) { return c[k] > 0; });
    int v = 0;
    if (t > 0) {
        const int u = scanDown(t, 1, 1, [&](int k) { return c[k] > 100; });
        v = scanDown(u, 1, 1, [&](int k) { return c[k] > c[k - 1]; });
    }
    int x = 0;
    int edge = 0;
    if (v > 0) {
        const int w = scanUp(0, v - 1, v - 1, [&](int k) { return c[k] > 0; });
        x = scanUp(w, v - 1, v - 1, [&](int k) { return c[k] > c[k + 1]; });
        edge = v;
        const int steep = scanUp(x, v - 1, -1, [&](int k) {
            return c[k] > 0 && c[k + 1] > 0 && 4LL * c[k] < c[k + 1];
        });
        if (steep >= 0)
            edge = steep + 1;
    }
    const int mid = (x + edge) / 2;
    const int main = edge < t ? scanUp(edge, t - 1, t - 1, [&](int k) { return c[k] > c[k + 1]; })
                              : edge;
    Analysis r;
    r.lowBin = x;
    r.highBin = main;
    r.firstEnabled = x + 1;
    r.lastEnabled = mid;
    r.selected = (mid + x) / 2;
    return r;
}

}  // namespace

QChar CommandPrefix(int menuMode)
{
    return menuMode == 0 ? u'^' : u'*';
}

QString SensingRequest(QChar prefix, int dots, int sensingType)
{
    return QStringLiteral("%1MXd,%2,%3\r")
        .arg(prefix)
        .arg(dots)
        .arg(QChar(sensingType == kSensingGap ? u'G' : u'B'));
}

QString SaveCommand(QChar prefix, int middleGapValue, int gapCount)
{
    return QStringLiteral("%1MXs,%2,%3\r").arg(prefix).arg(middleGapValue).arg(gapCount);
}

QString CancelCommand(QChar prefix)
{
    return QStringLiteral("%1MXc\r").arg(prefix);
}

int LabelDots(int labelLengthMm)
{
    return static_cast<int>(labelLengthMm * 8.0);
}

int SensingWaitMs(int dots, bool serial)
{
    return std::max(0, dots) * (serial ? 4 : 6);
}

bool ReadCounts(const char* reply, int length, Counts& counts)
{
    if (!reply || length != kReplyLength)
        return false;
    for (int i = 0; i < kBinCount; ++i) {
        counts[i] = static_cast<unsigned char>(reply[2 * i]) +
                    256 * static_cast<unsigned char>(reply[2 * i + 1]);
    }
    return true;
}

QString CountText(int count)
{
    return QStringLiteral("%1").arg(count, 4, 10, QLatin1Char('0'));
}

Analysis FindThreshold(const Counts& counts, int sensingType)
{
    return sensingType == kSensingGap ? gapAnalysis(counts) : blackMarkAnalysis(counts);
}

int BinValue(int bin, int menuMode)
{
    return (bin + 1) * (menuMode == 0 ? 8 : 32);
}

QString BinCaption(int bin, int menuMode)
{
    if (menuMode == 0)
        return ThreeDigits(BinValue(bin, 0)) + QStringLiteral(" :");
    return QStringLiteral("%1 :").arg(BinValue(bin, 1));
}

int DetailStep(int span)
{
    return 4 * span;
}

int DetailLevelValue(int highBin, int span, int level)
{
    return highBin * 32 + level * DetailStep(span);
}

QString ThreeDigits(int value)
{
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

QString ManualExecuteCommand(QChar prefix, const QString& detectCount, const QString& detectMargin,
                             const QString& labelLength)
{
    return QStringLiteral("%1MA%2,%3,%4\r").arg(prefix).arg(detectCount, detectMargin, labelLength);
}

QString ManualCancelCommand(QChar prefix)
{
    return QStringLiteral("%1MAC\r").arg(prefix);
}

}  // namespace calibration
