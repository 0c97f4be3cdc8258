#include "ui/RawTextEdit.h"

#include "ui/LargeTextRelease.h"
#include "ui/LineGroups.h"
#include "ui/ShownText.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
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

// Takes the break at `separator` out, and the lines on both sides join. The break before
// them stays: its record is its own character's format.
void joinAt(QTextDocument* document, int separator)
{
    QTextCursor cursor(document);
    cursor.setPosition(separator);
    cursor.setPosition(separator + 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// A cut point with nothing of its line on one side: a piece that is empty, or one that a line
// end inside a group of lines borders.
bool isBareCut(const QTextDocument* document, const QTextBlock& block)
{
    if (!isCut(block))
        return false;
    const int at = block.position();
    return block.length() == 1 || block.previous().length() == 1 ||
           document->characterAt(at - 2) == QChar::LineSeparator ||
           document->characterAt(at) == QChar::LineSeparator;
}

// A bare cut point goes, so that it never shows as an empty row.
void dropBareCuts(QTextDocument* document, int position)
{
    QTextBlock block = document->findBlock(position);
    if (block.previous().isValid())
        block = block.previous();
    for (int i = 0; i < 3 && block.isValid(); ++i) {
        const QTextBlock next = block.next();
        if (isBareCut(document, block)) {
            const QTextBlock previous = block.previous();
            joinAt(document, block.position() - 1);
            block = previous;
            continue;
        }
        block = next;
    }
}

// A piece longer than the piece length, which only an edit inside it can make, is cut into
// pieces of equal length.
void cutLongPieces(QTextDocument* document, int position)
{
    constexpr qsizetype kMost = ShownText::kPieceLength - 1;  // room to keep a surrogate pair whole
    const QTextBlock block = document->findBlock(position);
    if (block.length() - 1 <= ShownText::kPieceLength)
        return;
    const QString text = block.text();
    std::vector<int> cuts;
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(QChar::LineSeparator, start);
        if (end < 0)
            end = text.size();
        const qsizetype length = end - start;
        if (length > ShownText::kPieceLength) {
            const qsizetype pieces = (length + kMost - 1) / kMost;
            for (qsizetype i = 1; i < pieces; ++i) {
                qsizetype at = start + length * i / pieces;
                if (text.at(at).isLowSurrogate() && text.at(at - 1).isHighSurrogate())
                    --at;
                cuts.push_back(block.position() + int(at));
            }
        }
        start = end + 1;
    }
    QTextCursor cursor(document);
    for (auto at = cuts.rbegin(); at != cuts.rend(); ++at) {
        cursor.setPosition(*at);
        cursor.insertBlock(QTextBlockFormat(), charFormatFor(LineEnd::Piece));
    }
}

// Where an edit met the text around it: no cut point left bare, no piece grown too long.
void tidyAt(QTextDocument* document, int position)
{
    QTextCursor at(document);
    at.setPosition(position);
    dropBareCuts(document, at.position());
    cutLongPieces(document, at.position());
}

// Removes the cursor's selection in the edit block the caller holds, and tidies where the
// two sides meet.
void removeSelection(QTextCursor& cursor)
{
    if (!cursor.hasSelection())
        return;
    cursor.removeSelectedText();
    tidyAt(cursor.document(), cursor.position());
}

// Puts an exact text in at the cursor, in the edit block the caller holds.
void insertExactText(QTextCursor& cursor, QStringView text)
{
    const int start = cursor.position();
    ShownText shown(cursor);
    shown.append(text);
    shown.finish();
    tidyAt(cursor.document(), start);
    tidyAt(cursor.document(), cursor.position());
}

// A key that the base class would put in as text; Ctrl and Ctrl+Shift are commands, while
// AltGr, which some systems report as Ctrl+Alt, gives text.
bool givesText(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

// The three kinds of character that the base class's word movement tells apart.
enum class WordClass { Space, Separator, Other };

WordClass wordClassOf(QChar c)
{
    if (c.isSpace())
        return WordClass::Space;
    switch (c.unicode()) {
    case u'.': case u',': case u'?': case u'!': case u'@': case u'#': case u'$': case u':':
    case u';': case u'-': case u'<': case u'>': case u'[': case u']': case u'(': case u')':
    case u'{': case u'}': case u'=': case u'/': case u'+': case u'%': case u'&': case u'^':
    case u'*': case u'\'': case u'"': case u'`': case u'~': case u'|': case u'\\':
        return WordClass::Separator;
    default:
        return WordClass::Other;
    }
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
    m_snapshot.reset();
    m_exactSelection.reset();
}

QString RawTextEdit::exactText(qsizetype from, qsizetype to) const
{
    QString out;
    out.reserve(2 * (to - from));  // the most it can come to: every character a CR LF
    walk(from, to, out, nullptr);
    return out;
}

void RawTextEdit::walk(qsizetype from, qsizetype to, QString& out, std::vector<Break>* breaks) const
{
    // A long text reads the document's characters a block at a time, a short one fragment by
    // fragment; a copy of the whole would take fresh pages each time.
    const bool whole = to - from > 64 * 1024;
    qsizetype length = 0;  // of the exact text so far
    auto lineEnd = [&](qsizetype at, LineEnd end) {
        if (breaks)
            breaks->push_back({at, length, end});
        const QStringView written = writtenLineEnd(end);
        out += written;
        length += written.size();
    };
    auto put = [&](QStringView run) {
        out += run;
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
    return snapshot().text;
}

// The text and its breaks come from one walk through the document: a search of the text
// maps its positions back through the breaks.
const RawTextEdit::Snapshot& RawTextEdit::snapshot() const
{
    if (!m_snapshot) {
        const qsizetype end = lastPosition(document());
        Snapshot& taken = m_snapshot.emplace();
        // Room for the most there can be, so nothing is copied as it grows: a character
        // gives at most two (a CR LF), a block at most one break per line of its group. Pages
        // that are never written take no memory.
        taken.breaks.reserve(std::min<qsizetype>(end + 1, qsizetype(document()->blockCount()) * kLinesPerGroup));
        taken.text.reserve(2 * end);
        walk(0, end, taken.text, &taken.breaks);
    }
    return *m_snapshot;
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
    // The place after the last replacement: what follows goes in after it, and it moves with
    // what the tidying below takes out or puts in before it.
    QTextCursor after(document());
    after.setPosition(cursor.position());
    after.setKeepPositionOnInsert(true);
    shown.append(exact.sliced(last, tail - last));
    shown.finish();
    // Only where the new text meets the old can a piece be left bare or grow too long.
    tidyAt(document(), int(from));
    tidyAt(document(), cursor.position());
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
        cursor.insertBlock(QTextBlockFormat(), charFormatFor(LineEnd::CrLf));
        dropBareCuts(document(), cursor.position());
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

// The keys that remove text remove it here: a removal tidies the cut points it reaches, and a
// word or a line goes on over them. Typed text over a selection, or into a full piece, goes in
// here too.
bool RawTextEdit::removeByKey(QKeyEvent* event)
{
    QTextCursor cursor = textCursor();
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return true;
    }
    if (givesText(event)) {
        if (!cursor.hasSelection() && !pieceIsFull(cursor))
            return false;
        insertTyped(event->text());
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
            cursor.setPosition(int(previousWordStop(at)), QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
            cursor.setPosition(int(nextWordStop(at)), QTextCursor::KeepAnchor);
        } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
            // As Shift+End and Delete: to the end of the line, or at its end the line end.
            const qsizetype end = lineEnd(at);
            cursor.setPosition(int(end > at ? end : std::min<qsizetype>(at + 1, lastPosition(doc))),
                               QTextCursor::KeepAnchor);
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

void RawTextEdit::insertTyped(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    removeSelection(cursor);
    insertExactText(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

// One more character would make the piece at the cursor longer than a piece may be.
bool RawTextEdit::pieceIsFull(const QTextCursor& cursor) const
{
    const QTextBlock block = cursor.block();
    if (block.length() - 1 < ShownText::kPieceLength)
        return false;
    const QString text = block.text();
    const qsizetype in = cursor.positionInBlock();
    const qsizetype start = in > 0 ? text.lastIndexOf(QChar::LineSeparator, in - 1) + 1 : 0;
    qsizetype end = text.indexOf(QChar::LineSeparator, in);
    if (end < 0)
        end = text.size();
    return end - start >= ShownText::kPieceLength;
}

// An input method's text goes in as typed text does; what it is still composing stays with
// the base class.
void RawTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly() || event->commitString().isEmpty() || event->replacementLength() != 0) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    insertTyped(event->commitString());
    QInputMethodEvent composing(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&composing);
    event->accept();
}

// The base class's word movement, over the characters of the exact line: a cut point is no
// character and no stop. At the start or the end of a line the stop is past its line end.
qsizetype RawTextEdit::previousWordStop(qsizetype position) const
{
    const QTextDocument* doc = document();
    // The character before p on its line, or -1 at the line's start.
    auto before = [doc](qsizetype p) -> qsizetype {
        if (p == 0)
            return -1;
        const QTextBlock block = doc->findBlock(int(p));
        if (p == block.position()) {
            if (!isCut(block))
                return -1;
            --p;
        }
        return doc->characterAt(int(p - 1)) == QChar::LineSeparator ? -1 : p - 1;
    };
    auto classAt = [doc](qsizetype c) { return wordClassOf(doc->characterAt(int(c))); };
    qsizetype c = before(position);
    if (c < 0)
        return position == 0 ? 0 : position - 1;
    while (c >= 0 && classAt(c) == WordClass::Space) {
        position = c;
        c = before(position);
    }
    if (c < 0)
        return position;
    const WordClass word = classAt(c);
    while (c >= 0 && classAt(c) == word) {
        position = c;
        c = before(position);
    }
    return position;
}

qsizetype RawTextEdit::nextWordStop(qsizetype position) const
{
    const QTextDocument* doc = document();
    const qsizetype last = lastPosition(doc);
    // The character at p on its line, or -1 at the line's end.
    auto at = [doc, last](qsizetype p) -> qsizetype {
        if (p >= last)
            return -1;
        const QTextBlock block = doc->findBlock(int(p));
        if (p == block.position() + block.length() - 1) {
            if (!isCut(block.next()))
                return -1;
            ++p;
        }
        return doc->characterAt(int(p)) == QChar::LineSeparator ? -1 : p;
    };
    auto classAt = [doc](qsizetype c) { return wordClassOf(doc->characterAt(int(c))); };
    qsizetype c = at(position);
    if (c < 0)
        return std::min(position + 1, last);
    while (c >= 0 && classAt(c) == WordClass::Space) {
        position = c + 1;
        c = at(position);
    }
    if (c >= 0) {
        const WordClass word = classAt(c);
        while (c >= 0 && classAt(c) == word) {
            position = c + 1;
            c = at(position);
        }
    }
    while (c >= 0 && classAt(c) == WordClass::Space) {
        position = c + 1;
        c = at(position);
    }
    return position;
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
    m_tripleClickAt.reset();
    // The line under the press, before the base class's selection of a triple click scrolls.
    const std::optional<qsizetype> at =
        triple ? std::optional<qsizetype>(cursorForPosition(event->position().toPoint()).position())
               : std::nullopt;
    QPlainTextEdit::mousePressEvent(event);
    if (!at)
        return;
    m_tripleClickAt = at;
    selectLine(*at);
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
    insertTyped(text);
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
