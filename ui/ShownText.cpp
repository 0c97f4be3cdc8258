#include "ui/ShownText.h"

#include "platform/Services.h"
#include "ui/LineGroups.h"

#include <algorithm>

namespace ui {

namespace {

// A group of lines also ends at about kBlockLength characters.
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

// A character that is not put in as it is: a line end or a frame mark.
bool isSpecial(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x2028)
        return u == u'\r' || u == u'\n';
    return u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

}  // namespace

ShownText::ShownText(QTextCursor& cursor) : m_cursor(cursor), m_stand(standInCharacter()) {}

void ShownText::flush()
{
    if (!m_run.isEmpty())
        m_cursor.insertText(m_run, charFormatFor(m_runEnd));
    m_run.resize(0);  // keeps its room for the next run
    m_runEnd = LineEnd::CrLf;
    m_runHasBreak = false;
}

void ShownText::lineBreak(LineEnd end)
{
    m_lineLength = 0;
    // A cut point is always a paragraph of its own, so that a piece lays out alone.
    const bool grouped = end != LineEnd::Piece && ++m_breaks > kGroupLineEndsAbove;
    if (!grouped || ++m_blockLines >= kLinesPerGroup || m_blockLength >= kBlockLength) {
        flush();
        m_cursor.insertBlock(QTextBlockFormat(), charFormatFor(end));
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
    const QChar* c = piece.data();
    const QChar* const end = c + piece.size();
    while (c != end) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (*c == u'\n') {
                lineBreak(LineEnd::CrLf);
                ++c;
                continue;
            }
            lineBreak(LineEnd::Cr);
        }
        switch (c->unicode()) {
        case u'\r':
            m_pendingCr = true;
            ++c;
            continue;
        case u'\n':
            lineBreak(LineEnd::Lf);
            ++c;
            continue;
        case QChar::LineSeparator:
            lineBreak(LineEnd::LineSeparator);
            ++c;
            continue;
        case QChar::ParagraphSeparator:
            lineBreak(LineEnd::ParagraphSeparator);
            ++c;
            continue;
        default:
            break;
        }
        // A surrogate pair stays in one piece: one that would end a piece starts the next.
        if ((m_lineLength >= kPieceLength && !c->isLowSurrogate()) ||
            (m_lineLength == kPieceLength - 1 && c->isHighSurrogate()))
            lineBreak(LineEnd::Piece);
        if (keptByTheDocument(*c)) {
            m_run += m_stand;
            ++m_lineLength;
            ++m_blockLength;
            ++c;
            continue;
        }
        // The characters up to the next line end, stand-in or cut point go in whole.
        const QChar* run = c;
        const QChar* const limit = run + std::min<qsizetype>(end - run, std::max<qsizetype>(kPieceLength - m_lineLength, 1));
        while (c != limit && !isSpecial(*c))
            ++c;
        if (c - run > 1 && c == limit && (c - 1)->isHighSurrogate())
            --c;
        m_run.append(run, c - run);
        m_lineLength += c - run;
        m_blockLength += c - run;
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
