#pragma once

#include "ui/LineEnd.h"
#include "ui/ShownText.h"

#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QTextCursor>

#include <optional>
#include <utility>
#include <vector>

namespace ui {

// A multi-line edit whose text keeps its own line ends: a text set, loaded, pasted or
// dropped comes back byte for byte (lone CR, lone LF, CR LF, line and paragraph separators)
// through every edit, undo and redo, while every line end shows as a line break; Enter gives
// CR LF. Only U+FDD0 and U+FDD1, which a text document keeps for itself, come back as the
// code page's default character. The document itself carries what each break stands for. A
// line of any length shows in pieces of at most ShownText::kPieceLength, so that its layout
// stays fast; to the keys, the mouse and the text a cut between two pieces is no position of
// its own.
class RawTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RawTextEdit(QWidget* parent = nullptr);
    ~RawTextEdit() override;

    QString text() const;
    // A new text, as the Writer puts it in. An unchanged text is not set again, so the caret
    // and scroll position stay.
    void setText(const QString& text);

    // Positions in text() (UTF-16 units) and in the document. One inside a two-character
    // line end rounds down to the break or, with roundUp, past it.
    qsizetype exactPosition(qsizetype documentPosition) const;
    qsizetype documentPosition(qsizetype exactPosition, bool roundUp = false) const;

    // Selects text() from start to end; exactSelection() gives that back while the selection
    // and the text stay as they are, and otherwise the selection's own extent.
    void selectExact(qsizetype start, qsizetype end);
    std::pair<qsizetype, qsizetype> exactSelection() const;

    // Replaces text() from start to end by the replacement, in one undo step.
    void replaceExact(qsizetype start, qsizetype end, QStringView replacement);
    // Replaces `length` characters of text() at each of the positions (ascending, apart) by
    // the replacement, in one edit and one undo step; the caret ends after the last one.
    void replaceAll(const std::vector<qsizetype>& positions, qsizetype length,
                    const QString& replacement);

    // Puts a text into the emptied edit piece by piece, so that a long text is never held
    // beside the document's own copy. The edit ends as for a new text: caret at the start,
    // no undo, unmodified. The last piece is in when the writer goes.
    class Writer {
    public:
        explicit Writer(RawTextEdit* edit);
        ~Writer();
        Writer(const Writer&) = delete;
        Writer& operator=(const Writer&) = delete;

        void append(QStringView piece);

    private:
        RawTextEdit* m_edit;
        bool m_undo;
        QTextCursor m_end;
        ShownText m_shown{m_end};
    };

public Q_SLOTS:
    // Removes the selection as the keys do, into the clipboard. The base class's cut() is no
    // virtual: this slot stands in for it by name (menus, invokeMethod) and for every caller
    // that holds a RawTextEdit. One through a QPlainTextEdit* gets Qt's own removal, which
    // keeps every line end too, but leaves a cut point it bares in place.
    void cut();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    struct Break {
        qsizetype document;  // where the break stands
        qsizetype exact;     // where what it stands for starts in text()
        LineEnd end;
    };
    struct Selection {
        qsizetype start, end, anchor, position;
    };

    // The exact text of the document from `from` to `to`.
    QString exactText(qsizetype from, qsizetype to) const;
    struct Snapshot {
        QString text;
        std::vector<Break> breaks;
    };

    // Goes through the document from `from` to `to`, writing the exact text to `out` and, where
    // asked, its breaks to `breaks`.
    void walk(qsizetype from, qsizetype to, QString& out, std::vector<Break>* breaks) const;
    const Snapshot& snapshot() const;
    const std::vector<Break>& breaks() const { return snapshot().breaks; }
    void contentsChange();
    // Replaces `length` characters of text() at each of the positions (ascending, apart, at
    // least one) by the replacement, in one edit; the document position after the last.
    int replaceRanges(const std::vector<qsizetype>& positions, qsizetype length,
                      QStringView replacement);
    void stepOverCut(QKeyEvent* event);
    bool removeByKey(QKeyEvent* event);
    // Puts typed, pasted or dropped text in over the selection, in one edit.
    void insertTyped(const QString& text);
    bool pieceIsFull(const QTextCursor& cursor) const;
    // Where Ctrl+Backspace and Ctrl+Delete stop: a word goes on over a cut point.
    qsizetype previousWordStop(qsizetype position) const;
    qsizetype nextWordStop(qsizetype position) const;
    // Removes the cursor's selection in one edit and makes it the edit's cursor.
    void removeSelected(QTextCursor cursor);
    void extendWordOverCuts();
    qsizetype lineStart(qsizetype position) const;
    qsizetype lineEnd(qsizetype position) const;
    void selectLine(qsizetype position);

    // Derived from the document, and dropped at each of its changes.
    mutable std::optional<Snapshot> m_snapshot;
    std::optional<Selection> m_exactSelection;
    mutable QPointer<QMimeData> m_ownData;  // made of the selection, for a drag or a copy

    QElapsedTimer m_sinceDoubleClick;
    QPointF m_doubleClickAt;
    std::optional<qsizetype> m_tripleClickAt;
};

}  // namespace ui
