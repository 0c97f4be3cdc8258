#include "ui/RawTextEdit.h"

#include "ui/LargeTextRelease.h"
#include "ui/ShownText.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>

namespace ui {

namespace {

qsizetype writtenLength(LineEnd end)
{
    return writtenLineEnd(end).size();
}

// A block that continues the last line of the block before it.
bool isCut(const QTextBlock& block)
{
    return block.isValid() && block.previous().isValid() && lineEndBefore(block) == LineEnd::Piece;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

qsizetype lastPosition(const QTextDocument* document)
{
    return document->characterCount() - 1;
}

// Removes the cursor's selection. The break before the selection stays what it is: a text
// document drops a block that the removal empties, and with it that break's record, which is
// put back.
void removeKeepingTheBreakBefore(QTextCursor& cursor)
{
    QTextDocument* document = cursor.document();
    const int from = cursor.selectionStart();
    const QTextBlock block = document->findBlock(from);
    const bool atStart = block.position() == from;
    const LineEnd before = lineEndBefore(block);
    cursor.removeSelectedText();
    const QTextBlock now = document->findBlock(from);
    if (atStart && now.position() == from && lineEndBefore(now) != before) {
        QTextCursor mark(now);
        mark.setBlockFormat(blockFormatFor(before));
    }
}

// Takes the break at `separator` out, and the lines on both sides join.
void joinAt(QTextDocument* document, int separator)
{
    QTextCursor cursor(document);
    cursor.setPosition(separator);
    cursor.setPosition(separator + 1, QTextCursor::KeepAnchor);
    removeKeepingTheBreakBefore(cursor);
}

// A cut point stands between two pieces of one line; one left with nothing on a side goes,
// so that it never shows as an empty row.
void dropBareCuts(QTextDocument* document, int position)
{
    QTextBlock block = document->findBlock(position);
    if (block.previous().isValid())
        block = block.previous();
    for (int i = 0; i < 3 && block.isValid(); ++i) {
        const QTextBlock next = block.next();
        if (isCut(block) && (block.length() == 1 || block.previous().length() == 1)) {
            const QTextBlock previous = block.previous();
            joinAt(document, block.position() - 1);
            block = previous;
            continue;
        }
        block = next;
    }
}

// Removes the cursor's selection in the edit block the caller holds, and the cut points it
// leaves bare.
void removeSelection(QTextCursor& cursor)
{
    if (!cursor.hasSelection())
        return;
    const int from = cursor.selectionStart();
    removeKeepingTheBreakBefore(cursor);
    dropBareCuts(cursor.document(), from);
}

// Puts an exact text in at the cursor, in the edit block the caller holds.
void insertExactText(QTextCursor& cursor, QStringView text)
{
    const int start = cursor.position();
    ShownText shown(cursor);
    shown.append(text);
    shown.finish();
    dropBareCuts(cursor.document(), start);
    dropBareCuts(cursor.document(), cursor.position());
}

}  // namespace

RawTextEdit::RawTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &RawTextEdit::contentsChange);
    LargeTextRelease::watch(document());
}

RawTextEdit::~RawTextEdit() = default;

void RawTextEdit::contentsChange()
{
    m_known = false;
    m_text = QString();
    m_breaks = std::vector<Break>();
    m_exactSelection.reset();
}

QString RawTextEdit::exactText(qsizetype from, qsizetype to) const
{
    QString out;
    out.reserve(to - from + (to - from) / 8);
    walk(from, to, &out, nullptr);
    return out;
}

