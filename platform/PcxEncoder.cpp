#include "platform/PcxEncoder.h"

#include "platform/ParallelLines.h"
#include "platform/PictureLibrary.h"

#include <algorithm>

namespace platform {

namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, int value)
{
    const auto v = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

int PcxEncoder::bytesPerLine(int width)
{
    const int packed = MonoBitmap::strideFor(width);
    return packed + (packed % 2);
}

void PcxEncoder::encodeLine(const std::uint8_t* line, int count, std::vector<std::uint8_t>& out)
{
    // At most two bytes for each byte of the line, written through a pointer.
    const std::size_t start = out.size();
    out.resize(start + 2 * static_cast<std::size_t>(std::max(count, 0)));
    std::uint8_t* at = out.data() + start;
    int i = 0;
    while (i < count) {
        const std::uint8_t value = line[i];
        int run = 1;
        while (i + run < count && run < kMaxRun && line[i + run] == value)
            ++run;
        if (run > 1 || value >= 0xC0)
            *at++ = static_cast<std::uint8_t>(0xC0 + run);
        *at++ = value;
        i += run;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
}

std::vector<std::uint8_t> PcxEncoder::encode(const MonoBitmap& picture)
{
    std::vector<std::uint8_t> out(kHeaderSize, 0);
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version
    out[2] = 1;   // run-length encoding
    out[3] = 1;   // bits per pixel and plane
    put16(out, 8, picture.width - 1);
    put16(out, 10, picture.height - 1);
    put16(out, 12, picture.dpiX);
    put16(out, 14, picture.dpiY);
    // Colour map: entry 0 black, entry 1 white, the rest black.
    out[16 + 3] = out[16 + 4] = out[16 + 5] = 0xFF;
    out[65] = 1;  // colour planes
    const int lineBytes = bytesPerLine(picture.width);
    put16(out, 66, lineBytes);

    // Bits beyond the width and the padding byte are white: they carry no pixels. Bands of
    // lines are encoded at once, each into its own buffer, then put one after the other.
    const int packed = std::min(picture.stride, lineBytes);
    const int bands = ParallelLines::threadsFor(std::uint64_t(picture.width) * std::uint64_t(std::max(0, picture.height)));
    std::vector<std::vector<std::uint8_t>> encoded(static_cast<std::size_t>(bands));
    const int step = (picture.height + bands - 1) / std::max(1, bands);
    ParallelLines::run(picture.height, std::uint64_t(picture.width) * std::uint64_t(std::max(0, picture.height)),
                       PictureLibrary::startServiceThread, [&](int first, int end) {
                           std::vector<std::uint8_t>& band = encoded[static_cast<std::size_t>(first / std::max(1, step))];
                           // Dithered lines rarely shrink: room for all of them at once.
                           band.reserve(static_cast<std::size_t>(end - first) * static_cast<std::size_t>(lineBytes) * 9 / 8);
                           std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes), 0xFF);
                           for (int y = first; y < end; ++y) {
                               std::copy_n(picture.line(y), packed, line.begin());
                               if (picture.width % 8 != 0)
                                   line[picture.width / 8] |= static_cast<std::uint8_t>(0xFF >> (picture.width % 8));
                               encodeLine(line.data(), lineBytes, band);
                           }
                       });
    std::size_t total = out.size();
    for (const auto& band : encoded)
        total += band.size();
    out.reserve(total);
    for (const auto& band : encoded)
        out.insert(out.end(), band.begin(), band.end());
    return out;
}

}  // namespace platform
