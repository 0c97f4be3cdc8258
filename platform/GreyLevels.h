#pragma once

#include <cstdint>

namespace platform {

// The one grey conversion of every picture, whatever its format: Rec. 601 luma,
// Y = 0.299 R + 0.587 G + 0.114 B, rounded. It is what a JPEG stores as its Y channel, so a
// colour gives the same grey from a JPEG as from any other file.
namespace GreyLevels {

// The weights in 1/65536, adding up to 65536.
constexpr std::uint32_t kRed = 19595;
constexpr std::uint32_t kGreen = 38470;
constexpr std::uint32_t kBlue = 7471;

constexpr std::uint8_t luma(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return static_cast<std::uint8_t>((kRed * r + kGreen * g + kBlue * b + 32768) >> 16);
}

// A 16-bit sample as 8 bits: value / 257, rounded. Linear, never stretched to the picture's
// own range.
constexpr std::uint8_t from16(std::uint32_t value)
{
    return static_cast<std::uint8_t>((value * 255 + 32767) / 65535);
}

// A 32-bit unsigned sample as 8 bits, in the same proportion: value * 255 / (2^32 - 1), rounded.
constexpr std::uint8_t from32(std::uint32_t value)
{
    return static_cast<std::uint8_t>((std::uint64_t(value) * 255 + 0x7FFFFFFF) / 0xFFFFFFFFu);
}

// A grey level of the given opacity laid on white paper.
constexpr std::uint8_t onWhite(std::uint32_t grey, std::uint32_t alpha)
{
    return static_cast<std::uint8_t>((grey * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace GreyLevels

}  // namespace platform