void RawTextEdit::walk(qsizetype from, qsizetype to, QString* out, std::vector<Break>* breaks) const
{
    // A long text reads the document's characters a block at a time, a short one or the
    // breaks alone fragment by fragment; a copy of the whole would take fresh pages each time.
    const bool whole = out && to - from > 64 * 1024;
    qsizetype length = 0;  // of the exact text so far
    auto lineEnd = [&](qsizetype at, LineEnd end) {
        if (breaks)
            breaks->push_back({at, length, end});
        const QStringView written = writtenLineEnd(end);
        if (out)
            *out += written;
        length += written.size();
    };
    auto put = [&](QStringView run) {
        if (out)
            *out += run;
        length += run.size();
    };
    for (QTextBlock block = document()->findBlock(int(from)); block.isValid() && block.position() <= to;
         block = block.next()) {
        const qsizetype start = block.position();
        if (start > from)
            lineEnd(start - 1, lineEndBefore(block));
        const qsizetype first = std::max(from, start);
        const qsizetype last = std::min(to, start + block.length() - 1);
        if (first >= last)
            continue;
        const QString blockText = whole ? block.text() : QString();
        // The line separators of a fragment carry its format.
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const qsizetype at = fragment.position();
            if (at + fragment.length() <= first)
                continue;
            if (at >= last)
                break;
            const qsizetype a = std::max(first, at);
            const qsizetype z = std::min(last, at + fragment.length());
            QString fragmentText;
            QStringView part;
            if (whole) {
                part = QStringView(blockText).sliced(a - start, z - a);
            } else {
                fragmentText = fragment.text();
                part = QStringView(fragmentText).sliced(a - at, z - a);
            }
            const LineEnd end = lineEndOf(fragment.charFormat());
            qsizetype run = 0;
            for (qsizetype s = part.indexOf(QChar::LineSeparator); s >= 0;
                 s = part.indexOf(QChar::LineSeparator, run)) {
                put(part.sliced(run, s - run));
                lineEnd(a + s, end);
                run = s + 1;
            }
            put(part.sliced(run));
        }
    }
}

QString RawTextEdit::text() const
{
    breaks();
    return m_text;
}

// The text and its breaks come from one walk through the document: a search of the text
// maps its positions back through the breaks.
const std::vector<RawTextEdit::Break>& RawTextEdit::breaks() const
{
    if (!m_known) {
        const qsizetype end = lastPosition(document());
        m_breaks.clear();
        m_breaks.reserve(document()->blockCount());
        m_text = QString();
        m_text.reserve(end + end / 8);
        walk(0, end, &m_text, &m_breaks);
        m_known = true;
    }
    return m_breaks;
}

qsizetype RawTextEdit::exactPosition(qsizetype documentPosition) const
{
    const std::vector<Break>& all = breaks();
    auto after = std::lower_bound(all.begin(), all.end(), documentPosition,
                                  [](const Break& b, qsizetype p) { return b.document < p; });
    if (after == all.begin())
        return documentPosition;
    const Break& b = *(after - 1);
    return b.exact + writtenLength(b.end) + documentPosition - b.document - 1;
}

qsizetype RawTextEdit::documentPosition(qsizetype exactPosition, bool roundUp) const
{
    const std::vector<Break>& all = breaks();
    // The first break that ends past the position.
    auto next = std::upper_bound(all.begin(), all.end(), exactPosition, [](qsizetype p, const Break& b) {
        return p < b.exact + writtenLength(b.end);
    });
    if (next != all.end() && next->exact < exactPosition)
        return roundUp ? next->document + 1 : next->document;
    if (next == all.begin())
        return exactPosition;
    const Break& b = *(next - 1);
    return b.document + 1 + exactPosition - b.exact - writtenLength(b.end);
}

