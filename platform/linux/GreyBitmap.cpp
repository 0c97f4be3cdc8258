#include "platform/linux/GreyBitmap.h"

#include "platform/GreyLevels.h"
#include "platform/ParallelLines.h"
#include "platform/PictureLibrary.h"
#include "platform/Saturating.h"

#include <FreeImage.h>
#include <QImage>
#include <array>
#include <cstring>
#include <vector>

namespace platform {

namespace {

using Lut = std::array<std::uint8_t, 256>;

// The grey of each palette entry, transparent ones laid on white.
Lut paletteGreys(FIBITMAP* dib)
{
    Lut greys{};
    const RGBQUAD* palette = FreeImage_GetPalette(dib);
    const unsigned colours = FreeImage_GetColorsUsed(dib);
    const BYTE* alpha = FreeImage_IsTransparent(dib) ? FreeImage_GetTransparencyTable(dib) : nullptr;
    const unsigned alphas = alpha ? FreeImage_GetTransparencyCount(dib) : 0;
    for (unsigned i = 0; i < 256; ++i) {
        if (!palette || i >= colours) {
            greys[i] = 0;
            continue;
        }
        const std::uint8_t y = GreyLevels::luma(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
        greys[i] = i < alphas ? GreyLevels::onWhite(y, alpha[i]) : y;
    }
    return greys;
}

// Weighted channel tables: the luma of r, g, b is (red[r] + green[g] + blue[b]) >> 16.
struct LumaTables {
    std::array<std::uint32_t, 256> red, green, blue;
    LumaTables()
    {
        for (std::uint32_t v = 0; v < 256; ++v) {
            red[v] = GreyLevels::kRed * v + 32768;  // the rounding rides on red
            green[v] = GreyLevels::kGreen * v;
            blue[v] = GreyLevels::kBlue * v;
        }
    }
    std::uint8_t operator()(unsigned r, unsigned g, unsigned b) const
    {
        return static_cast<std::uint8_t>((red[r] + green[g] + blue[b]) >> 16);
    }
};

const LumaTables& lumaTables()
{
    static const LumaTables tables;
    return tables;
}

// Whether a 32-bit picture whose fourth byte may be padding uses it as alpha: one that leaves
// it 0 everywhere (as many 32-bit BMPs do) is opaque.
bool usesAlpha(FIBITMAP* dib, unsigned width, unsigned height)
{
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(dib, static_cast<int>(y));
        for (unsigned x = 0; x < width; ++x) {
            if (line[4 * x + FI_RGBA_ALPHA] != 0)
                return true;
        }
    }
    return false;
}

void convertBitmapLine(FIBITMAP* dib, unsigned bpp, const BYTE* source, BYTE* target, unsigned width,
                       const Lut& greys, bool alpha, BYTE* scratch)
{
    const LumaTables& luma = lumaTables();
    switch (bpp) {
    case 1:
        for (unsigned x = 0; x < width; ++x)
            target[x] = greys[(source[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (unsigned x = 0; x < width; ++x)
            target[x] = greys[(x & 1) ? (source[x >> 1] & 0x0F) : (source[x >> 1] >> 4)];
        break;
    case 8:
        for (unsigned x = 0; x < width; ++x)
            target[x] = greys[source[x]];
        break;
    case 16:
        if (FreeImage_GetRedMask(dib) == FI16_565_RED_MASK && FreeImage_GetGreenMask(dib) == FI16_565_GREEN_MASK)
            FreeImage_ConvertLine16To24_565(scratch, const_cast<BYTE*>(source), static_cast<int>(width));
        else
            FreeImage_ConvertLine16To24_555(scratch, const_cast<BYTE*>(source), static_cast<int>(width));
        convertBitmapLine(dib, 24, scratch, target, width, greys, false, nullptr);
        break;
    case 24:
        for (unsigned x = 0; x < width; ++x, source += 3)
            target[x] = luma(source[FI_RGBA_RED], source[FI_RGBA_GREEN], source[FI_RGBA_BLUE]);
        break;
    case 32:
        for (unsigned x = 0; x < width; ++x, source += 4) {
            const std::uint8_t y = luma(source[FI_RGBA_RED], source[FI_RGBA_GREEN], source[FI_RGBA_BLUE]);
            target[x] = alpha ? GreyLevels::onWhite(y, source[FI_RGBA_ALPHA]) : y;
        }
        break;
    }
}

}  // namespace

quint64 GreyBitmap::conversionBytes(FIBITMAP* picture)
{
    const quint64 pixels = quint64(FreeImage_GetWidth(picture)) * FreeImage_GetHeight(picture);
    switch (FreeImage_GetImageType(picture)) {
    case FIT_BITMAP:
    case FIT_UINT16:
    case FIT_UINT32:
    case FIT_RGB16:
    case FIT_RGBA16: return 0;
    case FIT_RGBF: return Saturating::times(pixels, 3);
    case FIT_RGBAF: return Saturating::times(pixels, 4);
    default: return pixels;
    }
}

quint64 GreyBitmap::conversionBytes(QImage::Format format, quint64 width, quint64 height)
{
    const quint64 pixels = Saturating::times(width, height);
    switch (format) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
    case QImage::Format_Indexed8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32: return 0;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return pixels;
    default: return Saturating::times(pixels, 4);
    }
}

FIBITMAP* GreyBitmap::allocate(unsigned width, unsigned height)
{
    FIBITMAP* grey = FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), 8);
    if (!grey)
        return nullptr;
    RGBQUAD* palette = FreeImage_GetPalette(grey);
    for (int i = 0; i < 256; ++i)
        palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
    return grey;
}

FIBITMAP* GreyBitmap::fromFreeImage(FIBITMAP* decoded, FourthByte fourth)
{
    const unsigned width = FreeImage_GetWidth(decoded);
    const unsigned height = FreeImage_GetHeight(decoded);
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(decoded);
    const unsigned bpp = FreeImage_GetBPP(decoded);
    const bool known = (type == FIT_BITMAP && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32))
                       || type == FIT_UINT16 || type == FIT_UINT32 || type == FIT_RGB16 || type == FIT_RGBA16;
    if (!known) {
        // Signed and floating-point samples: clamped to 8 bits, not stretched.
        FIBITMAP* standard = FreeImage_ConvertToStandardType(decoded, FALSE);
        if (!standard)
            return nullptr;
        FIBITMAP* grey = FreeImage_GetImageType(standard) == FIT_BITMAP ? fromFreeImage(standard, fourth) : nullptr;
        FreeImage_Unload(standard);
        return grey;
    }
    FIBITMAP* grey = allocate(width, height);
    if (!grey)
        return nullptr;
    const Lut greys = bpp <= 8 && type == FIT_BITMAP ? paletteGreys(decoded) : Lut{};
    const bool alpha = fourth == FourthByte::Alpha
                       || (fourth == FourthByte::AlphaUnlessZeroEverywhere
                           && (type != FIT_BITMAP || bpp != 32 || usesAlpha(decoded, width, height)));
    auto lines = [&](int first, int end) {
        std::vector<BYTE> scratch(bpp == 16 && type == FIT_BITMAP ? std::size_t(width) * 3 : 0);
        for (unsigned y = unsigned(first); y < unsigned(end); ++y) {
            const BYTE* source = FreeImage_GetScanLine(decoded, static_cast<int>(y));
            BYTE* target = FreeImage_GetScanLine(grey, static_cast<int>(y));
            switch (type) {
            case FIT_UINT16: {
                const auto* s = reinterpret_cast<const WORD*>(source);
                for (unsigned x = 0; x < width; ++x)
                    target[x] = GreyLevels::from16(s[x]);
                break;
            }
            case FIT_UINT32: {
                const auto* s = reinterpret_cast<const DWORD*>(source);
                for (unsigned x = 0; x < width; ++x)
                    target[x] = GreyLevels::from32(s[x]);
                break;
            }
            case FIT_RGB16: {
                const auto* s = reinterpret_cast<const FIRGB16*>(source);
                for (unsigned x = 0; x < width; ++x)
                    target[x] = GreyLevels::luma(GreyLevels::from16(s[x].red), GreyLevels::from16(s[x].green),
                                                 GreyLevels::from16(s[x].blue));
                break;
            }
            case FIT_RGBA16: {
                const auto* s = reinterpret_cast<const FIRGBA16*>(source);
                for (unsigned x = 0; x < width; ++x) {
                    const std::uint8_t g = GreyLevels::luma(GreyLevels::from16(s[x].red), GreyLevels::from16(s[x].green),
                                                            GreyLevels::from16(s[x].blue));
                    target[x] = alpha ? GreyLevels::onWhite(g, GreyLevels::from16(s[x].alpha)) : g;
                }
                break;
            }
            default:
                convertBitmapLine(decoded, bpp, source, target, width, greys, alpha, scratch.data());
                break;
            }
        }
    };
    try {
        ParallelLines::run(static_cast<int>(height), std::uint64_t(width) * height, PictureLibrary::startServiceThread, lines);
    } catch (...) {
        FreeImage_Unload(grey);
        return nullptr;
    }
    return grey;
}

