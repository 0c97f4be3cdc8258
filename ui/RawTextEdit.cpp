#include "ui/RawTextEdit.h"

#include <QMimeData>
#include <QTextDocument>

namespace ui {

RawTextEdit::RawTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    // Every change of the document, typed, pasted, undone or set through the base class,
    // moves the line ends recorded after it.
    connect(document(), &QTextDocument::contentsChange, this, &RawTextEdit::contentsChange);
}

void RawTextEdit::contentsChange(int position, int removed, int added)
{
    m_textKnown = false;
    m_text = QString();
    if (m_ownChange)
        return;
    m_ends.change(position, removed, added);
    // Those of a text just inserted, now that the change that took it in is known.
    m_ends.insert(m_inserted);
    m_inserted.clear();
}

qsizetype RawTextEdit::replaceAt(const std::vector<qsizetype>& positions, qsizetype length,
                                 const QString& replacement)
{
    // The document reports the edit block as one change over the whole span, which would
    // take the line ends between the replacements along.
    QTextCursor cursor(document());
    m_ownChange = true;
    cursor.beginEditBlock();
    qsizetype moved = 0;
    for (const qsizetype p : positions) {
        cursor.setPosition(static_cast<int>(p + moved));
        cursor.setPosition(static_cast<int>(p + moved + length), QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
        moved += replacement.size() - length;
    }
    cursor.endEditBlock();
    m_ownChange = false;
    m_ends.replaceAt(positions, length, replacement.size());
    return cursor.position();
}

QString RawTextEdit::text() const
{
    if (!m_textKnown) {
        m_text = m_ends.text(document()->toRawText(), 0);
        m_textKnown = true;
    }
    return m_text;
}

void RawTextEdit::setText(const QString& text)
{
    if (text.size() == this->text().size() && text == this->text())
        return;
    std::vector<LineEndTable::Entry> entries;
    const QString shown = ShownText::shown(text, &entries);
    setPlainText(shown);
    m_ends.clear();  // a new document, whatever it reported
    m_ends.insert(entries);
    m_text = text;
    m_textKnown = true;
}

// Pasted and dropped text keeps its own line ends.
void RawTextEdit::insertFromMimeData(const QMimeData* source)
{
    const QString text = source->text();
    if (isReadOnly() || text.isEmpty())
        return;
    QTextCursor cursor = textCursor();
    // A drop inserts inside an edit block, and the document reports the change only when
    // the block ends.
    const QString shown = ShownText::shown(text, &m_inserted, cursor.selectionStart());
    cursor.insertText(shown);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* RawTextEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(m_ends.text(cursor.selectedText(), cursor.selectionStart()));
    return data;
}

RawTextEdit::Writer::Writer(RawTextEdit* edit) : m_edit(edit)
{
    m_edit->clear();
    m_edit->m_ends.clear();
}

RawTextEdit::Writer::~Writer()
{
    m_piece.clear();
    m_shown.finish(m_piece);
    put();
    if (!m_end.isNull()) {
        m_end.endEditBlock();
        QTextDocument* document = m_edit->document();
        document->setUndoRedoEnabled(m_undo);
        document->setModified(false);
    }
    // Only now: the document reports the pieces it took in one change at the end.
    m_edit->m_ends.insert(m_shown.entries());
}

void RawTextEdit::Writer::append(QStringView piece)
{
    m_piece.clear();
    m_shown.append(piece, m_piece);
    put();
}

void RawTextEdit::Writer::put()
{
    if (m_piece.isEmpty())
        return;
    if (!m_started) {
        // The edit sets itself up as for the whole text: caret, format, no undo, unmodified.
        m_edit->setPlainText(m_piece);
        m_started = true;
        return;
    }
    if (m_end.isNull()) {
        QTextDocument* document = m_edit->document();
        m_undo = document->isUndoRedoEnabled();
        document->setUndoRedoEnabled(false);
        m_end = QTextCursor(document);
        m_end.movePosition(QTextCursor::End);
        m_end.beginEditBlock();
    }
    m_end.insertText(m_piece);
}

}  // namespace ui
