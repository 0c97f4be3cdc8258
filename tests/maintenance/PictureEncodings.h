#pragma once

// Picture files in the encodings image editors, cameras and ImageMagick write, made from a
// grid of flat cells: BMP and PNG written byte by byte, JPEG, TIFF and GIF by the libraries.
#include "platform/GreyLevels.h"
#include "platform/MonoBitmap.h"
#include "tests/support/TestPictures.h"

#include <FreeImage.h>
#include <QByteArray>
#include <QImage>
#include <QRgba64>
#include <QString>
#include <QtEndian>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <algorithm>
#include <map>
#include <vector>

namespace pictureencodings {

// A picture of 4 x 2 flat cells of `cell` pixels, filled from the top-left cell row by row.
struct Cells {
    std::vector<QRgba64> colours;  // 8 of them
    int cell = 16;
    // Pixels of their own in place of the flat cells, when set.
    std::function<QRgba64(int x, int y)> pixel = nullptr;

    int width() const { return 4 * cell; }
    int height() const { return 2 * cell; }
    QRgba64 at(int x, int y) const
    {
        return pixel ? pixel(x, y) : colours[static_cast<std::size_t>((y / cell) * 4 + x / cell)];
    }
    // The grey that the picture stands for at the pixel: 16-bit samples / 257, Rec. 601 luma,
    // laid on white by its opacity.
    static int grey(QRgba64 c)
    {
        using namespace platform::GreyLevels;
        return onWhite(luma(from16(c.red()), from16(c.green()), from16(c.blue())), from16(c.alpha()));
    }
    int greyAt(int x, int y) const { return grey(at(x, y)); }
    QImage image() const
    {
        QImage out(width(), height(), QImage::Format_ARGB32);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                out.setPixel(x, y, at(x, y).toArgb32());
        return out;
    }
};

inline QRgba64 rgb(int r, int g, int b, int a = 255) { return QRgba64::fromArgb32(qRgba(r, g, b, a)); }
inline QRgba64 grey16(int v) { return QRgba64::fromRgba64(quint16(v), quint16(v), quint16(v), 0xFFFF); }

inline void put16(QByteArray& out, int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
inline void put32(QByteArray& out, quint32 v)
{
    put16(out, int(v & 0xFFFF));
    put16(out, int(v >> 16));
}
inline void putBig32(QByteArray& out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xFF));
}

// The distinct colours of the cells, in order of first use.
inline std::vector<QRgb> paletteOf(const Cells& cells)
{
    std::vector<QRgb> palette;
    for (const QRgba64& c : cells.colours) {
        const QRgb argb = c.toArgb32();
        if (std::find(palette.begin(), palette.end(), argb) == palette.end())
            palette.push_back(argb);
    }
    return palette;
}

