#pragma once

#include <QString>
#include <QTextCursor>

#include <memory>

class QPlainTextEdit;
class QTextDocument;
class QWidget;

namespace ui {

// The window text of a control, as the class library's GetWindowText/SetWindowText see it:
// multi-line edits and labels hold their line ends as "\r\n".
QString controlText(const QWidget* control);
// An unchanged text is not set again, so the caret and scroll position stay. A text moved in
// is reused for the control's own form of it.
void setControlText(QWidget* control, QString text);

// Puts a text into an emptied multi-line edit piece by piece, as setControlText would put it
// whole, so that a long text is never held beside the document's own copy. lineEnds is the
// count of "\r" and "\n" of the whole text; the last piece is in when the writer goes.
class PlainTextWriter {
public:
    PlainTextWriter(QPlainTextEdit* edit, qsizetype lineEnds);
    ~PlainTextWriter();
    PlainTextWriter(const PlainTextWriter&) = delete;
    PlainTextWriter& operator=(const PlainTextWriter&) = delete;

    void append(QStringView piece);

private:
    struct Lines;
    QPlainTextEdit* m_edit;
    std::unique_ptr<Lines> m_lines;
    QString m_piece;
    bool m_started = false;
    bool m_undo = true;
    QTextCursor m_end;
};

// A text document's characters with "\n" between its lines: one character per cursor
// position, so positions in it are the document's own.
QString documentLines(const QTextDocument* document);

// "\r\n" and a lone "\r" become "\n" (what a Qt text control shows), and back to "\r\n".
QString toDisplayLines(const QString& text);
QString toWindowsLines(const QString& text);

}  // namespace ui
