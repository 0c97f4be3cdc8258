#include "maintenance/PrinterPageCommands.h"

#include "maintenance/HardwareInfoCommands.h"

#include <algorithm>

namespace printerpage {

QByteArray UserSetting(int number, int value)
{
    return "^MBU" + QByteArray::number(number) + ',' + QByteArray::number(value) + '\r';
}

QByteArray InitializeAll()
{
    return QByteArray("^MBU\x0f,99\r", 9);
}

QByteArray CheckLabelLength(bool enable)
{
    return enable ? QByteArray("^MBL1") : QByteArray("^MBL0");
}

QString NumericReply(const QByteArray& reply)
{
    const QString text = hwinfo::ReplyText(reply);
    return text.isEmpty() ? QStringLiteral("0") : text;
}

std::uint8_t StrobeByte(int radioIndex)
{
    switch (radioIndex) {
    case 1:
        return 0x40;
    case 2:
        return 0x80;
    default:
        return 0x00;
    }
}

int StrobeIndex(std::uint8_t value)
{
    switch (value) {
    case 0x00:
        return 0;
    case 0x40:
        return 1;
    case 0x80:
        return 2;
    default:
        return -1;
    }
}

std::uint8_t GapDetectByte(int listIndex)
{
    return listIndex == 1 ? 0x20 : 0x00;
}

int GapDetectIndex(std::uint8_t value)
{
    switch (value) {
    case 0x00:
        return 0;
    case 0x20:
        return 1;
    default:
        return -1;
    }
}

std::uint8_t SpeedByte(int listIndex)
{
    return listIndex >= 1 && listIndex <= 6 ? static_cast<std::uint8_t>(listIndex * 0x20) : 0x00;
}

int SpeedIndex(std::uint8_t value)
{
    const int code = (value & 0xE0) / 0x20;
    return code >= 1 && code <= 6 ? code : 0;
}

QByteArray SignedPosition(const char* mnemonic, bool negative, const QByteArray& text, int value)
{
    const QByteArray head = QByteArray(mnemonic) + (negative ? '-' : '+');
    QByteArray command = head + text + "\r\n";
    const bool digitsOnly = std::all_of(text.begin(), text.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly || command.size() > kMaxPositionCommand)
        command = head + QByteArray::number(value) + "\r\n";
    return command;
}

std::optional<SignedValue> SignedReply(const char* reply, int length)
{
    if (!reply || length < 4)
        return std::nullopt;
    for (int i = 1; i <= 3; ++i) {
        if (reply[i] < '0' || reply[i] > '9')
            return std::nullopt;
    }
    SignedValue v;
    v.negative = reply[0] == '-';
    v.value = 100 * (reply[1] - '0') + 10 * (reply[2] - '0') + (reply[3] - '0');
    return v;
}

}  // namespace printerpage