enum class BmpCompression { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

// A BMP with a 40 (V3), 108 (V4) or 124 (V5) byte header at 1, 4, 8, 16 (555, or 565 with
// bit fields), 24 or 32 bits (with bit fields: an alpha mask from V4 on), RLE8 or RLE4,
// bottom-up or top-down.
inline QByteArray bmp(const Cells& cells, int headerSize, int bits, BmpCompression compression, bool topDown)
{
    const int width = cells.width();
    const int height = cells.height();
    const std::vector<QRgb> palette = bits <= 8 ? paletteOf(cells) : std::vector<QRgb>{};
    const int colours = bits <= 8 ? 1 << bits : 0;
    const bool masks = compression == BmpCompression::Bitfields;
    const int maskBytes = masks && headerSize == 40 ? 12 : 0;  // V3 keeps its masks after the header

    auto index = [&](int x, int y) {
        const QRgb c = cells.at(x, y).toArgb32();
        return int(std::find(palette.begin(), palette.end(), c) - palette.begin());
    };
    QByteArray pixels;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        QByteArray line;
        if (compression == BmpCompression::Rle8 || compression == BmpCompression::Rle4) {
            const bool four = compression == BmpCompression::Rle4;
            for (int x = 0; x < width;) {
                int run = 1;
                while (x + run < width && run < 254 && index(x + run, y) == index(x, y))
                    ++run;
                line.append(char(run)).append(char(four ? index(x, y) * 0x11 : index(x, y)));
                x += run;
            }
            line.append(char(0)).append(char(row == height - 1 ? 1 : 0));  // end of line, of bitmap
            pixels += line;
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb c = cells.at(x, y).toArgb32();
            switch (bits) {
            case 1:
                if (x % 8 == 0)
                    line.append(char(0));
                line[x / 8] = char(line[x / 8] | (index(x, y) << (7 - x % 8)));
                break;
            case 4:
                if (x % 2 == 0)
                    line.append(char(0));
                line[x / 2] = char(line[x / 2] | (index(x, y) << (x % 2 ? 0 : 4)));
                break;
            case 8: line.append(char(index(x, y))); break;
            case 16:
                put16(line, masks ? (qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3
                                  : (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3);
                break;
            case 24: line.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))); break;
            case 32:
                line.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
                line.append(char(masks ? qAlpha(c) : 0));
                break;
            }
        }
        while (line.size() % 4)
            line.append(char(0));
        pixels += line;
    }

    const int offset = 14 + headerSize + maskBytes + 4 * colours;
    QByteArray out("BM");
    put32(out, quint32(offset + pixels.size()));
    put32(out, 0);
    put32(out, quint32(offset));
    put32(out, quint32(headerSize));
    put32(out, quint32(width));
    put32(out, quint32(topDown ? -height : height));
    put16(out, 1);
    put16(out, bits);
    put32(out, quint32(compression));
    put32(out, quint32(pixels.size()));
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, quint32(colours));
    put32(out, 0);
    if (headerSize >= 108) {
        const bool hasAlpha = masks && bits == 32;
        put32(out, masks ? (bits == 16 ? 0xF800 : 0x00FF0000) : 0);
        put32(out, masks ? (bits == 16 ? 0x07E0 : 0x0000FF00) : 0);
        put32(out, masks ? (bits == 16 ? 0x001F : 0x000000FF) : 0);
        put32(out, hasAlpha ? 0xFF000000 : 0);
        put32(out, 0x73524742);  // 'sRGB'
        out.append(QByteArray(36 + 12, '\0'));  // end points, gamma
        if (headerSize == 124) {
            put32(out, 4);  // intent: pictures
            put32(out, 0);  // no profile
            put32(out, 0);
            put32(out, 0);
        }
    } else if (masks) {
        put32(out, bits == 16 ? 0xF800 : 0x00FF0000);
        put32(out, bits == 16 ? 0x07E0 : 0x0000FF00);
        put32(out, bits == 16 ? 0x001F : 0x000000FF);
    }
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < int(palette.size()) ? palette[std::size_t(i)] : 0;
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    }
    return out + pixels;
}

inline void pngChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    out += ztest::TestPictures::pngChunk(type, data);
}

enum PngColour { Grey = 0, Colour = 2, Palette = 3, GreyAlpha = 4, ColourAlpha = 6 };

