#include "PrinterInfoModule.h"

namespace {

constexpr const char* kFirmware = "V2.10.05";
constexpr std::size_t kMaxSerial = 40;

}  // namespace

std::size_t PrinterInfoModule::consume(std::string_view pending, SimPrinterState& state,
                                       std::string& reply)
{
    if (pending.empty())
        return kNotMine;
    if (pending[0] == '^') {
        std::size_t n = MatchLiteral(pending, "^PI2\r\n");
        if (n == kNeedMore)
            return n;
        if (n != kNotMine) {
            if (!state.silent)
                reply += std::string(kFirmware) + "\r\n";
            SimLog(std::string("firmware read ") + kFirmware);
            return n;
        }
        n = MatchLiteral(pending, "^PI3,");
        if (n == kNeedMore)
            return n;
        if (n == kNotMine)
            return n;
        if (pending.size() < 10)
            return kNeedMore;
        const int kind = pending[5] - '0';
        const int total = pending[7] - '0';
        if (kind < 0 || kind > 2 || pending[6] != ',' || total < 0 || total > 1
            || pending.substr(8, 2) != "\r\n")
            return kNotMine;
        const long value = m_counters[kind][total];
        if (!state.silent)
            reply += std::to_string(value) + "\r\n";
        SimLog("counter " + std::to_string(kind) + "," + std::to_string(total) + " read "
               + std::to_string(value));
        return 10;
    }
    if (pending[0] == '*') {
        const std::size_t n = MatchLiteral(pending, "*MBY\x0f");
        if (n == kNeedMore || n == kNotMine)
            return n;
        if (pending.size() < 6)
            return kNeedMore;
        const int kind = pending[5] - 0x0C;
        if (kind < 0 || kind > 2)
            return kNotMine;
        // A reset clears the running counter; the permanent one stays.
        m_counters[kind][0] = 0;
        SimLog("counter " + std::to_string(kind) + " reset");
        return 6;
    }
    const std::size_t n = MatchLiteral(pending, "\x1b\x1c\x1d");
    if (n == kNeedMore || n == kNotMine)
        return n;
    const std::size_t end = pending.find("\r\n", 3);
    if (end == std::string_view::npos)
        return pending.size() > kMaxSerial ? kNotMine : kNeedMore;
    m_usbSerial = std::string(pending.substr(3, end - 3));
    SimLog("usb serial number set " + m_usbSerial);
    return end + 2;
}
