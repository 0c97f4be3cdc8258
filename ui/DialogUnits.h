#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QLineEdit;

namespace ui {

// Templates measure in dialog units: a quarter of the dialog font's average character width
// across, an eighth of its height down. Every window converts with the same font, so a
// template keeps its proportions whatever font the desktop gives the program.
class DialogUnits {
public:
    // The templates' font ("MS Shell Dlg" 8 point): the program's own family at 8 points.
    static QFont font();
    // Average character width and height of that font, in pixels.
    static QSize baseUnits();
    static int toPixelsX(int units);
    static int toPixelsY(int units);
    static QSize toPixels(const QSize& units);
    static QRect toPixels(const QRect& units);

    // The width an edit needs to show `text` in full, frame and margins included.
    static int editWidthFor(const QLineEdit& edit, const QString& text);
    // The width inside an edit's frame and margins that its text may take.
    static int editTextRoom(const QLineEdit& edit);
};

}  // namespace ui