// A PNG of the colour type at 1 to 16 bits per sample; a palette takes a tRNS chunk when a
// colour is not opaque. `claimed` (when set) is the size the header states instead.
inline QByteArray png(const Cells& cells, PngColour type, int depth, QSize claimed = QSize())
{
    const int width = cells.width();
    const int height = cells.height();
    const std::vector<QRgb> palette = type == Palette ? paletteOf(cells) : std::vector<QRgb>{};
    const int channels = type == Colour ? 3 : type == GreyAlpha ? 2 : type == ColourAlpha ? 4 : 1;
    auto sample = [depth](quint16 v16) { return depth == 16 ? v16 : (quint32(v16) * ((1u << depth) - 1) + 32767) / 65535; };

    QByteArray raw;
    for (int y = 0; y < height; ++y) {
        raw.append(char(0));  // no filter
        std::vector<quint32> values;
        for (int x = 0; x < width; ++x) {
            const QRgba64 c = cells.at(x, y);
            const quint16 grey = quint16(c.red());  // grey cells have equal channels
            switch (type) {
            case Grey: values.push_back(sample(grey)); break;
            case GreyAlpha: values.push_back(sample(grey)); values.push_back(sample(c.alpha())); break;
            case Colour:
            case ColourAlpha:
                values.push_back(sample(c.red()));
                values.push_back(sample(c.green()));
                values.push_back(sample(c.blue()));
                if (type == ColourAlpha)
                    values.push_back(sample(c.alpha()));
                break;
            case Palette:
                values.push_back(quint32(std::find(palette.begin(), palette.end(), c.toArgb32()) - palette.begin()));
                break;
            }
        }
        int bitsUsed = 0;
        for (const quint32 v : values) {
            if (depth == 16) {
                raw.append(char(v >> 8)).append(char(v & 0xFF));
            } else if (depth == 8) {
                raw.append(char(v));
            } else {
                if (bitsUsed % 8 == 0)
                    raw.append(char(0));
                raw[raw.size() - 1] = char(raw[raw.size() - 1] | (v << (8 - depth - bitsUsed % 8)));
                bitsUsed += depth;
            }
        }
    }
    QByteArray ihdr;
    putBig32(ihdr, quint32(claimed.isValid() ? claimed.width() : width));
    putBig32(ihdr, quint32(claimed.isValid() ? claimed.height() : height));
    ihdr.append(char(depth)).append(char(type)).append(char(0)).append(char(0)).append(char(0));
    (void)channels;

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    pngChunk(out, "IHDR", ihdr);
    if (type == Palette) {
        QByteArray plte, trns;
        bool transparent = false;
        for (const QRgb c : palette) {
            plte.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
            trns.append(char(qAlpha(c)));
            transparent = transparent || qAlpha(c) != 255;
        }
        pngChunk(out, "PLTE", plte);
        if (transparent)
            pngChunk(out, "tRNS", trns);
    }
    pngChunk(out, "IDAT", qCompress(raw).mid(4));  // qCompress puts the length before the zlib stream
    pngChunk(out, "IEND", QByteArray());
    return out;
}

// A baseline JPEG at quality 100 with the accurate DCT: grey (1 component), colour (YCbCr)
// or CMYK (stored inverted, as Adobe's programs write it: black ink 0, colour channels as RGB).
enum class JpegKind { Grey, Colour, Cmyk };

