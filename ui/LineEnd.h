#pragma once

#include <QStringView>
#include <QTextFormat>

#include <cstdint>

class QTextBlock;

namespace ui {

// What one break of a text document stands for in the exact text. The break's own character
// carries it in its character format, a paragraph break and a line separator alike: a text
// document keeps a character's format through every removal, undo and redo, so no edit has to
// put it back. A format without the property is CrLf, what Enter gives. Piece is a break that
// only cuts a long line into pieces that lay out fast; it stands for nothing.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr, LineSeparator, ParagraphSeparator, Piece };

constexpr int kLineEndProperty = QTextFormat::UserProperty;

QStringView writtenLineEnd(LineEnd end);
LineEnd lineEndOf(const QTextFormat& format);
// The end of the break in front of the block; the first block has none.
LineEnd lineEndBefore(const QTextBlock& block);
QTextCharFormat charFormatFor(LineEnd end);

}  // namespace ui
