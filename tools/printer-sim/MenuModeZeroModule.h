#pragma once

#include "SimModule.h"

#include <array>
#include <string>

// The printer's side of menu mode 0's printer page setting and hardware information: the
// numeric user settings ("^MBU", read back with "^PI4"/"^PI5"), the offset and tear-off
// positions, the label-length check and the three hardware records ("^MBX", "^MBY").
class MenuModeZeroModule : public SimModule {
public:
    MenuModeZeroModule();

    std::size_t consume(std::string_view pending, SimPrinterState& state,
                        std::string& reply) override;

    // User settings by "^MBU" number: 0 width, 1 density, 2 length, 3 and 4 margins, 5 gap.
    std::array<int, 6> userSettings{};
    int offset = 0;
    int tearOff = 0;
    bool checkLabelLength = false;
    std::array<std::string, 3> records;  // hardware version, serial number, printer ID

private:
    void resetUserSettings();
};
