#pragma once

#include <QImage>
#include <QtGlobal>

struct FIBITMAP;

namespace platform {

// Decoded pictures of any depth turned into FreeImage's 8-bit grey bitmap (a linear grey
// palette), through the grey levels of GreyLevels: palettes and colours by their luma,
// 16-bit samples divided by 257 and 32-bit ones in the same proportion, transparent pixels
// laid on white.
class GreyBitmap {
public:
    // What the fourth sample of a picture with four is, as its file says.
    enum class FourthByte {
        Alpha,
        // The format may leave it unused: alpha only where it is not 0 everywhere.
        AlphaUnlessZeroEverywhere,
        Padding,
    };

    // The grey bitmap of a FreeImage picture; null when its pixel type is not one of the
    // known ones, no memory is left or the conversion fails. The picture is left as it is.
    static FIBITMAP* fromFreeImage(FIBITMAP* decoded, FourthByte fourth = FourthByte::Alpha);
    // The grey bitmap of a picture read by Qt; null when no memory is left.
    static FIBITMAP* fromImage(const QImage& image);
    // What each conversion holds besides the picture and its grey bitmap: an 8-bit copy of
    // samples it has no table for (signed, floating point), a 32-bit copy of Qt's formats
    // other than grey, palette and 32-bit colour. `picture` may be a header without pixels.
    static quint64 conversionBytes(FIBITMAP* picture);
    static quint64 conversionBytes(QImage::Format format, quint64 width, quint64 height);
    // An empty grey bitmap; null when no memory is left.
    static FIBITMAP* allocate(unsigned width, unsigned height);
};

}  // namespace platform
