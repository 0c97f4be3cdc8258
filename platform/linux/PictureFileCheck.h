#pragma once

#include "platform/linux/GreyBitmap.h"

#include <QString>
#include <QtGlobal>

namespace platform {

// What a picture file's own layout says, read from its headers before any reader allocates
// for it: whether each part it states lies within the file (PNG chunks, also those of the
// PNG pictures in an icon; TIFF directories, tags, strips and tiles) and a PCX header is one
// the format defines, what the reader holds besides the decoded picture, and whether a
// pixel's fourth byte is alpha or padding.
class PictureFileCheck {
public:
    struct Findings {
        // A part states more bytes than the file holds from where it starts, or a header
        // states a layout its format does not define.
        bool damaged = false;
        // What the reader holds while it decodes, besides the decoded picture: the chunks or
        // tags it keeps, a TIFF's decoded strip, or the whole picture at 4 bytes a pixel for
        // the TIFFs it reads as RGBA.
        quint64 readerBytes = 0;
        // A pixel's fourth byte: a format may leave it unused (a BMP without an alpha mask, a
        // TGA without alpha bits, a Sun raster file), and a TIFF's is alpha only when its
        // ExtraSamples tag says so.
        GreyBitmap::FourthByte fourthByte = GreyBitmap::FourthByte::Alpha;
    };

    // `format` is FreeImage's identifier for the file's content.
    static Findings inspect(const QString& path, int format);
};

}  // namespace platform
