#pragma once

#include "platform/Picture.h"

struct FIBITMAP;

namespace platform {

// A picture held by FreeImage as 8-bit grey or, once converted (or when it came so), 1 bit.
class FreeImagePicture : public Picture {
public:
    // Takes ownership of `dib` (not null, 8-bit grey or 1-bit); `sourceBits` are the bits per
    // pixel of the file's picture, reported until a conversion to 1 bit.
    FreeImagePicture(FIBITMAP* dib, int sourceBits, int dpiX, int dpiY);
    ~FreeImagePicture() override;
    FreeImagePicture(const FreeImagePicture&) = delete;
    FreeImagePicture& operator=(const FreeImagePicture&) = delete;

    int bitsPerPixel() const override;
    int width() const override;
    int height() const override;
    bool dither(int method) override;
    bool reduceTo1Bit() override;
    bool toMono(MonoBitmap& out) const override;
    bool savePcx(const QString& path) const override;

private:
    // Puts `converted` in place of the pixels; false (nothing changed) when it is null.
    bool replace(FIBITMAP* converted);

    FIBITMAP* m_dib;
    int m_sourceBits;
    // Kept from the file: the conversions do not carry the resolution over.
    int m_dpiX;
    int m_dpiY;
};

}  // namespace platform
