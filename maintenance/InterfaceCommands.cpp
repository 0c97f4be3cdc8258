#include "maintenance/InterfaceCommands.h"

#include "maintenance/SettingCommands.h"

#include <QList>

namespace iface {

namespace {

constexpr char kUs = 0x1F;

QByteArray bytesOf(std::initializer_list<char> list)
{
    return QByteArray(list.begin(), qsizetype(list.size()));
}

QString choose(const QByteArray& field, std::initializer_list<std::pair<const char*, const char*>> table)
{
    for (const auto& [wire, entry] : table) {
        if (field == wire)
            return QString::fromLatin1(entry);
    }
    return {};
}

QString chooseNumber(const QByteArray& field, std::initializer_list<int> values)
{
    const int value = setting::DecimalReply(field.constData(), int(field.size()));
    for (int v : values) {
        if (v == value)
            return QString::number(v);
    }
    return {};
}

}  // namespace

std::optional<SerialReply> ParseSerialReply(const char* reply, int length)
{
    const QByteArray text = setting::ReplyText(reply, length);
    qsizetype start = 0;
    while (start < text.size() && (text[start] < '0' || text[start] > '9'))
        ++start;
    if (start == text.size())
        return std::nullopt;
    QList<QByteArray> fields = text.mid(start).split(',');
    fields.removeAll(QByteArray());

    SerialReply r;
    if (fields.size() > 0)
        r.baud = chooseNumber(fields[0], {9600, 14400, 19200, 28800, 38400, 57600, 115200});
    if (fields.size() > 1)
        r.dataBits = chooseNumber(fields[1], {8, 7});
    if (fields.size() > 2)
        r.parity = choose(fields[2], {{"N", "None"}, {"E", "Even"}, {"O", "Odd"}});
    if (fields.size() > 3)
        r.stopBits = chooseNumber(fields[3], {1, 2});
    if (fields.size() > 4)
        r.protocol = choose(fields[4], {{"X", "Software"}, {"D", "Hardware"}, {"R", "Hardware"}});
    return r;
}

QString SerialSetText(const QString& baud, const QString& dataBits, const QString& parity,
                      const QString& stopBits, const QString& protocol)
{
    const bool software = protocol.compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("^XA^SC") + baud + u',' + dataBits + u',' + parity.left(1) + u','
           + stopBits + u',' + (software ? QStringLiteral("X,") : QStringLiteral("D,"))
           + u'N' + QLatin1String(setting::kSerialSaveTrailer);
}

QByteArray DongleQuery(DongleItem item)
{
    return QByteArray("\x1b\x1c" "O") + char(item);
}

QString DongleSet(DongleItem item, const QString& value)
{
    return QStringLiteral("\x1b\x1c" "J") + QChar(item) + value;
}

QString DongleSetName(const QString& name)
{
    return DongleSet(DongleName, QChar(char16_t(name.size())) + name);
}

bool EncryptionFromDongle(const QByteArray& text)
{
    return !text.startsWith('0');
}

int ConnectionFromDongle(const QByteArray& text)
{
    if (text.startsWith('1'))
        return 1;
    if (text.startsWith('2'))
        return 2;
    return 0;
}

QByteArray ModuleQuery(char letter)
{
    return bytesOf({kUs, kUs, 'i', letter});
}

QByteArray ModuleReplyText(const char* reply, int length, char letter)
{
    const QByteArray text = setting::ReplyText(reply, length);
    if (text.size() >= 3 && text[0] == '7' && text[1] == 'B' && text[2] == letter)
        return text.mid(3);
    return text;
}

int ModuleConnection(const QByteArray& text)
{
    if (text.startsWith('2'))
        return 1;
    if (text.startsWith('3'))
        return 2;
    return 0;
}

std::optional<int> ModuleRole(const char* reply, int length)
{
    if (!reply || length <= 0)
        return std::nullopt;
    switch (reply[0]) {
    case '0':
    case '2':
        return 0;
    case '1':
        return 1;
    default:
        return std::nullopt;
    }
}

QByteArray ModuleRecordP(int encryption, int connection, const QByteArray& pin,
                         const QByteArray& name, bool family101)
{
    QByteArray bytes = bytesOf({kUs, kUs, 'p'});
    bytes += char('0' + encryption);
    bytes += char('1' + connection);
    bytes += pin;
    bytes += '\r';
    bytes += name;
    bytes += '\r';
    if (family101)
        bytes += '0';
    return bytes;
}

QByteArray ModuleRecordX(int ssp)
{
    return bytesOf({kUs, kUs, 'x', char('0' + ssp), '\r'});
}

QByteArray ModuleRecordL(bool ble)
{
    return bytesOf({kUs, kUs, 'l', ble ? '1' : '0'});
}

}  // namespace iface
