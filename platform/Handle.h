#pragma once

#include <cstdint>

namespace platform {

// A device handle as the link stores it: 0 means "nothing open", kInvalidHandle is what a
// failed open returns (the link keeps that value until its next close).
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = 0;
inline constexpr Handle kInvalidHandle = -1;

}  // namespace platform
