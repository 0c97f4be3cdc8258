#pragma once

#include "platform/MonoBitmap.h"

#include <cstdint>
#include <vector>

namespace platform {

// The 1-bit PCX file the printer's picture memory takes (ZSoft version 5, run-length
// encoded, black and white in the 16-colour map, no trailing palette).
class PcxEncoder {
public:
    static constexpr int kHeaderSize = 128;
    static constexpr int kMaxRun = 63;

    // Bytes of one encoded line: the packed pixels rounded up to an even count.
    static int bytesPerLine(int width);
    static std::vector<std::uint8_t> encode(const MonoBitmap& picture);
    // Run-length encodes `count` bytes, appending to `out`.
    static void encodeLine(const std::uint8_t* line, int count, std::vector<std::uint8_t>& out);
};

}  // namespace platform
