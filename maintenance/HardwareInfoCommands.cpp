#include "maintenance/HardwareInfoCommands.h"

#include "platform/Services.h"

namespace hwinfo {

const RecordRules& Rules(Record record)
{
    static const RecordRules rules[] = {
        {QByteArray("^MBX0\r\n"), 100, 7, 4},
        {QByteArray("^MBX1\r"), 1000, 18, 16},
        {QByteArray("^MBX2\r"), 100, 12, 7},
    };
    return rules[record];
}

QByteArray Write(Record record, const QByteArray& value)
{
    const QByteArray command = "^MBY" + QByteArray::number(record) + ',' + value + "\r\n";
    return command.size() > kMaxCommand ? QByteArray() : command;
}

QByteArray Initialize(Record record)
{
    return QByteArray("^MBY\x0f,", 6) + QByteArray::number(record) + "\r\n";
}

QString ReplyText(const QByteArray& reply)
{
    QByteArray text = reply.left(reply.indexOf('\0') < 0 ? reply.size() : reply.indexOf('\0'));
    while (!text.isEmpty() && (text.endsWith('\r') || text.endsWith('\n')))
        text.chop(1);
    return platform::codePage().toWide(text);
}

}  // namespace hwinfo
