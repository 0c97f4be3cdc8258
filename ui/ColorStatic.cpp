#include "ui/ColorStatic.h"

namespace ui {

ColorStatic::ColorStatic(QWidget* parent) : QLabel(parent) {}

void ColorStatic::setTextColor(const QColor& color)
{
    m_text = color;
    applyColors();
}

void ColorStatic::setBackgroundColor(const QColor& color)
{
    m_background = color;
    applyColors();
}

void ColorStatic::applyColors()
{
    QPalette colors = palette();
    const QPalette defaults = parentWidget() ? parentWidget()->palette() : QPalette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::WindowText,
                        m_text.isValid() ? m_text : defaults.color(group, QPalette::WindowText));
        colors.setColor(group, QPalette::Window,
                        m_background.isValid() ? m_background
                                               : defaults.color(group, QPalette::Window));
    }
    setPalette(colors);
    setAutoFillBackground(m_background.isValid());
}

}  // namespace ui
