#include "maintenance/ZplSettingTexts.h"

#include "workbench/OstrelCommands.h"

namespace zplsetting {

namespace {

bool isDovraOrKeft(const QString& language)
{
    return language == QLatin1String("Dovra") || language == QLatin1String("KEFT");
}

// Field values in dots are truncated toward zero, saturating at the int range.
int dots(float value)
{
    return ostrel::LabelDots(value, ostrel::UnitDots);
}

}  // namespace

QStringList DarknessEntries(const QString& language)
{
    const bool fromZero = language == QLatin1String("Ostrel") || language == QLatin1String("KEFT");
    QStringList entries;
    for (int position = 0; position < kDarknessPositions; ++position)
        entries << QString::number(fromZero ? position : position - 15);
    return entries;
}

QString BasicSettingText(const BasicSettings& s, const QString& language, int family)
{
    if (!s.anyChecked())
        return {};
    QStringList lines;
    if (s.darkness && s.darknessPosition >= 0)
        lines << QStringLiteral("~SD%1").arg(s.darknessPosition, 2, 10, QLatin1Char('0'));
    if (s.tearOff)
        lines << QStringLiteral("~TA%1").arg(s.tearOffDots);
    lines << QStringLiteral("^XA");
    if (s.width)
        lines << QStringLiteral("^PW%1").arg(dots(s.labelWidth));
    if (s.height)
        lines << QStringLiteral("^LL%1").arg(dots(s.labelHeight));
    if (s.orientation && family != kFamilyParameterOrientation)
        lines << (s.orientationPosition == 1 ? QStringLiteral("^POI") : QStringLiteral("^PON"));
    if (s.speed && !s.speedEntry.isEmpty()) {
        const QByteArray entry = s.speedEntry.toLatin1();
        const int speed = setting::DecimalReply(entry.constData(), int(entry.size()));
        lines << (isDovraOrKeft(language) ? QStringLiteral("^PR%1").arg(speed)
                                          : QStringLiteral("^PR%1,%1").arg(speed));
    }
    if (s.printMode && (s.printModePosition == 0 || s.printModePosition == 1))
        lines << (s.printModePosition == 0 ? QStringLiteral("^MTT") : QStringLiteral("^MTD"));
    if (s.mediaType) {
        static const char* const kCodes[] = {"^MNY", "^MNN", "^MNM"};
        if (s.mediaTypePosition >= 0 && s.mediaTypePosition < 3)
            lines << QString::fromLatin1(kCodes[s.mediaTypePosition]);
    }
    if (s.printOffset)
        lines << QStringLiteral("^LT%1").arg(s.printOffsetDots);
    lines << QStringLiteral("^XZ");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") +
           setting::PageSaveTrailer(language);
}

std::optional<int> OrientationReply(const char* reply, int length)
{
    return setting::LetterChoice(reply, length, {{"T", 0}, {"B", 1}});
}

std::optional<int> OrientationParameter(const char* reply, int length)
{
    if (!reply || length < 1)
        return std::nullopt;
    if (reply[0] == 0 || reply[0] == 1)
        return reply[0];
    return std::nullopt;
}

std::optional<int> DarknessReply(const char* reply, int length)
{
    const int value = setting::DecimalReply(reply, length);
    if (value < 0 || value >= kDarknessPositions)
        return std::nullopt;
    return value;
}

std::optional<int> PrintModeReply(const char* reply, int length)
{
    return setting::LetterChoice(reply, length, {{"T", 0}, {"D", 1}});
}

std::optional<int> MediaTypeReply(const char* reply, int length)
{
    return setting::LetterChoice(reply, length, {{"W", 0}, {"G", 0}, {"C", 1}, {"M", 2}});
}

QString AdvancedSettingText(const AdvancedSettings& s, const QString& language)
{
    static const char* const kHandling[] = {"^MMT,N", "^MMP,N", "^MMC,N"};
    static const char* const kFeed[] = {"^MFF,F", "^MFC,C", "^MFL,L", "^MFN,N"};
    QStringList lines{QStringLiteral("^XA")};
    if (s.mediaHandling && s.mediaHandlingPosition >= 0 && s.mediaHandlingPosition < 3)
        lines << QString::fromLatin1(kHandling[s.mediaHandlingPosition]);
    if (s.mediaFeed) {
        const bool known = s.mediaFeedPosition >= 0 && s.mediaFeedPosition < 4;
        lines << QString::fromLatin1(kFeed[known ? s.mediaFeedPosition : 3]);
    }
    if (s.mirrorBox)
        lines << (s.mirror ? QStringLiteral("^PMY") : QStringLiteral("^PMN"));
    lines << QStringLiteral("^XZ");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") +
           setting::PageSaveTrailer(language);
}

std::optional<int> MediaHandlingReply(const char* reply, int length)
{
    return setting::LetterChoice(reply, length, {{"T", 0}, {"P", 1}, {"C", 2}});
}

std::optional<int> MediaFeedReply(const char* reply, int length)
{
    return setting::LetterChoice(reply, length, {{"F", 0}, {"C", 1}, {"L", 2}, {"N", 3}});
}

}  // namespace zplsetting
