#pragma once

#include "ui/LineEndTable.h"
#include "ui/ShownText.h"

#include <QPlainTextEdit>
#include <QString>
#include <QTextCursor>

#include <vector>

class QMimeData;

namespace ui {

// A multi-line edit whose text keeps its own line ends: a text set, loaded or pasted comes
// back byte for byte (lone CR, lone LF, CR LF, line and paragraph separators), while every
// line end shows as a line break; Enter gives CR LF. A line of any length shows in pieces,
// so that its layout stays fast.
class RawTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit RawTextEdit(QWidget* parent = nullptr);

    QString text() const;
    // An unchanged text is not set again, so the caret and scroll position stay.
    void setText(const QString& text);

    // Replaces `length` characters at each of the document positions (ascending, apart) by
    // the replacement, in one undo step; the line ends between them stay. Returns the
    // position after the last replacement.
    qsizetype replaceAt(const std::vector<qsizetype>& positions, qsizetype length,
                        const QString& replacement);

    // Puts a text into the emptied edit piece by piece, as setText would put it whole, so that
    // a long text is never held beside the document's own copy. The last piece is in when
    // the writer goes.
    class Writer {
    public:
        explicit Writer(RawTextEdit* edit);
        ~Writer();
        Writer(const Writer&) = delete;
        Writer& operator=(const Writer&) = delete;

        void append(QStringView piece);

    private:
        void put();

        RawTextEdit* m_edit;
        ShownText m_shown;
        QString m_piece;
        bool m_started = false;
        bool m_undo = true;
        QTextCursor m_end;
    };

protected:
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void contentsChange(int position, int removed, int added);

    LineEndTable m_ends;
    bool m_ownChange = false;  // the table follows a change of ours by itself
    std::vector<LineEndTable::Entry> m_inserted;  // of a paste the document has not reported
    mutable QString m_text;  // the text while the document is unchanged
    mutable bool m_textKnown = false;
};

}  // namespace ui