void RawTextEdit::selectExact(qsizetype start, qsizetype end)
{
    const qsizetype anchor = documentPosition(start);
    const qsizetype position = documentPosition(end, true);
    QTextCursor cursor = textCursor();
    cursor.setPosition(int(anchor));
    cursor.setPosition(int(position), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    m_exactSelection = Selection{start, end, anchor, position};
}

std::pair<qsizetype, qsizetype> RawTextEdit::exactSelection() const
{
    const QTextCursor cursor = textCursor();
    if (m_exactSelection && m_exactSelection->anchor == cursor.anchor() &&
        m_exactSelection->position == cursor.position())
        return {m_exactSelection->start, m_exactSelection->end};
    return {exactPosition(cursor.selectionStart()), exactPosition(cursor.selectionEnd())};
}

void RawTextEdit::replaceExact(qsizetype start, qsizetype end, QStringView replacement)
{
    replaceRanges({start}, end - start, replacement);
}

void RawTextEdit::replaceAll(const std::vector<qsizetype>& positions, qsizetype length,
                             const QString& replacement)
{
    if (positions.empty())
        return;
    QTextCursor cursor = textCursor();
    cursor.setPosition(replaceRanges(positions, length, replacement));
    setTextCursor(cursor);
    ensureCursorVisible();
}

int RawTextEdit::replaceRanges(const std::vector<qsizetype>& positions, qsizetype length,
                               QStringView replacement)
{
    const QString all = text();
    const QStringView exact(all);
    const qsizetype first = positions.front();
    const qsizetype last = positions.back() + length;
    // The document's own characters that hold the ranges, and what they stand for around them.
    const qsizetype from = documentPosition(first);
    const qsizetype to = documentPosition(last, true);
    const qsizetype head = exactPosition(from);
    const qsizetype tail = exactPosition(to);
    // One edit: what the ranges span goes, and the new text goes in as it is made.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.setPosition(int(from));
    cursor.setPosition(int(to), QTextCursor::KeepAnchor);
    removeSelection(cursor);
    ShownText shown(cursor);
    shown.append(exact.sliced(head, first - head));
    qsizetype kept = first;
    for (const qsizetype p : positions) {
        shown.append(exact.sliced(kept, p - kept));
        shown.append(replacement);
        kept = p + length;
    }
    shown.flush();
    // The place after the last replacement moves with what the tidying below takes out.
    QTextCursor after(document());
    after.setPosition(cursor.position());
    shown.append(exact.sliced(last, tail - last));
    shown.finish();
    // Only where the new text meets the old can a piece be left empty.
    dropBareCuts(document(), int(from));
    dropBareCuts(document(), cursor.position());
    cursor.endEditBlock();
    return after.position();
}

void RawTextEdit::setText(const QString& text)
{
    // An empty text is compared without reading out the one the document holds.
    if (text.isEmpty() ? document()->isEmpty() : text.size() == this->text().size() && text == this->text())
        return;
    Writer writer(this);
    writer.append(text);
}

// Enter gives CR LF; at a cut point the caret keys and Backspace and Delete act on the
// characters on either side of it.
void RawTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isReadOnly() &&
        !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        removeSelection(cursor);
        cursor.insertBlock(blockFormatFor(LineEnd::CrLf), QTextCharFormat());
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    stepOverCut(event);
    if (!isReadOnly() && removeByKey(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// The keys that remove text remove it here, so that the break before it keeps its record.
bool RawTextEdit::removeByKey(QKeyEvent* event)
{
    QTextCursor cursor = textCursor();
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    const bool typed = !event->text().isEmpty() && event->text().front().isPrint() &&
                       !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return true;
    }
    if (typed) {
        if (!cursor.hasSelection())
            return false;
        cursor.beginEditBlock();
        removeSelection(cursor);
        cursor.insertText(event->text());
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        return true;
    }
    if (!cursor.hasSelection()) {
        const QTextDocument* doc = document();
        const int at = cursor.position();
        if (backspace) {
            if (at == 0)
                return true;
            const bool pair = at > 1 && doc->characterAt(at - 1).isLowSurrogate() &&
                              doc->characterAt(at - 2).isHighSurrogate();
            cursor.setPosition(at - (pair ? 2 : 1), QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::Delete)) {
            if (at >= lastPosition(doc))
                return true;
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
            cursor.movePosition(QTextCursor::PreviousWord, QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
            cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        } else {
            return false;
        }
    } else if (!backspace && !event->matches(QKeySequence::Delete) &&
               !event->matches(QKeySequence::DeleteStartOfWord) &&
               !event->matches(QKeySequence::DeleteEndOfWord)) {
        return false;
    }
    removeSelected(cursor);
    return true;
}

void RawTextEdit::removeSelected(QTextCursor cursor)
{
    cursor.beginEditBlock();
    removeSelection(cursor);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void RawTextEdit::cut()
{
    if (isReadOnly() || !textCursor().hasSelection())
        return;
    copy();
    removeSelected(textCursor());
}

// The menu's Cut and Delete remove as the keys do.
void RawTextEdit::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-cut")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &RawTextEdit::cut);
        } else if (action->objectName() == QLatin1String("edit-delete")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this] { removeSelected(textCursor()); });
        }
    }
    menu->exec(event->globalPos());
}