inline QByteArray jpeg(const Cells& cells, JpegKind kind)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(cells.width());
    cinfo.image_height = JDIMENSION(cells.height());
    cinfo.input_components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Colour ? 3 : 4;
    cinfo.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : kind == JpegKind::Colour ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> line(std::size_t(cells.width()) * std::size_t(cinfo.input_components));
    for (int y = 0; y < cells.height(); ++y) {
        for (int x = 0; x < cells.width(); ++x) {
            const QRgb c = cells.at(x, y).toArgb32();
            JSAMPLE* p = line.data() + std::size_t(x) * std::size_t(cinfo.input_components);
            if (kind == JpegKind::Grey) {
                p[0] = JSAMPLE(qRed(c));
            } else {
                p[0] = JSAMPLE(qRed(c));
                p[1] = JSAMPLE(qGreen(c));
                p[2] = JSAMPLE(qBlue(c));
                if (kind == JpegKind::Cmyk)
                    p[3] = 255;
            }
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    const QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// Saves a FreeImage bitmap to memory in a format.
inline QByteArray saved(FIBITMAP* dib, FREE_IMAGE_FORMAT format, int flags = 0)
{
    FIMEMORY* memory = FreeImage_OpenMemory();
    QByteArray out;
    if (FreeImage_SaveToMemory(format, dib, memory, flags)) {
        BYTE* data = nullptr;
        DWORD size = 0;
        FreeImage_AcquireMemory(memory, &data, &size);
        out = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(dib);
    return out;
}

// A TIFF of the cells: 24-bit colour, or 16-bit grey from the cells' red samples.
inline QByteArray tiff(const Cells& cells, bool grey16bit)
{
    const int width = cells.width();
    const int height = cells.height();
    FIBITMAP* dib = grey16bit ? FreeImage_AllocateT(FIT_UINT16, width, height) : FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(dib, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const QRgba64 c = cells.at(x, y);
            if (grey16bit) {
                reinterpret_cast<WORD*>(line)[x] = c.red();
            } else {
                const QRgb argb = c.toArgb32();
                line[3 * x + FI_RGBA_RED] = BYTE(qRed(argb));
                line[3 * x + FI_RGBA_GREEN] = BYTE(qGreen(argb));
                line[3 * x + FI_RGBA_BLUE] = BYTE(qBlue(argb));
            }
        }
    }
    return saved(dib, FIF_TIFF, grey16bit ? TIFF_ADOBE_DEFLATE : TIFF_LZW);
}

// The cells as 32-bit RGBA (alpha and all) in a format FreeImage writes: TIFF, TGA.
inline QByteArray rgba32(const Cells& cells, FREE_IMAGE_FORMAT format)
{
    FIBITMAP* dib = FreeImage_Allocate(cells.width(), cells.height(), 32);
    for (int y = 0; y < cells.height(); ++y) {
        BYTE* line = FreeImage_GetScanLine(dib, cells.height() - 1 - y);
        for (int x = 0; x < cells.width(); ++x) {
            const QRgb argb = cells.at(x, y).toArgb32();
            line[4 * x + FI_RGBA_RED] = BYTE(qRed(argb));
            line[4 * x + FI_RGBA_GREEN] = BYTE(qGreen(argb));
            line[4 * x + FI_RGBA_BLUE] = BYTE(qBlue(argb));
            line[4 * x + FI_RGBA_ALPHA] = BYTE(qAlpha(argb));
        }
    }
    return saved(dib, format);
}

// An icon of one 32-bit picture with alpha, as Windows keeps it: a BMP header of twice the
// height, the pixels bottom-up, then an AND mask that leaves every pixel to its alpha.
inline QByteArray ico(const Cells& cells)
{
    const int width = cells.width(), height = cells.height();
    const int maskLine = (width + 31) / 32 * 4;
    QByteArray image;
    put32(image, 40);
    put32(image, quint32(width));
    put32(image, quint32(2 * height));
    put16(image, 1);
    put16(image, 32);
    put32(image, 0);
    put32(image, quint32(width * height * 4 + maskLine * height));
    image.append(QByteArray(16, '\0'));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const QRgb c = cells.at(x, y).toArgb32();
            image.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(qAlpha(c)));
        }
    }
    image.append(QByteArray(maskLine * height, '\0'));
    QByteArray out;
    put16(out, 0);
    put16(out, 1);  // an icon
    put16(out, 1);  // of one picture
    out.append(char(width)).append(char(height)).append(char(0)).append(char(0));
    put16(out, 1);
    put16(out, 32);
    put32(out, quint32(image.size()));
    put32(out, 22);
    return out + image;
}

// A grey TIFF of 32-bit unsigned samples, one for each of the 8 cells.
inline QByteArray tiff32(const std::vector<quint32>& samples, int cell)
{
    FIBITMAP* dib = FreeImage_AllocateT(FIT_UINT32, 4 * cell, 2 * cell);
    for (int y = 0; y < 2 * cell; ++y) {
        auto* line = reinterpret_cast<DWORD*>(FreeImage_GetScanLine(dib, 2 * cell - 1 - y));
        for (int x = 0; x < 4 * cell; ++x)
            line[x] = samples[static_cast<std::size_t>((y / cell) * 4 + x / cell)];
    }
    return saved(dib, FIF_TIFF, TIFF_ADOBE_DEFLATE);
}

