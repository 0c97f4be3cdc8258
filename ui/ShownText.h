#pragma once

#include "ui/LineEndTable.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace ui {

// Turns a text, given in pieces, into the characters a text document shows for it: one break
// ("\n" for a new paragraph, or a line separator inside one) for each line end, and a Piece
// break inside every line longer than kPieceLength. A CR LF split between two pieces stays one
// line end. Records the entries of the breaks that are not CR LF.
class ShownText {
public:
    static constexpr qsizetype kPieceLength = 1024;

    // position: where the first character will stand in the document.
    explicit ShownText(qsizetype position = 0) : m_position(position) {}

    // Appends the shown form of piece to out.
    void append(QStringView piece, QString& out);
    // The shown form of a CR held back at the end of the last piece.
    void finish(QString& out);

    const std::vector<LineEndTable::Entry>& entries() const { return m_entries; }

    static QString shown(QStringView text, std::vector<LineEndTable::Entry>* entries = nullptr,
                         qsizetype position = 0);

private:
    void lineBreak(LineEnd end, QChar*& out);

    qsizetype m_position;
    qsizetype m_lineLength = 0;
    qsizetype m_breaks = 0;
    qsizetype m_blockLines = 0;
    qsizetype m_blockLength = 0;
    bool m_pendingCr = false;
    std::vector<LineEndTable::Entry> m_entries;
};

}  // namespace ui
