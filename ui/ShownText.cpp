#include "ui/ShownText.h"

namespace ui {

namespace {

// A text document keeps one block per paragraph, and a million blocks take seconds to build.
// Past kGroupBreaksAbove breaks, the lines therefore go in as paragraphs of up to
// kLinesPerBlock lines or about kBlockLength characters, held apart by line separators: shown
// and moved through the same.
constexpr qsizetype kGroupBreaksAbove = 4096;
constexpr qsizetype kLinesPerBlock = 100;
constexpr qsizetype kBlockLength = 8192;

}  // namespace

void ShownText::lineBreak(LineEnd end, QChar*& out)
{
    if (end != LineEnd::CrLf)
        m_entries.push_back({m_position, end});
    ++m_position;
    m_lineLength = 0;
    const bool grouped = ++m_breaks > kGroupBreaksAbove;
    if (!grouped || ++m_blockLines >= kLinesPerBlock || m_blockLength >= kBlockLength) {
        *out++ = u'\n';
        m_blockLines = 0;
        m_blockLength = 0;
    } else {
        *out++ = QChar::LineSeparator;
        ++m_blockLength;
    }
}

void ShownText::append(QStringView piece, QString& out)
{
    const qsizetype kept = out.size();
    // At most one break more than the characters, and one per piece of a long line.
    out.resize(kept + piece.size() + piece.size() / kPieceLength + 2);
    QChar* const first = out.data();
    QChar* o = first + kept;
    for (const QChar c : piece) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (c == u'\n') {
                lineBreak(LineEnd::CrLf, o);
                continue;
            }
            lineBreak(LineEnd::Cr, o);
        }
        switch (c.unicode()) {
        case u'\r':
            m_pendingCr = true;
            continue;
        case u'\n':
            lineBreak(LineEnd::Lf, o);
            continue;
        case QChar::LineSeparator:
            lineBreak(LineEnd::LineSeparator, o);
            continue;
        case QChar::ParagraphSeparator:
            lineBreak(LineEnd::ParagraphSeparator, o);
            continue;
        default:
            break;
        }
        // A surrogate pair stays in one piece.
        if (m_lineLength >= kPieceLength && !c.isLowSurrogate())
            lineBreak(LineEnd::Piece, o);
        *o++ = c;
        ++m_position;
        ++m_lineLength;
        ++m_blockLength;
    }
    out.truncate(o - first);
}

void ShownText::finish(QString& out)
{
    if (!m_pendingCr)
        return;
    m_pendingCr = false;
    QChar end;
    QChar* o = &end;
    lineBreak(LineEnd::Cr, o);
    out += end;
}

QString ShownText::shown(QStringView text, std::vector<LineEndTable::Entry>* entries,
                         qsizetype position)
{
    ShownText shownText(position);
    QString out;
    shownText.append(text, out);
    shownText.finish(out);
    if (entries)
        *entries = std::move(shownText.m_entries);
    return out;
}

}  // namespace ui