// A GIF of the cells' palette; a colour that is not opaque is the transparent index.
inline QByteArray gif(const Cells& cells)
{
    const std::vector<QRgb> palette = paletteOf(cells);
    FIBITMAP* dib = FreeImage_Allocate(cells.width(), cells.height(), 8);
    RGBQUAD* colours = FreeImage_GetPalette(dib);
    BYTE alpha[256];
    std::fill(std::begin(alpha), std::end(alpha), BYTE(255));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i].rgbRed = BYTE(qRed(palette[i]));
        colours[i].rgbGreen = BYTE(qGreen(palette[i]));
        colours[i].rgbBlue = BYTE(qBlue(palette[i]));
        alpha[i] = qAlpha(palette[i]) == 255 ? 255 : 0;
    }
    FreeImage_SetTransparencyTable(dib, alpha, int(palette.size()));
    for (int y = 0; y < cells.height(); ++y) {
        BYTE* line = FreeImage_GetScanLine(dib, cells.height() - 1 - y);
        for (int x = 0; x < cells.width(); ++x)
            line[x] = BYTE(std::find(palette.begin(), palette.end(), cells.at(x, y).toArgb32()) - palette.begin());
    }
    return saved(dib, FIF_GIF);
}

// An uncompressed RGB TIFF of the cells written byte by byte, of 8 or 16-bit samples, with a
// fourth sample of `fourth` (of 255) when `samples` is 4, described by an ExtraSamples tag of
// `extraSamples` (-1: none); `more` tags (above 338) end the directory.
inline QByteArray tiffRgb(const Cells& cells, int samples, int bits, int extraSamples, int fourth,
                          const std::vector<ztest::TestPictures::TiffTag>& more = {})
{
    using Tag = ztest::TestPictures::TiffTag;
    constexpr quint16 kShort = 3, kLong = 4;
    auto shorts = [](int count, int v) {
        QByteArray out;
        for (int i = 0; i < count; ++i)
            put16(out, v);
        return out;
    };
    auto long1 = [](quint32 v) {
        QByteArray out;
        put32(out, v);
        return out;
    };
    QByteArray strip;
    for (int y = 0; y < cells.height(); ++y) {
        for (int x = 0; x < cells.width(); ++x) {
            const QRgb c = cells.at(x, y).toArgb32();
            const int values[4] = {qRed(c), qGreen(c), qBlue(c), fourth};
            for (int i = 0; i < samples; ++i) {
                if (bits == 16)
                    put16(strip, values[i] * 257);
                else
                    strip.append(char(values[i]));
            }
        }
    }
    std::vector<Tag> tags = {
        {256, kLong, 1, long1(quint32(cells.width()))},
        {257, kLong, 1, long1(quint32(cells.height()))},
        {258, kShort, quint32(samples), shorts(samples, bits)},
        {259, kShort, 1, shorts(1, 1)},  // no compression
        {262, kShort, 1, shorts(1, 2)},  // RGB
        {273, kLong, 1, QByteArray()},
        {277, kShort, 1, shorts(1, samples)},
        {278, kLong, 1, long1(quint32(cells.height()))},
        {279, kLong, 1, long1(quint32(strip.size()))},
        {284, kShort, 1, shorts(1, 1)},  // samples together
    };
    if (extraSamples >= 0)
        tags.push_back({338, kShort, 1, shorts(1, extraSamples)});
    tags.insert(tags.end(), more.begin(), more.end());
    return ztest::TestPictures::tiff(tags, strip);
}

