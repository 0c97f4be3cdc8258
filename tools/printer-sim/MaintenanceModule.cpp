#include "MaintenanceModule.h"

namespace {

struct Command {
    std::string_view text;
    const char* what;
};

// "^WD" takes its path up to the next command or line end.
constexpr std::string_view kDirectory = "^WD";
constexpr std::size_t kMaxPath = 64;

}  // namespace

std::size_t MaintenanceModule::consume(std::string_view pending, SimPrinterState&, std::string&)
{
    for (const Command c : {Command{"~WC", "configuration label printed"},
                            Command{"~JC", "media calibrated"},
                            Command{"^JUF", "factory settings restored"},
                            Command{"~JD", "diagnostics mode entered"},
                            Command{"~JE", "diagnostics mode left"},
                            Command{"~PH", "one label fed"},
                            Command{"~JR", "printer reset"}}) {
        const std::size_t n = MatchLiteral(pending, c.text);
        if (n == kNotMine)
            continue;
        if (n == kNeedMore)
            return n;
        if (c.text == "~JD")
            m_diagnostics = true;
        else if (c.text == "~JE")
            m_diagnostics = false;
        SimLog(std::string("maintenance: ") + c.what);
        return n;
    }
    const std::size_t n = MatchLiteral(pending, kDirectory);
    if (n == kNotMine || n == kNeedMore)
        return n;
    const std::size_t end = pending.find_first_of("^~\r\n", n);
    if (end == std::string_view::npos)
        return pending.size() - n > kMaxPath ? kNotMine : kNeedMore;
    if (end - n > kMaxPath)
        return kNotMine;
    SimLog("maintenance: object list of \"" + std::string(pending.substr(n, end - n)) +
           "\" printed");
    return end;
}
