#include "platform/linux/FreeImagePicture.h"

#include "platform/PcxEncoder.h"

#include <FreeImage.h>
#include <QFile>
#include <cmath>

namespace platform {

namespace {

int dotsPerInch(unsigned dotsPerMeter)
{
    return static_cast<int>(std::lround(dotsPerMeter * 0.0254));
}

bool isLight(const RGBQUAD& c)
{
    // Rec. 601 luma, as the grey conversions weigh the channels.
    return 299 * c.rgbRed + 587 * c.rgbGreen + 114 * c.rgbBlue >= 128 * 1000;
}

}  // namespace

FreeImagePicture::FreeImagePicture(FIBITMAP* dib)
    : m_dib(dib),
      m_dpiX(dotsPerInch(FreeImage_GetDotsPerMeterX(dib))),
      m_dpiY(dotsPerInch(FreeImage_GetDotsPerMeterY(dib)))
{
}

FreeImagePicture::~FreeImagePicture()
{
    FreeImage_Unload(m_dib);
}

int FreeImagePicture::bitsPerPixel() const
{
    return static_cast<int>(FreeImage_GetBPP(m_dib));
}

int FreeImagePicture::width() const
{
    return static_cast<int>(FreeImage_GetWidth(m_dib));
}

int FreeImagePicture::height() const
{
    return static_cast<int>(FreeImage_GetHeight(m_dib));
}

bool FreeImagePicture::replace(FIBITMAP* converted)
{
    if (!converted)
        return false;
    FreeImage_Unload(m_dib);
    m_dib = converted;
    return true;
}

bool FreeImagePicture::dither(int method)
{
    FREE_IMAGE_DITHER algorithm;
    switch (method) {
    case 0: algorithm = FID_FS; break;
    case 1: algorithm = FID_CLUSTER8x8; break;  // ordered, clustered dots
    case 7: algorithm = FID_BAYER4x4; break;
    case 8: algorithm = FID_BAYER8x8; break;
    default: return false;
    }
    return replace(FreeImage_Dither(m_dib, algorithm));
}

bool FreeImagePicture::reduceTo1Bit()
{
    return replace(FreeImage_Threshold(m_dib, 128));
}

bool FreeImagePicture::toMono(MonoBitmap& out) const
{
    if (FreeImage_GetBPP(m_dib) != 1)
        return false;
    const RGBQUAD* palette = FreeImage_GetPalette(m_dib);
    const bool white0 = palette ? isLight(palette[0]) : false;
    const bool white1 = palette ? isLight(palette[1]) : true;

    out.width = width();
    out.height = height();
    out.dpiX = m_dpiX;
    out.dpiY = m_dpiY;
    out.stride = MonoBitmap::strideFor(out.width);
    out.bits.assign(static_cast<std::size_t>(out.stride) * out.height, 0xFF);
    const int tailBits = out.width % 8;
    for (int y = 0; y < out.height; ++y) {
        // FreeImage keeps the bottom line first.
        const BYTE* source = FreeImage_GetScanLine(m_dib, out.height - 1 - y);
        std::uint8_t* target = out.bits.data() + static_cast<std::size_t>(y) * out.stride;
        for (int i = 0; i < out.stride; ++i) {
            const std::uint8_t b = source[i];
            // Index bits to white bits through the two palette entries.
            target[i] = static_cast<std::uint8_t>((white1 ? b : 0) | (white0 ? ~b : 0));
        }
        if (tailBits != 0)
            target[out.stride - 1] |= static_cast<std::uint8_t>(0xFF >> tailBits);
    }
    return true;
}

bool FreeImagePicture::savePcx(const QString& path) const
{
    MonoBitmap mono;
    if (!toMono(mono))
        return false;
    const std::vector<std::uint8_t> bytes = PcxEncoder::encode(mono);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    const bool written = file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        file.remove();
        return false;
    }
    return true;
}

}  // namespace platform
