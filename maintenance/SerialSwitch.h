#pragma once

#include <cstdint>

// The serial parameters the printer keeps as bit fields of memory switch 2. Each field is a
// list index: 0 or 1 for the five single bits, 0 to 2 for the baud choice, -1 for none.
struct SerialSwitchFields {
    int handshake = -1;        // bit 0: 1 "Software"
    int stopBit = -1;          // bit 1: 1 "2 Stop Bit"
    int dataLength = -1;       // bit 2: 1 "7"
    int parityCheck = -1;      // bit 3: 1 "Parity"
    int paritySelection = -1;  // bit 4: 1 "Odd"
    int baudChoice = -1;       // bits 5, 6: 0 "By Dip Switch", 1 "38400" (20), 2 "57600" (60)
};

SerialSwitchFields DecodeSerialSwitch(std::uint8_t value);
// A single-bit field that is not 0 (-1 included) sets its bit; bit 7 is always 0.
std::uint8_t EncodeSerialSwitch(const SerialSwitchFields& fields);
