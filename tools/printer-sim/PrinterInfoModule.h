#pragma once

#include "SimModule.h"

#include <array>
#include <string>

// The printer's information: firmware (^PI2), the six usage counters (^PI3,kind,total),
// their resets (*MBY 0F 0C..0E) and the USB serial number (ESC FS GS number CR LF).
class PrinterInfoModule : public SimModule {
public:
    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

private:
    // motor, print head, cutter: {since reset, permanent}
    std::array<std::array<long, 2>, 3> m_counters{{{1234, 56789}, {1200, 56000}, {17, 340}}};
    std::string m_usbSerial;
};
