#include "rfid/RfidSettingCommands.h"

#include "core/TextHelpers.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"

namespace rfid {

namespace {

int listPosition(int value, int entries)
{
    return value >= 0 && value < entries ? value : -1;
}

}  // namespace

EncoderSettings DefaultEncoderSettings()
{
    return {kTagTypeGen2, 0, QStringLiteral("600"), 3, 2};
}

QString EncoderSettingsCommand(const EncoderSettings& settings)
{
    QString text = QStringLiteral(">RFS,");
    if (settings.tagType == kTagTypeGen2)
        text += QStringLiteral("5,");
    else if (settings.tagType == kTagTypeIsoB)
        text += QStringLiteral("2,");
    text += QString::number(settings.retry) + u',' + QString::number(settings.labels) + u',' +
            QString::number(settings.powerIndex + 1) + u'\r';
    return text + QStringLiteral(">RFTP,") + settings.position + u'\r';
}

QString EncoderSettingQuery(int n)
{
    return QStringLiteral(">RFI,%1\r").arg(n);
}

void ApplyEncoderSettingReply(int n, const char* reply, int length, EncoderSettings& settings)
{
    switch (n) {
    case 1: {
        const QByteArray text = setting::ReplyText(reply, length);
        if (text.startsWith("GEN2"))
            settings.tagType = kTagTypeGen2;
        else if (text.startsWith('I'))
            settings.tagType = kTagTypeIsoB;
        break;
    }
    case 2: {
        const int value = setting::DecimalReply(reply, length);
        settings.powerIndex = value >= 1 ? listPosition(value - 1, kPowerEntries) : -1;
        break;
    }
    case 3:
        settings.position = RightTrim(platform::codePage().toWide(setting::ReplyText(reply, length)));
        break;
    case 4:
        settings.retry = listPosition(setting::DecimalReply(reply, length), kRetryEntries);
        break;
    case 5:
        settings.labels = listPosition(setting::DecimalReply(reply, length), kLabelEntries);
        break;
    default:
        break;
    }
}

}  // namespace rfid
