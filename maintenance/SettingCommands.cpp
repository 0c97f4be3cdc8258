#include "maintenance/SettingCommands.h"

#include "link/Comm.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace setting {

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(values.size()));
    for (int v : values)
        out.append(static_cast<char>(v & 0xFF));
    return out;
}

}  // namespace

QByteArray SettingQuery(std::uint8_t item)
{
    return bytes({0x1B, 0x1C, 0x3F, item});
}

QByteArray SettingLock(bool locked, std::uint8_t item)
{
    return bytes({0x1B, 0x1C, 0x1F, locked ? 1 : 0, item});
}

QByteArray LockStatusQuery()
{
    return bytes({0x1B, 0x1C, 0x2F});
}

std::optional<std::uint8_t> LockByte(const char* reply, int length)
{
    if (!reply || length < 4)
        return std::nullopt;
    const auto high = static_cast<std::uint8_t>(reply[2]) & 0x0F;
    const auto low = static_cast<std::uint8_t>(reply[3]) & 0x0F;
    return static_cast<std::uint8_t>(high << 4 | low);
}

QByteArray ParameterQuery(std::uint8_t item)
{
    return bytes({0x1B, 0x19, 0x1A, item});
}

QByteArray ParameterSet(std::uint8_t item, int value)
{
    if (item == ParamPowerOffTime)
        return bytes({0x1B, 0x19, 0x19, item, value & 0xFF, (value >> 8) & 0xFF});
    return bytes({0x1B, 0x19, 0x19, item, value});
}

QByteArray EmulationSwitch(char emulation)
{
    return bytes({0x1B, 0xAF, 'P', 'E', 'S', emulation});
}

QByteArray LanguageProbe()
{
    return bytes({0x1B, 0xAF, 'P', 'E', 'G'});
}

QString EmulationLanguage(char emulation)
{
    switch (emulation) {
    case kEmulationDovra:
        return QStringLiteral("Dovra");
    case kEmulationOstrel:
        return QStringLiteral("Ostrel");
    case kEmulationKeft:
        return QStringLiteral("KEFT");
    default:
        return {};
    }
}

QString ProbeReplyLanguage(const char* reply, int length)
{
    const QByteArray text = ReplyText(reply, length);
    return text.size() == 1 ? EmulationLanguage(text[0]) : QString();
}

int ReadReply(char* buffer, int size)
{
    return std::clamp(g_comm.Read(buffer, size), 0, std::max(size, 0));
}

QByteArray ReplyText(const char* reply, int length)
{
    if (!reply || length <= 0)
        return {};
    const void* zero = std::memchr(reply, '\0', static_cast<std::size_t>(length));
    const auto size = zero ? static_cast<const char*>(zero) - reply : length;
    return QByteArray(reply, size);
}

int DecimalReply(const char* reply, int length)
{
    const QByteArray text = ReplyText(reply, length);
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

bool LetterReply(const char* reply, int length, const char* letter)
{
    return letter && ReplyText(reply, length) == QByteArray(letter);
}

std::optional<int> LetterChoice(const char* reply, int length,
                                std::initializer_list<LetterCode> codes)
{
    const QByteArray text = ReplyText(reply, length);
    for (const LetterCode& code : codes) {
        if (code.letter && text == QByteArray(code.letter))
            return code.position;
    }
    return std::nullopt;
}

QString PageSaveTrailer(const QString& language)
{
    if (language == QLatin1String("Dovra") || language == QLatin1String("KEFT"))
        return QStringLiteral("^XA\r\n^JUS\r\n^XZ\r\n");
    return QString::fromLatin1(kSaveTrailer);
}

}  // namespace setting