// A text dragged within the edit moves in one edit: removed, then put in where it is dropped.
void RawTextEdit::dropEvent(QDropEvent* event)
{
    // Our own drag carries the data this edit made of its selection.
    const QObject* source = event->source();
    const bool ours = source == this || source == viewport() ||
                      (m_ownData && event->mimeData() == m_ownData.data());
    QTextCursor selection = textCursor();
    if (!ours || event->dropAction() != Qt::MoveAction || isReadOnly() || !selection.hasSelection()) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    QTextCursor at = cursorForPosition(event->position().toPoint());
    // The drag ends: its marker goes.
    QDragLeaveEvent leave;
    QPlainTextEdit::dragLeaveEvent(&leave);
    event->acceptProposedAction();
    if (at.position() >= selection.selectionStart() && at.position() <= selection.selectionEnd())
        return;
    const QString moved = exactText(selection.selectionStart(), selection.selectionEnd());
    at.beginEditBlock();
    removeSelection(selection);
    insertExactText(at, moved);
    at.endEditBlock();
    setTextCursor(at);
    ensureCursorVisible();
}

void RawTextEdit::stepOverCut(QKeyEvent* event)
{
    const bool backspace = event->key() == Qt::Key_Backspace;
    const bool remove = backspace || event->matches(QKeySequence::Delete) ||
                        event->matches(QKeySequence::DeleteEndOfWord);
    const bool backward = backspace || event->matches(QKeySequence::MoveToPreviousChar) ||
                          event->matches(QKeySequence::SelectPreviousChar) ||
                          event->matches(QKeySequence::MoveToPreviousWord) ||
                          event->matches(QKeySequence::SelectPreviousWord);
    const bool forward = event->matches(QKeySequence::Delete) ||
                         event->matches(QKeySequence::DeleteEndOfWord) ||
                         event->matches(QKeySequence::MoveToNextChar) ||
                         event->matches(QKeySequence::SelectNextChar) ||
                         event->matches(QKeySequence::MoveToNextWord) ||
                         event->matches(QKeySequence::SelectNextWord);
    if (!backward && !forward)
        return;
    QTextCursor cursor = textCursor();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    // A selection is removed, or left at one of its ends, as it is anywhere else.
    if (cursor.hasSelection() && (remove || !extend))
        return;
    const QTextBlock block = cursor.block();
    const qsizetype position = cursor.position();
    qsizetype step = position;
    if (backward && position == block.position() && isCut(block))
        step = position - 1;
    else if (forward && position == block.position() + block.length() - 1 && isCut(block.next()))
        step = position + 1;
    if (step == position)
        return;
    cursor.setPosition(int(step), cursor.hasSelection() || extend ? QTextCursor::KeepAnchor
                                                                  : QTextCursor::MoveAnchor);
    setTextCursor(cursor);
}

qsizetype RawTextEdit::lineStart(qsizetype position) const
{
    QTextBlock block = document()->findBlock(int(position));
    qsizetype in = position - block.position();
    for (;;) {
        const qsizetype separator =
            in > 0 ? block.text().lastIndexOf(QChar::LineSeparator, in - 1) : -1;
        if (separator >= 0)
            return block.position() + separator + 1;
        if (!isCut(block))
            return block.position();
        block = block.previous();
        in = block.length() - 1;
    }
}

qsizetype RawTextEdit::lineEnd(qsizetype position) const
{
    QTextBlock block = document()->findBlock(int(position));
    qsizetype in = position - block.position();
    for (;;) {
        const qsizetype separator = block.text().indexOf(QChar::LineSeparator, in);
        if (separator >= 0)
            return block.position() + separator;
        if (!isCut(block.next()))
            return block.position() + block.length() - 1;
        block = block.next();
        in = 0;
    }
}

