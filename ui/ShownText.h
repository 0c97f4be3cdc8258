#pragma once

#include "ui/LineEnd.h"

#include <QString>
#include <QStringView>
#include <QTextCursor>

namespace ui {

// Puts a text, given in pieces, into a text document at a cursor, with each line end as a
// break that carries what it stands for, and a Piece break inside every line longer than
// kPieceLength. A CR LF split between two pieces stays one line end. Characters the document
// keeps for itself become the code page's default character, as those it lacks do on the way
// to the printer. The caller holds the edit block.
class ShownText {
public:
    static constexpr qsizetype kPieceLength = 1024;

    // The text goes in at the cursor's position, and the cursor ends after it.
    explicit ShownText(QTextCursor& cursor);

    void append(QStringView piece);
    // Puts in the characters held back, all but a last CR that a LF may still join.
    void flush();
    // Puts in what is held back: the characters not yet written and a last CR.
    void finish();

private:
    void lineBreak(LineEnd end);

    QTextCursor& m_cursor;
    const QChar m_stand;  // for characters the document keeps for itself
    QString m_run;  // characters not yet put in; its line separators stand for m_runEnd
    LineEnd m_runEnd = LineEnd::CrLf;
    bool m_runHasBreak = false;
    qsizetype m_lineLength = 0;
    qsizetype m_breaks = 0;
    qsizetype m_blockLines = 0;
    qsizetype m_blockLength = 0;
    bool m_pendingCr = false;
};

}  // namespace ui