// A PCX file of the cells, run-length encoded, as paint programs write it: 1 bit in 1 plane
// (two colours) or 4 planes (sixteen, from the header's colour map), 8 bits in 1 plane with
// the colour table at the end, or 8 bits in 3 planes (red, green, blue).
inline QByteArray pcx(const Cells& cells, int bits, int planes)
{
    const int width = cells.width(), height = cells.height();
    const int lineBytes = ((width * bits + 7) / 8 + 1) / 2 * 2;
    const std::vector<QRgb> palette = paletteOf(cells);
    QByteArray out(128, '\0');
    out[0] = 10;  // ZSoft
    out[1] = 5;
    out[2] = 1;   // run lengths
    out[3] = char(bits);
    auto field = [&out](int at, int v) {
        out[at] = char(v & 0xFF);
        out[at + 1] = char(v >> 8);
    };
    field(8, width - 1);
    field(10, height - 1);
    field(12, 72);
    field(14, 72);
    for (std::size_t i = 0; i < palette.size() && i < 16; ++i) {
        out[int(16 + 3 * i)] = char(qRed(palette[i]));
        out[int(17 + 3 * i)] = char(qGreen(palette[i]));
        out[int(18 + 3 * i)] = char(qBlue(palette[i]));
    }
    out[65] = char(planes);
    field(66, lineBytes);
    field(68, 1);
    auto index = [&](int x, int y) {
        return int(std::find(palette.begin(), palette.end(), cells.at(x, y).toArgb32()) - palette.begin());
    };
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    for (int y = 0; y < height; ++y) {
        for (int plane = 0; plane < planes; ++plane) {
            std::fill(line.begin(), line.end(), std::uint8_t(0));
            for (int x = 0; x < width; ++x) {
                if (bits == 1) {
                    if ((index(x, y) >> plane) & 1)
                        line[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
                } else if (planes == 1) {
                    line[std::size_t(x)] = std::uint8_t(index(x, y));
                } else {
                    const QRgb c = cells.at(x, y).toArgb32();
                    line[std::size_t(x)] = std::uint8_t(plane == 0 ? qRed(c) : plane == 1 ? qGreen(c) : qBlue(c));
                }
            }
            for (std::size_t i = 0; i < line.size();) {
                std::size_t run = 1;
                while (i + run < line.size() && run < 63 && line[i + run] == line[i])
                    ++run;
                if (run > 1 || line[i] >= 0xC0)
                    out.append(char(0xC0 + run));
                out.append(char(line[i]));
                i += run;
            }
        }
    }
    if (bits == 8 && planes == 1) {
        out.append(char(12));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = std::size_t(i) < palette.size() ? palette[std::size_t(i)] : 0;
            out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    }
    return out;
}

// The pixels of a 1-bit PCX file as the printer reads it; empty when it is not one.
inline platform::MonoBitmap decodePcx(const QByteArray& file)
{
    platform::MonoBitmap mono;
    if (file.size() < 128 || file[0] != 10 || file[3] != 1)
        return mono;
    auto field = [&file](int at) { return int(quint8(file[at])) | int(quint8(file[at + 1])) << 8; };
    const int lineBytes = field(66);
    mono.width = field(8) + 1;
    mono.height = field(10) + 1;
    mono.stride = platform::MonoBitmap::strideFor(mono.width);
    mono.bits.assign(std::size_t(mono.stride) * std::size_t(mono.height), 0xFF);
    qsizetype at = 128;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    for (int y = 0; y < mono.height; ++y) {
        for (int filled = 0; filled < lineBytes && at < file.size();) {
            int count = 1;
            std::uint8_t value = quint8(file[at++]);
            if (value >= 0xC0 && at < file.size()) {
                count = value - 0xC0;
                value = quint8(file[at++]);
            }
            for (; count > 0 && filled < lineBytes; --count)
                line[std::size_t(filled++)] = value;
        }
        std::copy_n(line.begin(), std::min(mono.stride, lineBytes), mono.bits.begin() + std::ptrdiff_t(y) * mono.stride);
    }
    return mono;
}

// A 1-bit picture shown by the preview, as pixels.
inline platform::MonoBitmap fromImage(const QImage& image)
{
    platform::MonoBitmap mono;
    mono.width = image.width();
    mono.height = image.height();
    mono.stride = platform::MonoBitmap::strideFor(mono.width);
    mono.bits.assign(std::size_t(mono.stride) * std::size_t(mono.height), 0xFF);
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < mono.height; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < mono.width; ++x)
            if (line[x] < 128)
                mono.bits[std::size_t(y) * std::size_t(mono.stride) + std::size_t(x / 8)] &= std::uint8_t(~(0x80 >> (x % 8)));
    }
    return mono;
}

}  // namespace pictureencodings
