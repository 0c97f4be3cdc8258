#pragma once

#include <QColor>
#include <QLabel>

namespace ui {

// A static text whose text and background colours can be set; an invalid colour means
// the default one.
class ColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit ColorStatic(QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    QColor textColor() const { return m_text; }
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const { return m_background; }

private:
    void applyColors();

    QColor m_text;
    QColor m_background;
};

}  // namespace ui
