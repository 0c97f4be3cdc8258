#pragma once

#include "platform/MonoBitmap.h"
#include "platform/Services.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <memory>

// Pictures for the tests: written with Qt, read back with the picture library.
namespace picturefiles {

// A colour picture with gradients and a few sharp shapes, so each dither differs.
inline QImage colourPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int r = 255 * x / std::max(1, width - 1);
            const int g = 255 * y / std::max(1, height - 1);
            const int b = ((x / 7 + y / 5) % 2) ? 200 : 30;
            image.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return image;
}

// The picture as the library decodes it from `path` and converts it with `method`
// (-1: the reduction), as 1-bit pixels.
inline platform::MonoBitmap converted(const QString& path, int method)
{
    platform::PictureLibrary& library = platform::pictures();
    const QString extension = path.mid(path.lastIndexOf(u'.') + 1);
    std::unique_ptr<platform::Picture> picture = library.load(path, library.formatFromExtension(extension));
    platform::MonoBitmap mono;
    if (!picture)
        return mono;
    if (method >= 0)
        picture->dither(method);
    if (picture->bitsPerPixel() > 1)
        picture->reduceTo1Bit();
    picture->toMono(mono);
    return mono;
}

// Whether the pixels (not the resolution) of two pictures are the same.
inline bool samePixels(const platform::MonoBitmap& a, const platform::MonoBitmap& b)
{
    if (a.width != b.width || a.height != b.height)
        return false;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.isWhite(x, y) != b.isWhite(x, y))
                return false;
        }
    }
    return true;
}

}  // namespace picturefiles
