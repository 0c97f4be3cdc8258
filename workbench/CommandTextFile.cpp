#include "workbench/CommandTextFile.h"

#include "platform/Services.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <optional>

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

namespace {

enum class Form { Utf8, Utf16Le, Utf16Be, Ansi };

Form formOf(uchar first)
{
    switch (first) {
    case 0xEF:
        return Form::Utf8;
    case 0xFF:
        return Form::Utf16Le;
    case 0xFE:
        return Form::Utf16Be;
    default:
        return Form::Ansi;
    }
}

qsizetype markSize(Form form)
{
    return form == Form::Utf8 ? 3 : form == Form::Ansi ? 0 : 2;
}

// The characters of bytes after the mark, or of a piece of them, up to the first zero.
QString decodeBody(Form form, QByteArrayView bytes)
{
    switch (form) {
    case Form::Utf8: {
        // fromUtf8 drops a byte-order mark at its start, which after the file's own mark is a
        // character of the text.
        static constexpr QByteArrayView kMark("\xEF\xBB\xBF");
        QString text;
        bytes = upToZero(bytes);
        while (bytes.startsWith(kMark)) {
            text += QChar(0xFEFF);
            bytes = bytes.sliced(kMark.size());
        }
        return text + QString::fromUtf8(bytes);
    }
    case Form::Utf16Le:
        return decodeUtf16<false>(bytes);
    case Form::Utf16Be:
        return decodeUtf16<true>(bytes);
    case Form::Ansi:
        break;
    }
    return platform::codePage().toWide(upToZero(bytes));
}

}  // namespace

QString CommandTextFile::decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const Form form = formOf(static_cast<uchar>(bytes.front()));
    return decodeBody(form, bytes.sliced(qMin(markSize(form), bytes.size())));
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
    QString loaded;
    loaded.reserve(QFileInfo(path).size());  // never more characters than bytes
    if (!read(path, [&loaded](QStringView piece) { loaded += piece; }))
        return false;
    text = std::move(loaded);
    return true;
}

bool CommandTextFile::read(const QString& path, const std::function<void(QStringView)>& piece)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportOpenFailure(file);
        return false;
    }
    // A byte piece ends after a line feed: no character of any of these forms goes across
    // one, so the pieces decode as the whole would.
    constexpr qsizetype kPiece = 1 << 20;
    QByteArray pending;
    std::optional<Form> form;
    qsizetype markLeft = 0;
    for (bool atEnd = false, ended = false; !atEnd && !ended;) {
        const qsizetype kept = pending.size();
        pending.resize(kept + kPiece);
        const qint64 got = file.read(pending.data() + kept, kPiece);
        if (got < 0 || file.error() != QFileDevice::NoError) {
            report(IDS_FILE_READ_ERROR, path);
            return false;
        }
        pending.truncate(kept + got);
        atEnd = got == 0;
        if (!form && !pending.isEmpty()) {
            form = formOf(static_cast<uchar>(pending.front()));
            markLeft = markSize(*form);
        }
        const qsizetype dropped = qMin(markLeft, pending.size());
        pending.remove(0, dropped);
        markLeft -= dropped;
        if (!form || pending.isEmpty())
            continue;
        const bool wide = *form == Form::Utf16Le || *form == Form::Utf16Be;
        qsizetype cut = pending.size();
        if (!atEnd && wide) {
            cut &= ~qsizetype(1);
        } else if (!atEnd) {
            // Bytes kept from before hold no line feed; only the new ones are searched.
            const qsizetype feed = QByteArrayView(pending).sliced(kept).lastIndexOf('\n');
            cut = feed < 0 ? 0 : kept + feed + 1;
        }
        const QByteArrayView bytes = QByteArrayView(pending).first(cut);
        const QString part = decodeBody(*form, bytes);
        // A zero ends the text: the piece decoded to fewer characters than it could.
        ended = wide ? part.size() < cut / 2 : bytes.contains('\0');
        if (!part.isEmpty())
            piece(part);
        pending.remove(0, cut);
    }
    return true;
}

bool CommandTextFile::save(const QString& path, QStringView text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reportOpenFailure(file);
        return false;
    }
    // The bytes go out a piece at a time through one buffer, so that a long text is never
    // held a second time in its encoded form.
    constexpr qsizetype kPiece = 1 << 19;  // characters
    bool written = file.write("\xFF\xFE", 2) == 2;
    QByteArray bytes;
    for (qsizetype at = 0; written && at < text.size(); at += kPiece) {
        const QStringView piece = text.sliced(at, qMin(kPiece, text.size() - at));
        bytes.resize(2 * piece.size());
        qToLittleEndian<quint16>(piece.utf16(), piece.size(), bytes.data());
        written = file.write(bytes) == bytes.size();
    }
    if (!written || !file.flush()) {
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
