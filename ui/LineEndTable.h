#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace ui {

// What one shown line break of a text document stands for in the text itself. A break
// without an entry is "\r\n", what Enter gives; Piece is a break shown only to cut a long
// line into pieces that lay out fast, and stands for nothing.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr, LineSeparator, ParagraphSeparator, Piece };

// The line ends of a document's breaks that are not "\r\n", by document position, kept in
// step with the document's changes.
class LineEndTable {
public:
    struct Entry {
        qsizetype position;
        LineEnd end;
    };

    void clear() { m_entries.clear(); }
    bool isEmpty() const { return m_entries.empty(); }

    // The document replaced `removed` characters at `position` by `added` others: entries in
    // the removed ones go, those after them move.
    void change(qsizetype position, qsizetype removed, qsizetype added);
    // The document replaced `length` characters at each of the positions (ascending, apart, as
    // they stood before) by `added` others.
    void replaceAt(const std::vector<qsizetype>& positions, qsizetype length, qsizetype added);
    // Entries of characters just inserted: sorted, and none at a position already held.
    void insert(const std::vector<Entry>& entries);

    // The text that the document characters `shown`, which start at document position
    // `from`, stand for. A break is a paragraph or line separator of the document's raw text.
    QString text(QStringView shown, qsizetype from) const;

private:
    std::vector<Entry> m_entries;  // sorted by position
};

}  // namespace ui
