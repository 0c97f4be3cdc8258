#include "MemorySwitchModule.h"

#include <string>

std::size_t MemorySwitchModule::consume(std::string_view pending, SimPrinterState& state,
                                        std::string& reply)
{
    if (pending.empty() || (pending[0] != '*' && pending[0] != '^'))
        return kNotMine;
    const std::string prefix(1, pending[0]);
    char command = 0;
    for (const char c : {'R', 'S', 'A'}) {
        const std::size_t n = MatchLiteral(pending, prefix + "MB" + c);
        if (n == kNeedMore)
            return n;
        if (n != kNotMine)
            command = c;
    }
    if (!command)
        return kNotMine;
    if (command == 'A') {
        if (pending.size() < 6)
            return kNeedMore;
        const int number = static_cast<unsigned char>(pending[4]);
        if (number < 1 || number > 4 || pending[5] != '\r')
            return kNotMine;
        int& staged = m_staged[number - 1];
        if (staged >= 0) {
            m_switches[number - 1] = static_cast<std::uint8_t>(staged);
            staged = -1;
        }
        SimLog("memory switch " + std::to_string(number) + " committed "
               + std::to_string(m_switches[number - 1]));
        return 6;
    }
    if (pending.size() < 7)
        return kNeedMore;
    const int number = pending[4] - '0';
    if (number < 1 || number > 4 || pending[5] != ',')
        return kNotMine;
    if (command == 'R') {
        if (!state.silent)
            reply += static_cast<char>(m_switches[number - 1]);
        SimLog("memory switch " + std::to_string(number) + " read on port " + pending[6] + " "
               + std::to_string(m_switches[number - 1]));
        return 7;
    }
    m_staged[number - 1] = static_cast<unsigned char>(pending[6]);
    SimLog("memory switch " + std::to_string(number) + " written "
           + std::to_string(m_staged[number - 1]));
    // The printer page setting of menu mode 0 ends its write with a CR.
    return pending.size() > 7 && pending[7] == '\r' ? 8 : 7;
}
