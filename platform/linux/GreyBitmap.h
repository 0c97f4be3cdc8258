#pragma once

struct FIBITMAP;
class QImage;

namespace platform {

// Decoded pictures of any depth turned into FreeImage's 8-bit grey bitmap (a linear grey
// palette), through the grey levels of GreyLevels: palettes and colours by their luma,
// 16-bit samples divided by 257, transparent pixels laid on white.
class GreyBitmap {
public:
    // The grey bitmap of a FreeImage picture; null when its pixel type is not one of the
    // known ones or no memory is left. The picture is left as it is.
    static FIBITMAP* fromFreeImage(FIBITMAP* decoded);
    // The grey bitmap of a picture read by Qt; null when no memory is left.
    static FIBITMAP* fromImage(const QImage& image);
    // An empty grey bitmap; null when no memory is left.
    static FIBITMAP* allocate(unsigned width, unsigned height);
};

}  // namespace platform