FIBITMAP* GreyBitmap::fromImage(const QImage& image)
{
    const auto width = static_cast<unsigned>(image.width());
    const auto height = static_cast<unsigned>(image.height());
    QImage source = image;
    switch (source.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
    case QImage::Format_Indexed8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        source = source.convertToFormat(QImage::Format_Indexed8);
        break;
    default:
        // Qt turns 16-bit samples into 8 as value / 257, rounded.
        source = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        break;
    }
    if (source.isNull())
        return nullptr;
    FIBITMAP* grey = allocate(width, height);
    if (!grey)
        return nullptr;
    Lut greys{};
    if (source.format() == QImage::Format_Indexed8) {
        const QList<QRgb> table = source.colorTable();
        for (int i = 0; i < table.size() && i < 256; ++i)
            greys[static_cast<std::size_t>(i)] = GreyLevels::onWhite(
                GreyLevels::luma(qRed(table[i]), qGreen(table[i]), qBlue(table[i])), qAlpha(table[i]));
    }
    const LumaTables& luma = lumaTables();
    const bool alpha = source.format() == QImage::Format_ARGB32;
    for (unsigned y = 0; y < height; ++y) {
        // Qt keeps the top line first, FreeImage the bottom one.
        BYTE* target = FreeImage_GetScanLine(grey, static_cast<int>(height - 1 - y));
        const uchar* line = source.constScanLine(static_cast<int>(y));
        switch (source.format()) {
        case QImage::Format_Grayscale8:
            std::memcpy(target, line, width);
            break;
        case QImage::Format_Grayscale16: {
            const auto* s = reinterpret_cast<const quint16*>(line);
            for (unsigned x = 0; x < width; ++x)
                target[x] = GreyLevels::from16(s[x]);
            break;
        }
        case QImage::Format_Indexed8:
            for (unsigned x = 0; x < width; ++x)
                target[x] = greys[line[x]];
            break;
        default: {
            const auto* s = reinterpret_cast<const QRgb*>(line);
            for (unsigned x = 0; x < width; ++x) {
                const std::uint8_t g = luma(qRed(s[x]), qGreen(s[x]), qBlue(s[x]));
                target[x] = alpha ? GreyLevels::onWhite(g, qAlpha(s[x])) : g;
            }
            break;
        }
        }
    }
    return grey;
}

}  // namespace platform
