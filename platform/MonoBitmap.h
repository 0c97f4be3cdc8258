#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// A picture of one bit per pixel: lines from the top, `stride` bytes each, eight pixels to
// a byte with the leftmost in the most significant bit; 0 is black (a printed dot), 1 white.
// Bits beyond the width are 1.
struct MonoBitmap {
    int width = 0;
    int height = 0;
    int dpiX = 0;
    int dpiY = 0;
    int stride = 0;
    std::vector<std::uint8_t> bits;

    static int strideFor(int width) { return (width + 7) / 8; }

    const std::uint8_t* line(int y) const { return bits.data() + static_cast<std::size_t>(y) * stride; }
    bool isWhite(int x, int y) const { return (line(y)[x / 8] >> (7 - x % 8)) & 1; }
};

}  // namespace platform
