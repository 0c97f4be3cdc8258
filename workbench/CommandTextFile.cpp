#include "workbench/CommandTextFile.h"

#include "platform/Services.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr int IDS_FILE_NOT_FOUND = 302;
constexpr int IDS_FILE_ACCESS_DENIED = 303;
constexpr int IDS_FILE_READ_ERROR = 304;
constexpr int IDS_FILE_WRITE_ERROR = 305;

QByteArrayView upToZero(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.first(zero);
}

// Whole 16-bit units only: a last odd byte is not a character and is dropped.
template <bool BigEndian>
QString decodeUtf16(QByteArrayView bytes)
{
    const auto* in = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    qsizetype length = 0;
    auto unitAt = [in](qsizetype i) -> char16_t {
        return BigEndian ? qFromBigEndian<quint16>(in + 2 * i)
                         : qFromLittleEndian<quint16>(in + 2 * i);
    };
    while (length < units && unitAt(length) != 0)
        ++length;
    QString text(length, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < length; ++i)
        out[i] = unitAt(i);
    return text;
}

void report(int stringId, const QString& path)
{
    ui::MessageBox(ui::LoadString(stringId).arg(path));
}

void reportOpenFailure(const QFile& file)
{
    const bool missing = file.error() == QFileDevice::OpenError && !file.exists();
    report(missing ? IDS_FILE_NOT_FOUND : IDS_FILE_ACCESS_DENIED, file.fileName());
}

}  // namespace

QString CommandTextFile::decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    switch (static_cast<uchar>(bytes.front())) {
    case 0xEF:
        return QString::fromUtf8(upToZero(bytes.sliced(qMin<qsizetype>(3, bytes.size()))));
    case 0xFF:
        return decodeUtf16<false>(bytes.sliced(qMin<qsizetype>(2, bytes.size())));
    case 0xFE:
        return decodeUtf16<true>(bytes.sliced(qMin<qsizetype>(2, bytes.size())));
    default:
        return platform::codePage().toWide(upToZero(bytes));
    }
}

QByteArray CommandTextFile::encode(QStringView text)
{
    QByteArray bytes(2 + 2 * text.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    out[0] = 0xFF;
    out[1] = 0xFE;
    // A null view has no characters to copy, and no pointer to copy them from.
    if (!text.isEmpty())
        qToLittleEndian<quint16>(text.utf16(), text.size(), out + 2);
    return bytes;
}

bool CommandTextFile::load(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportOpenFailure(file);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        report(IDS_FILE_READ_ERROR, path);
        return false;
    }
    text = decode(bytes);
    return true;
}

bool CommandTextFile::save(const QString& path, QStringView text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reportOpenFailure(file);
        return false;
    }
    const QByteArray bytes = encode(text);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        report(IDS_FILE_WRITE_ERROR, path);
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        report(IDS_FILE_WRITE_ERROR, path);
        return false;
    }
    return true;
}
