#include "ui/PictureScrollView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace ui {

class PictureScrollView::Canvas : public QWidget {
public:
    explicit Canvas(const PictureScrollView& view) : m_view(view) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_view.hasImage()) {
            painter.fillRect(rect(), palette().color(QPalette::Base));
            painter.drawImage(0, 0, m_view.image());
        } else {
            painter.setPen(Qt::black);
            painter.setBrush(QColor(238, 238, 238));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            if (!m_view.text().isEmpty())
                painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_view.text());
        }
    }

private:
    const PictureScrollView& m_view;
};

PictureScrollView::PictureScrollView(QWidget* parent)
    : QScrollArea(parent), m_canvas(new Canvas(*this))
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setWidgetResizable(true);  // the canvas fills the view and grows to the picture
    setWidget(m_canvas);
}

void PictureScrollView::setImage(const QImage& image)
{
    m_image = image;
    m_canvas->setMinimumSize(m_image.size());
    // The scroll range follows now rather than at the next event loop pass.
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &layout);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    m_canvas->update();
}

void PictureScrollView::clearImage()
{
    m_text.clear();
    setImage(QImage());
}

void PictureScrollView::setText(const QString& text)
{
    clearImage();
    m_text = text;
    m_canvas->update();
}

}  // namespace ui
