#pragma once

#include "SimModule.h"

#include <string>

// The printer's real-time clock (^ST) and its power settings (parameters 13 to 16).
class ClockPowerModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

private:
    std::string m_clock;  // the last ^ST fields
    int m_powerOffEnable = 1;
    int m_powerOffSeconds = 1800;
    int m_powerSaveEnable = 0;
    int m_powerSaveSeconds = 60;
};
