#include "ui/LineEnd.h"

#include <QTextBlock>

namespace ui {

QStringView writtenLineEnd(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf:
        return u"\r\n";
    case LineEnd::Lf:
        return u"\n";
    case LineEnd::Cr:
        return u"\r";
    case LineEnd::LineSeparator:
        return u"\u2028";
    case LineEnd::ParagraphSeparator:
        return u"\u2029";
    case LineEnd::Piece:
        break;
    }
    return {};
}

LineEnd lineEndOf(const QTextFormat& format)
{
    const int end = format.intProperty(kLineEndProperty);
    return end >= 0 && end <= int(LineEnd::Piece) ? LineEnd(end) : LineEnd::CrLf;
}

LineEnd lineEndBefore(const QTextBlock& block)
{
    // The format of the paragraph break in front of the block.
    return lineEndOf(block.charFormat());
}

QTextCharFormat charFormatFor(LineEnd end)
{
    QTextCharFormat format;
    if (end != LineEnd::CrLf)
        format.setProperty(kLineEndProperty, int(end));
    return format;
}

}  // namespace ui
