#include "maintenance/SerialSwitch.h"

SerialSwitchFields DecodeSerialSwitch(std::uint8_t value)
{
    SerialSwitchFields f;
    f.handshake = value & 0x01 ? 1 : 0;
    f.stopBit = value & 0x02 ? 1 : 0;
    f.dataLength = value & 0x04 ? 1 : 0;
    f.parityCheck = value & 0x08 ? 1 : 0;
    f.paritySelection = value & 0x10 ? 1 : 0;
    if ((value & 0x60) == 0x60)
        f.baudChoice = 2;
    else if (value & 0x20)
        f.baudChoice = 1;
    else
        f.baudChoice = 0;
    return f;
}

std::uint8_t EncodeSerialSwitch(const SerialSwitchFields& f)
{
    std::uint8_t value = 0;
    if (f.handshake != 0)
        value |= 0x01;
    if (f.stopBit != 0)
        value |= 0x02;
    if (f.dataLength != 0)
        value |= 0x04;
    if (f.parityCheck != 0)
        value |= 0x08;
    if (f.paritySelection != 0)
        value |= 0x10;
    if (f.baudChoice == 2)
        value |= 0x60;
    else if (f.baudChoice == 1)
        value |= 0x20;
    return value;
}
