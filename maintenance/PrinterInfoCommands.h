#pragma once

#include <QByteArray>
#include <QString>

// The printer-information queries, counter resets and the USB serial number.
namespace printerinfo {

// How a reply is shown.
enum class InfoKind { Text, Distance, Count };

struct InfoQuery {
    const char* command;  // sent as bytes, CR LF included
    InfoKind kind;
};

// The eight queries in their order: model, firmware, then the six counters.
inline constexpr InfoQuery kInfoQueries[] = {
    {"^PI0\r\n", InfoKind::Text},       {"^PI2\r\n", InfoKind::Text},
    {"^PI3,0,0\r\n", InfoKind::Distance}, {"^PI3,0,1\r\n", InfoKind::Distance},
    {"^PI3,1,0\r\n", InfoKind::Distance}, {"^PI3,1,1\r\n", InfoKind::Distance},
    {"^PI3,2,0\r\n", InfoKind::Count},    {"^PI3,2,1\r\n", InfoKind::Count},
};
inline constexpr int kInfoQueryCount = 8;

// The shown value: the reply text (to its first zero byte, ANSI); counters lose their
// trailing LFs then their trailing CRs, and gain " meter" or " times" (an empty count
// becoming "0").
QString InfoValue(InfoKind kind, const char* reply, int length);

// "*MBY" 0F item: item 0C motor, 0D print head, 0E cutter (label).
enum CounterReset : char { ResetMotor = 0x0C, ResetTph = 0x0D, ResetCutter = 0x0E };
QByteArray CounterResetCommand(CounterReset item);

// 16 for the models whose USB serial number has 16 digits, 13 for the others.
int UsbSerialLength(const QString& modelName);
// ESC FS GS, the number, CR LF: a text for CComm::WriteString.
QString UsbSerialText(const QString& serial);

}  // namespace printerinfo
