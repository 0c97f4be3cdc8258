#include "maintenance/PrinterInfoCommands.h"

#include "maintenance/SettingCommands.h"
#include "platform/Services.h"

namespace printerinfo {

QString InfoValue(InfoKind kind, const char* reply, int length)
{
    QString text = platform::codePage().toWide(setting::ReplyText(reply, length));
    if (kind == InfoKind::Text)
        return text;
    while (text.endsWith(u'\n'))
        text.chop(1);
    while (text.endsWith(u'\r'))
        text.chop(1);
    if (kind == InfoKind::Distance)
        return text + QStringLiteral(" meter");
    if (text.isEmpty())
        text = QStringLiteral("0");
    return text + QStringLiteral(" times");
}

QByteArray CounterResetCommand(CounterReset item)
{
    return QByteArray("*MBY\x0f") + char(item);
}

int UsbSerialLength(const QString& modelName)
{
    for (const char* model : {"KX-30", "PV-7", "PV-9", "KX-24"}) {
        if (modelName == QLatin1String(model))
            return 16;
    }
    return 13;
}

QString UsbSerialText(const QString& serial)
{
    return QStringLiteral("\x1b\x1c\x1d") + serial + QStringLiteral("\r\n");
}

}  // namespace printerinfo
