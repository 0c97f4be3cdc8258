#pragma once

#include <QByteArray>
#include <QString>

// The three records the printer keeps about itself (menu mode 0): hardware version, serial
// number and a user-defined printer ID, read with "^MBX", written with "^MBY".
namespace hwinfo {

enum Record { HardwareVersion = 0, SerialNumber = 1, PrinterId = 2 };

struct RecordRules {
    QByteArray read;   // the read command
    int waitMs;        // before the reply is read
    int replyLength;   // bytes read at most
    int maxChars;      // the edit's limit
};
const RecordRules& Rules(Record record);

// "^MBY" n "," value CR LF; an empty array when the command would pass 31 bytes.
QByteArray Write(Record record, const QByteArray& value);
inline constexpr int kMaxCommand = 31;
// "^MBY" 0F "," n CR LF (9 bytes).
QByteArray Initialize(Record record);
// A reply as text (ANSI code page), up to its first zero byte, with its trailing run of CR
// and LF removed.
QString ReplyText(const QByteArray& reply);

// Waits after a write or an initialisation, before the page reports.
inline constexpr int kWriteWaitMs = 5700;

}  // namespace hwinfo
