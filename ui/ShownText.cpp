#include "ui/ShownText.h"

#include "platform/Services.h"

namespace ui {

namespace {

// A text document keeps one block per paragraph, and a million blocks take seconds to build.
// Past kGroupBreaksAbove line ends, the lines therefore go in as paragraphs of up to
// kLinesPerBlock lines or about kBlockLength characters, held apart by line separators.
constexpr qsizetype kGroupBreaksAbove = 4096;
constexpr qsizetype kLinesPerBlock = 100;
constexpr qsizetype kBlockLength = 8192;

// What an unmappable character becomes in the ANSI code page, read back.
QChar standInCharacter()
{
    const platform::CodePage& page = platform::codePage();
    const QString back = page.toWide(page.fromWide(u"\uFDD0"));
    return back.size() == 1 ? back.front() : QChar(u'?');
}

// The frame marks: a text document reads them as its own structure.
bool keptByTheDocument(QChar c)
{
    return c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

}  // namespace

ShownText::ShownText(QTextCursor& cursor) : m_cursor(cursor), m_stand(standInCharacter()) {}

void ShownText::flush()
{
    if (!m_run.isEmpty())
        m_cursor.insertText(m_run, charFormatFor(m_runEnd));
    m_run.clear();
    m_runEnd = LineEnd::CrLf;
    m_runHasBreak = false;
}

void ShownText::lineBreak(LineEnd end)
{
    m_lineLength = 0;
    // A cut point is always a paragraph of its own, so that a piece lays out alone.
    const bool grouped = end != LineEnd::Piece && ++m_breaks > kGroupBreaksAbove;
    if (!grouped || ++m_blockLines >= kLinesPerBlock || m_blockLength >= kBlockLength) {
        flush();
        m_cursor.insertBlock(blockFormatFor(end), QTextCharFormat());
        m_blockLines = 0;
        m_blockLength = 0;
        return;
    }
    // The line separators of one run stand for one line end.
    if (m_runHasBreak && end != m_runEnd)
        flush();
    m_runEnd = end;  // the characters before it stand for themselves in any format
    m_runHasBreak = true;
    m_run += QChar::LineSeparator;
    ++m_blockLength;
}

void ShownText::append(QStringView piece)
{
    for (const QChar c : piece) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c == u'\n') {
                lineBreak(LineEnd::CrLf);
                continue;
            }
            lineBreak(LineEnd::Cr);
        }
        switch (c.unicode()) {
        case u'\r':
            m_pendingCr = true;
            continue;
        case u'\n':
            lineBreak(LineEnd::Lf);
            continue;
        case QChar::LineSeparator:
            lineBreak(LineEnd::LineSeparator);
            continue;
        case QChar::ParagraphSeparator:
            lineBreak(LineEnd::ParagraphSeparator);
            continue;
        default:
            break;
        }
        // A surrogate pair stays in one piece.
        if (m_lineLength >= kPieceLength && !c.isLowSurrogate())
            lineBreak(LineEnd::Piece);
        m_run += keptByTheDocument(c) ? m_stand : c;
        ++m_lineLength;
        ++m_blockLength;
    }
}

void ShownText::finish()
{
    if (m_pendingCr) {
        m_pendingCr = false;
        lineBreak(LineEnd::Cr);
    }
    flush();
}

}  // namespace ui