// A triple click takes the whole line and its line end, however long the line, and only it.
void RawTextEdit::mousePressEvent(QMouseEvent* event)
{
    const bool triple = event->button() == Qt::LeftButton && m_sinceDoubleClick.isValid() &&
                        m_sinceDoubleClick.elapsed() < QApplication::doubleClickInterval() &&
                        (event->position() - m_doubleClickAt).manhattanLength() <
                            QApplication::startDragDistance();
    m_sinceDoubleClick.invalidate();
    QPlainTextEdit::mousePressEvent(event);
    m_tripleClickAt.reset();
    if (!triple)
        return;
    m_tripleClickAt = cursorForPosition(event->position().toPoint()).position();
    selectLine(*m_tripleClickAt);
}

// The base class ends a click in a selection by placing the caret.
void RawTextEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (m_tripleClickAt)
        selectLine(*m_tripleClickAt);
    m_tripleClickAt.reset();
}

void RawTextEdit::selectLine(qsizetype position)
{
    QTextCursor cursor = textCursor();
    const qsizetype end = lineEnd(position);
    cursor.setPosition(int(lineStart(position)));
    cursor.setPosition(int(std::min(end + 1, lastPosition(document()))), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void RawTextEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_sinceDoubleClick.start();
    m_doubleClickAt = event->position();
    extendWordOverCuts();
}

// A word that runs over a cut point is one word.
void RawTextEdit::extendWordOverCuts()
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return;
    const QTextDocument* doc = document();
    qsizetype start = cursor.selectionStart();
    qsizetype end = cursor.selectionEnd();
    auto wordAt = [doc](qsizetype p) { return isWordCharacter(doc->characterAt(int(p))); };
    auto cutBefore = [doc](qsizetype p) {
        const QTextBlock block = doc->findBlock(int(p));
        return p == block.position() && isCut(block);
    };
    if (!wordAt(start) || !wordAt(end - 1))
        return;
    while (cutBefore(start) && wordAt(start - 2)) {
        start -= 2;
        while (start > 0 && wordAt(start - 1))
            --start;
    }
    while (cutBefore(end + 1) && wordAt(end + 1)) {
        end += 1;
        while (end < lastPosition(doc) && wordAt(end))
            ++end;
    }
    cursor.setPosition(int(start));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// A row that goes on from the row above it, because the line wraps or is cut into pieces,
// carries a mark at its left edge; a row that starts a line has none.
void RawTextEdit::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const QPointF offset = contentOffset();
    const qreal bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(offset);
        if (box.top() > bottom)
            break;
        const QTextLayout* layout = block.layout();
        if (!block.isVisible() || !layout)
            continue;
        const QString blockText = block.text();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int start = line.textStart();
            const bool continues = i == 0 ? isCut(block) && blockText.size() > 0
                                          : blockText.at(start - 1) != QChar::LineSeparator;
            if (!continues)
                continue;
            const QRectF row = line.rect().translated(box.topLeft());
            painter.drawLine(QPointF(1, row.top() + 2), QPointF(1, row.bottom() - 2));
        }
    }
}

// Pasted and dropped text keeps its own line ends.
void RawTextEdit::insertFromMimeData(const QMimeData* source)
{
    const QString text = source->text();
    if (isReadOnly() || text.isEmpty())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    removeSelection(cursor);
    insertExactText(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData* RawTextEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto* data = new QMimeData;
    data->setText(exactText(cursor.selectionStart(), cursor.selectionEnd()));
    m_ownData = data;
    return data;
}

RawTextEdit::Writer::Writer(RawTextEdit* edit)
    : m_edit(edit), m_undo(edit->document()->isUndoRedoEnabled())
{
    m_edit->clear();
    QTextDocument* document = m_edit->document();
    document->setUndoRedoEnabled(false);
    m_end = QTextCursor(document);
    m_end.beginEditBlock();
}

RawTextEdit::Writer::~Writer()
{
    m_shown.finish();
    m_end.endEditBlock();
    QTextDocument* document = m_edit->document();
    document->setUndoRedoEnabled(m_undo);
    document->setModified(false);
    m_edit->moveCursor(QTextCursor::Start);
}

void RawTextEdit::Writer::append(QStringView piece)
{
    m_shown.append(piece);
}

}  // namespace ui
