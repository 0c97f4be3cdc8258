#pragma once

#include <QStringView>
#include <QTextFormat>

#include <cstdint>

class QTextBlock;

namespace ui {

// What one break of a text document stands for in the exact text. The document carries it:
// a paragraph break in the block format of the block after it, a line separator in its own
// character format, so that every edit, undo and redo keeps it. A format without the property
// is CrLf, what Enter gives. Piece is a break that only cuts a long line into pieces that lay
// out fast; it stands for nothing.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr, LineSeparator, ParagraphSeparator, Piece };

constexpr int kLineEndProperty = QTextFormat::UserProperty;

QStringView writtenLineEnd(LineEnd end);
LineEnd lineEndOf(const QTextFormat& format);
// The end of the break in front of the block; the first block has none.
LineEnd lineEndBefore(const QTextBlock& block);
QTextBlockFormat blockFormatFor(LineEnd end);
QTextCharFormat charFormatFor(LineEnd end);

}  // namespace ui
