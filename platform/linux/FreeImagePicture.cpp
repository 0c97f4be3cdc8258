#include "platform/linux/FreeImagePicture.h"

#include "platform/GreyLevels.h"
#include "platform/ParallelLines.h"
#include "platform/PcxEncoder.h"
#include "platform/PictureLibrary.h"

#include <FreeImage.h>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace platform {

namespace {

bool isLight(const RGBQUAD& c)
{
    return GreyLevels::luma(c.rgbRed, c.rgbGreen, c.rgbBlue) >= 128;
}

// A bitmap freed with its owner, as when a conversion throws.
using OwnedBitmap = std::unique_ptr<FIBITMAP, void (*)(FIBITMAP*)>;

// A 1-bit bitmap whose index 0 is black and 1 white; null when no memory is left.
OwnedBitmap allocateMono(int width, int height)
{
    OwnedBitmap mono(FreeImage_Allocate(width, height, 1), FreeImage_Unload);
    if (mono) {
        RGBQUAD* palette = FreeImage_GetPalette(mono.get());
        palette[0] = RGBQUAD{0, 0, 0, 0};
        palette[1] = RGBQUAD{255, 255, 255, 0};
    }
    return mono;
}

// Floyd-Steinberg error diffusion of an 8-bit grey bitmap to 1 bit (index 0 black, 1 white),
// lines from the top, each left to right; a pixel of 128 or more after its share of error
// is white. A line needs the line above only up to one pixel beyond its own, so several
// threads take a line each and follow the one above at a distance; the dots are the same as
// with one thread. Null when no memory is left or the work throws.
FIBITMAP* floydSteinberg(FIBITMAP* grey)
try {
    const int width = static_cast<int>(FreeImage_GetWidth(grey));
    const int height = static_cast<int>(FreeImage_GetHeight(grey));
    OwnedBitmap mono = allocateMono(width, height);
    if (!mono)
        return nullptr;

    constexpr int kChunk = 512;  // pixels between two reports of a line's progress
    const int wanted = ParallelLines::threadsFor(std::uint64_t(width) * std::uint64_t(height));
    // Errors in sixteenths, one slot of margin on each side; with t threads, line r reads row
    // r % (t + 1) and writes row (r + 1) % (t + 1), which its thread alone used last.
    const std::size_t stride = static_cast<std::size_t>(width) + 2;
    std::vector<int> errors(stride * static_cast<std::size_t>(wanted + 1), 0);
    // Pixels done of the line of each thread's turn, and which line that is.
    struct alignas(64) Progress {  // a cache line each: the threads poll them
        std::atomic<long long> value{-1};
    };
    std::vector<Progress> done(static_cast<std::size_t>(wanted));
    auto progress = [](int line, int pixels) { return static_cast<long long>(line) << 32 | pixels; };

    // Line by line from `first`, every `threads`th line: as many threads as started.
    auto run = [&](int first, int threads) {
        const int rows = threads + 1;
        for (int r = first; r < height; r += threads) {
            const int* now = errors.data() + stride * static_cast<std::size_t>(r % rows);
            int* below = errors.data() + stride * static_cast<std::size_t>((r + 1) % rows);
            const BYTE* source = FreeImage_GetScanLine(grey, height - 1 - r);
            BYTE* target = FreeImage_GetScanLine(mono.get(), height - 1 - r);
            std::atomic<long long>& above = done[static_cast<std::size_t>((r + threads - 1) % threads)].value;
            std::atomic<long long>& mine = done[static_cast<std::size_t>(r % threads)].value;
            // Slot s of the line below takes 3/16 of pixel s's error, 5/16 of pixel s - 1's and
            // 1/16 of pixel s - 2's: each is complete once pixel s is done.
            int right = 0, previous = 0, beforePrevious = 0;
            unsigned byte = 0;
            for (int x0 = 0; x0 < width; x0 += kChunk) {
                const int x1 = std::min(width, x0 + kChunk);
                if (r > 0) {
                    const long long needed = progress(r - 1, std::min(width, x1 + 1));
                    while (above.load(std::memory_order_acquire) < needed)
                        std::this_thread::yield();
                }
                for (int x = x0; x < x1; ++x) {
                    const int value = source[x] + ((now[x + 1] + right + 8) >> 4);
                    const bool white = value >= 128;
                    const int error = value - (white ? 255 : 0);
                    byte = (byte << 1) | static_cast<unsigned>(white);
                    if ((x & 7) == 7)
                        target[x >> 3] = static_cast<BYTE>(byte);
                    right = 7 * error;
                    below[x] = 3 * error + 5 * previous + beforePrevious;
                    beforePrevious = previous;
                    previous = error;
                }
                if (x1 == width) {
                    below[width] = 5 * previous + beforePrevious;
                    below[width + 1] = previous;
                }
                mine.store(progress(r, x1), std::memory_order_release);
            }
            if (width & 7)
                target[width >> 3] = static_cast<BYTE>(byte << (8 - (width & 7)));
        }
    };
    ParallelLines::together(wanted, PictureLibrary::startServiceThread, run);
    return mono.release();
} catch (...) {
    return nullptr;
}

// Each pixel of an 8-bit grey bitmap to white when it is 128 or more, else black. Null when
// no memory is left or the work throws.
FIBITMAP* threshold(FIBITMAP* grey)
try {
    const int width = static_cast<int>(FreeImage_GetWidth(grey));
    const int height = static_cast<int>(FreeImage_GetHeight(grey));
    OwnedBitmap mono = allocateMono(width, height);
    if (!mono)
        return nullptr;
    auto lines = [&](int first, int end) {
        for (int line = first; line < end; ++line) {
            const BYTE* source = FreeImage_GetScanLine(grey, line);
            BYTE* target = FreeImage_GetScanLine(mono.get(), line);
            for (int x = 0; x + 8 <= width; x += 8) {
                unsigned byte = 0;
                for (int k = 0; k < 8; ++k)
                    byte = (byte << 1) | static_cast<unsigned>(source[x + k] >= 128);
                target[x >> 3] = static_cast<BYTE>(byte);
            }
            if (width & 7) {
                unsigned byte = 0;
                for (int x = width & ~7; x < width; ++x)
                    byte = (byte << 1) | static_cast<unsigned>(source[x] >= 128);
                target[width >> 3] = static_cast<BYTE>(byte << (8 - (width & 7)));
            }
        }
    };
    ParallelLines::run(height, std::uint64_t(width) * std::uint64_t(height), PictureLibrary::startServiceThread, lines);
    return mono.release();
} catch (...) {
    return nullptr;
}

}  // namespace

