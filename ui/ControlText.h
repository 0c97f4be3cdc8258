#pragma once

#include <QString>

class QTextDocument;
class QWidget;

namespace ui {

// The window text of a control, as the class library's GetWindowText/SetWindowText see it:
// multi-line edits and labels hold their line ends as "\r\n"; a RawTextEdit holds its text's
// own.
QString controlText(const QWidget* control);
// An unchanged text is not set again, so the caret and scroll position stay. A text moved in
// is reused for the control's own form of it.
void setControlText(QWidget* control, QString text);

// A text document's characters with "\n" between its lines: one character per cursor
// position, so positions in it are the document's own.
QString documentLines(const QTextDocument* document);

// "\r\n" and a lone "\r" become "\n" (what a Qt text control shows), and back to "\r\n".
QString toDisplayLines(const QString& text);
QString toWindowsLines(const QString& text);

}  // namespace ui
