#include "ClockPowerModule.h"

#include "ZplField.h"

namespace {

constexpr std::size_t kMaxClockField = 40;

}  // namespace

std::size_t ClockPowerModule::consume(std::string_view pending, SimPrinterState& state,
                                      std::string& reply)
{
    if (pending.empty())
        return kNotMine;
    if (pending[0] == '^') {
        const std::size_t n = MatchZplCommand(pending, "^ST", kMaxClockField);
        if (n == kNotMine || n == kNeedMore)
            return n;
        m_clock = std::string(pending.substr(3, n - 3));
        SimLog("clock set " + m_clock);
        return n;
    }
    const std::size_t head = std::min<std::size_t>(pending.size(), 3);
    const bool query = pending.substr(0, head) == std::string_view("\x1b\x19\x1a", head);
    const bool set = pending.substr(0, head) == std::string_view("\x1b\x19\x19", head);
    if (!query && !set)
        return kNotMine;
    if (pending.size() < 4)
        return kNeedMore;
    const int item = static_cast<unsigned char>(pending[3]);
    int* values[] = {&m_powerOffEnable, &m_powerOffSeconds, &m_powerSaveEnable, &m_powerSaveSeconds};
    const char* names[] = {"power-off enable", "power-off time", "power-save enable", "power-save time"};
    if (item < 0x13 || item > 0x16)
        return kNotMine;
    int& value = *values[item - 0x13];
    const std::string name = names[item - 0x13];
    if (query) {
        if (!state.silent) {
            reply += static_cast<char>(value & 0xFF);
            if (item == 0x14)
                reply += static_cast<char>(value >> 8 & 0xFF);
        }
        SimLog(name + " read " + std::to_string(value));
        return 4;
    }
    const std::size_t length = item == 0x14 ? 6 : 5;
    if (pending.size() < length)
        return kNeedMore;
    value = static_cast<unsigned char>(pending[4]);
    if (item == 0x14)
        value |= static_cast<unsigned char>(pending[5]) << 8;
    SimLog(name + " set " + std::to_string(value));
    return length;
}