FreeImagePicture::FreeImagePicture(FIBITMAP* dib, int sourceBits, int dpiX, int dpiY)
    : m_dib(dib), m_sourceBits(sourceBits), m_dpiX(dpiX), m_dpiY(dpiY)
{
}

FreeImagePicture::~FreeImagePicture()
{
    FreeImage_Unload(m_dib);
}

int FreeImagePicture::bitsPerPixel() const
{
    return FreeImage_GetBPP(m_dib) == 1 ? 1 : m_sourceBits;
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
    case 0: return FreeImage_GetBPP(m_dib) == 8 && replace(floydSteinberg(m_dib));
    case 1: algorithm = FID_CLUSTER8x8; break;  // ordered, clustered dots
    case 7: algorithm = FID_BAYER4x4; break;
    case 8: algorithm = FID_BAYER8x8; break;
    default: return false;
    }
    return replace(FreeImage_Dither(m_dib, algorithm));
}

bool FreeImagePicture::reduceTo1Bit()
{
    return FreeImage_GetBPP(m_dib) == 8 && replace(threshold(m_dib));
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
    std::vector<std::uint8_t> bytes;
    try {
        if (!toMono(mono))
            return false;
        bytes = PcxEncoder::encode(mono);
    } catch (...) {
        return false;  // no memory for the pixels or the file: the picture goes as it is
    }
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
