#pragma once

#include "platform/MonoBitmap.h"

#include <QString>

namespace platform {

// A decoded picture of the picture library; owns its pixels, freed with the object.
class Picture {
public:
    virtual ~Picture() = default;

    virtual int bitsPerPixel() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // To 1 bit per pixel with a dither method: 0 error diffusion, 1 ordered, 7 Bayer 4x4,
    // 8 Bayer 8x8. false (picture unchanged) for any other number or a failure.
    virtual bool dither(int method) = 0;
    // To 1 bit per pixel by the nearer of black and white, without diffusion.
    virtual bool reduceTo1Bit() = 0;
    // The pixels of a 1-bit picture; false when the picture has more bits per pixel.
    virtual bool toMono(MonoBitmap& out) const = 0;
    // Writes a 1-bit picture as a PCX file; false when it is not 1-bit or cannot be written.
    virtual bool savePcx(const QString& path) const = 0;
};

}  // namespace platform
