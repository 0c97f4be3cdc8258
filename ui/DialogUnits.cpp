#include "ui/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {

// A dialog unit count times a base unit, divided and rounded as the templates' own
// conversion does.
int scaled(int units, int base, int divisor)
{
    const long long product = static_cast<long long>(units) * base;
    return static_cast<int>((product + (product >= 0 ? divisor / 2 : -divisor / 2)) / divisor);
}

// QLineEdit keeps this much room on each side of its text, inside the contents rectangle.
constexpr int kEditTextMargin = 2;

QRect editContents(const QLineEdit& edit, int width)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = QRect(0, 0, width, edit.height());
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    QRect r = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins m = edit.textMargins();
    return r.marginsRemoved(m);
}

}  // namespace

QFont DialogUnits::font()
{
    QFont f = QApplication::font();
    f.setPointSize(8);
    return f;
}

QSize DialogUnits::baseUnits()
{
    const QFontMetrics metrics(font());
    return QSize(metrics.averageCharWidth(), metrics.height());
}

int DialogUnits::toPixelsX(int units)
{
    return scaled(units, baseUnits().width(), 4);
}

int DialogUnits::toPixelsY(int units)
{
    return scaled(units, baseUnits().height(), 8);
}

QSize DialogUnits::toPixels(const QSize& units)
{
    return QSize(toPixelsX(units.width()), toPixelsY(units.height()));
}

QRect DialogUnits::toPixels(const QRect& units)
{
    const int left = toPixelsX(units.x());
    const int top = toPixelsY(units.y());
    return QRect(left, top, toPixelsX(units.x() + units.width()) - left,
                 toPixelsY(units.y() + units.height()) - top);
}

int DialogUnits::editTextRoom(const QLineEdit& edit)
{
    return editContents(edit, edit.width()).width() - 2 * kEditTextMargin;
}

int DialogUnits::editWidthFor(const QLineEdit& edit, const QString& text)
{
    // The frame and margins take the same room at any width.
    const int probe = 1000;
    const int chrome = probe - editContents(edit, probe).width() + 2 * kEditTextMargin;
    // A caret's width more, so the text does not scroll when the caret sits at its end.
    return QFontMetrics(edit.font()).horizontalAdvance(text) + chrome + 1;
}

}  // namespace ui
