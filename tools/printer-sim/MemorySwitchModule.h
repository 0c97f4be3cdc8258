#pragma once

#include "SimModule.h"

#include <array>
#include <cstdint>

// The memory switches 1 to 4: *MBR n,port answers the stored byte, *MBS n,value stages
// it and *MBA n CR stores it; the '^' forms of menu mode 0 the same.
class MemorySwitchModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

private:
    std::array<std::uint8_t, 4> m_switches{};
    std::array<int, 4> m_staged{-1, -1, -1, -1};
};
