#pragma once

#include <QImage>
#include <QScrollArea>

namespace ui {

// A scrolling view of one picture, drawn at its own size from the top-left corner,
// unscaled and unsmoothed. Without a picture the view is a grey area with a thin black
// outline, with a line of text in it when one is set.
class PictureScrollView : public QScrollArea {
    Q_OBJECT
public:
    explicit PictureScrollView(QWidget* parent = nullptr);

    void setImage(const QImage& image);  // scrolls back to the top-left corner
    void clearImage();  // and the text
    // No picture, the text in its place.
    void setText(const QString& text);
    const QString& text() const { return m_text; }
    const QImage& image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }

private:
    class Canvas;

    QImage m_image;
    QString m_text;
    Canvas* m_canvas;
};

}  // namespace ui
