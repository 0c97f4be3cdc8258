#include "ui/ControlText.h"
#include "ui/LineGroups.h"
#include "ui/RawTextEdit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <stdexcept>

namespace ui {

// Both run in one pass: QString::replace moves the tail at every match, which a text of a
// million lines cannot afford.
QString toDisplayLines(const QString& text)
{
    qsizetype cr = text.indexOf(QLatin1Char('\r'));
    if (cr < 0)
        return text;
    QString shown(text.size(), Qt::Uninitialized);
    QChar* out = shown.data();
    qsizetype from = 0;
    // Copies the runs between carriage returns whole.
    while (cr >= 0) {
        std::copy(text.constData() + from, text.constData() + cr, out);
        out += cr - from;
        *out++ = u'\n';
        from = cr + 1;
        if (from < text.size() && text.at(from) == u'\n')
            ++from;
        cr = text.indexOf(QLatin1Char('\r'), from);
    }
    std::copy(text.constData() + from, text.constData() + text.size(), out);
    out += text.size() - from;
    shown.truncate(out - shown.constData());
    return shown;
}

QString toWindowsLines(const QString& text)
{
    const QString shown = toDisplayLines(text);
    const qsizetype breaks = shown.count(QLatin1Char('\n'));
    if (breaks == 0)
        return shown;
    QString held(shown.size() + breaks, Qt::Uninitialized);
    QChar* out = held.data();
    for (const QChar c : shown) {
        if (c == u'\n')
            *out++ = u'\r';
        *out++ = c;
    }
    return held;
}

// toPlainText() turns no-break spaces into blanks; the raw text keeps every character.
QString documentLines(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

namespace {

// Line ends as "\n", or a line separator inside a group of lines (LineGroups.h): the same
// characters and positions, shown and read back the same. The count goes on over the
// pieces of one text, and a CR LF split between two stays one line end.
struct LineEnds {
    bool group = false;
    qsizetype lines = 0;
    bool afterCr = false;

    // Never writes more than it reads, so out may be in.
    QChar* convert(const QChar* in, const QChar* end, QChar* out)
    {
        for (; in != end; ++in) {
            QChar c = *in;
            const bool crLf = afterCr && c == u'\n';
            afterCr = c == u'\r';
            if (crLf)
                continue;
            if (c == u'\r' || c == u'\n')
                c = group && ++lines % kLinesPerGroup != 0 ? QChar(QChar::LineSeparator) : QChar(u'\n');
            *out++ = c;
        }
        return out;
    }
};

qsizetype lineEndCount(QStringView text)
{
    return text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r'));
}

// The text as a document takes it. In place: a text of 50 MiB cannot afford a second buffer
// beside the document's own.
QString toDocumentText(QString text)
{
    const qsizetype lineEnds = lineEndCount(text);
    if (lineEnds == 0)
        return text;
    LineEnds ends{lineEnds > kGroupLineEndsAbove};
    QChar* const first = text.data();
    text.truncate(ends.convert(first, first + text.size(), first) - first);
    return text;
}

}  // namespace

QString controlText(const QWidget* control)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* edit = qobject_cast<const RawTextEdit*>(control))
        return edit->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(control))
        return toWindowsLines(documentLines(edit->document()));
    if (auto* edit = qobject_cast<const QTextEdit*>(control))
        return toWindowsLines(documentLines(edit->document()));
    if (auto* label = qobject_cast<const QLabel*>(control))
        return toWindowsLines(label->text());
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(control))
        return spin->text();
    throw std::logic_error("control has no text");
}

void setControlText(QWidget* control, QString text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* edit = qobject_cast<RawTextEdit*>(control)) {
        edit->setText(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        const QString shown = toDocumentText(std::move(text));
        const QTextDocument* document = edit->document();
        // Texts of another length differ; only one of the same length is compared.
        if (document->characterCount() - 1 != shown.size() ||
            documentLines(document) !=
                QString(shown).replace(QChar::LineSeparator, QLatin1Char('\n')))
            edit->setPlainText(shown);
    } else if (auto* edit = qobject_cast<QTextEdit*>(control)) {
        const QString shown = toDisplayLines(text);
        if (documentLines(edit->document()) != shown)
            edit->setPlainText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        const QString shown = toDisplayLines(text);
        if (label->text() != shown)
            label->setText(shown);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // A drop-down list has no edit of its own; its text is its selection.
        if (combo->isEditable() && combo->currentText() != text)
            combo->setEditText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (ok)
            spin->setValue(value);
    } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(control)) {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (ok)
            spin->setValue(value);
    } else {
        throw std::logic_error("control has no text");
    }
}

}  // namespace ui
