#include "SampleLabelModule.h"

#include "ZplField.h"

namespace {

constexpr std::size_t kMaxField = 200;

}  // namespace

std::size_t SampleLabelModule::consume(std::string_view pending, SimPrinterState&, std::string&)
{
    std::size_t n = MatchZplCommand(pending, "^FD", kMaxField);
    if (n == kNeedMore)
        return n;
    if (n != kNotMine) {
        if (!m_fields.empty())
            m_fields += ' ';
        m_fields += pending.substr(3, n - 3);
        return n;
    }
    n = MatchZplCommand(pending, "^PQ", 20);
    if (n == kNeedMore || n == kNotMine)
        return n;
    SimLog("label printed: " + m_fields);
    m_fields.clear();
    return n;
}
