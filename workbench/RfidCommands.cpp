#include "workbench/RfidCommands.h"

#include "platform/Services.h"

namespace rfid {

namespace {

QString formatLetter(int format)
{
    return format == 1 ? QStringLiteral("A,") : QStringLiteral("H,");
}

QString withoutDots(QString text)
{
    return text.remove(u'.');
}

}  // namespace

int LockBoxBit(int boxId)
{
    if (boxId >= 1273 && boxId <= 1280)
        return boxId - 1273 + 12;  // mask bits of kill, access, EPC and TID
    if (boxId >= 1281 && boxId <= 1288)
        return boxId - 1281 + 4;   // user mask, then the actions down to EPC's
    switch (boxId) {
    case 1289: return 2;
    case 1290: return 3;
    case 1291: return 0;
    case 1292: return 1;
    default: return -1;
    }
}

std::uint32_t LockPayload(const std::array<int, 20>& ticked)
{
    std::uint32_t payload = 0;
    for (std::size_t i = 0; i < kLockBoxIds.size(); ++i) {
        if (ticked[i])
            payload |= 1u << LockBoxBit(kLockBoxIds[i]);
    }
    return payload;
}

QString LockPayloadText(std::uint32_t payload)
{
    const std::uint32_t shifted = (payload & 0xFFFFFu) << 4;
    QStringList bytes;
    for (int shift : {16, 8, 0})
        bytes << QStringLiteral("%1").arg((shifted >> shift) & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return bytes.join(u',');
}

QString WriteBuilderLine(int format, int startIndex, int countIndex, const QStringList& cells)
{
    return QStringLiteral(">RFW,") + (format == 0 ? QStringLiteral("H,") : QStringLiteral("A,")) +
           QString::number(startIndex + 4) + u',' + QString::number(countIndex + 1) + QStringLiteral(",'") +
           cells.join(QString()) + u'\'';
}

QString ReadBuilderLine(int format, int startIndex, int countIndex, int outputType)
{
    return QStringLiteral(">RFR,") + (format == 0 ? QStringLiteral("H,") : QStringLiteral("A,")) +
           QString::number(startIndex + 4) + u',' + QString::number(countIndex + 1) + u',' +
           (outputType == 0 ? u'S' : u'P');
}

QString PasswordLine(const QString& access, const QString& kill)
{
    return QStringLiteral(">RFZ,'") + QLatin1String(kDefaultPassword) + u',' +
           QLatin1String(kDefaultPassword) + u',' + withoutDots(access) + u',' +
           withoutDots(kill) + u'\'';
}

QString LockPayloadLine(bool unlock, std::uint32_t payload)
{
    return QStringLiteral(">RFLP,") + (unlock ? u'U' : u'L') + QStringLiteral(",'") + LockPayloadText(payload) +
           u'\'';
}

QString AutoLockLine(int autoAction)
{
    return autoAction != 0 ? QStringLiteral(">RFUL") : QStringLiteral(">RFLK");
}

bool PasswordLengthValid(const QString& dotted)
{
    return withoutDots(dotted).size() == 8;
}

int PasswordRefusal(const QString& access, const QString& kill)
{
    if (!PasswordLengthValid(access))
        return IDS_RFID_ACCESS_INVALID;
    if (!PasswordLengthValid(kill))
        return IDS_RFID_KILL_INVALID;
    return 0;
}

QStringList GridCellsFromReply(const QByteArray& reply, int length, int start, int format)
{
    QStringList cells(kGridCells, QStringLiteral("-"));
    const int step = format == 1 ? 1 : 2;
    for (int i = 0; i * step < length; ++i) {
        const int position = start + i;
        if (position < 0 || position >= kGridCells)
            continue;
        // Bytes past what the printer sent read as zeros, and a zero ends the cell's text.
        QByteArray bytes;
        for (int k = 0; k < step; ++k) {
            const int at = i * step + k;
            const char c = at < reply.size() ? reply[at] : '\0';
            if (c == '\0')
                break;
            bytes += c;
        }
        cells[position] = platform::codePage().toWide(bytes);
    }
    return cells;
}

QString ReadTagCommand(int dataKind, int tagKind, int format, int start, int count)
{
    const bool metal = tagKind == 1;
    QString text = metal ? QStringLiteral(">RFr,") : QStringLiteral(">RFR,");
    if (dataKind == 1)
        text += metal ? QStringLiteral("u,") : QStringLiteral("U,");
    else
        text += formatLetter(format);
    return text + QString::number(start) + u',' + QString::number(count) + QStringLiteral(",S\r");
}

QString PrintTagCommand(int format, int start, int count)
{
    return QStringLiteral(">RFR,") + formatLetter(format) + QString::number(start) + u',' +
           QString::number(count) + QStringLiteral(",P\r");
}

QString WriteDataCommand(int dataKind, int format, int start, int count, const QStringList& cells)
{
    QString text = QStringLiteral(">RFW,");
    text += dataKind == 1 ? QStringLiteral("U,") : formatLetter(format);
    return text + QString::number(start) + u',' + QString::number(count) + QStringLiteral(",'") +
           cells.join(QString()) + QStringLiteral("'\r");
}

QString LockCommand(std::uint32_t payload)
{
    return LockPayloadLine(false, payload) + u'\r';
}

QString PasswordCommand(const QString& access, const QString& kill)
{
    return PasswordLine(access, kill) + u'\r';
}

}  // namespace rfid
