#include "SimDispatcher.h"

#include <utility>

namespace {

std::function<void(const std::string&)> g_logSink;

}  // namespace

void SimLog(const std::string& message)
{
    if (g_logSink)
        g_logSink(message);
}

void SetSimLog(std::function<void(const std::string&)> sink)
{
    g_logSink = std::move(sink);
}

SimDispatcher::SimDispatcher(std::vector<SimModule*> modules) : m_modules(std::move(modules)) {}

std::string SimDispatcher::feed(const char* data, std::size_t length, SimPrinterState& state)
{
    std::string replies;
    for (const Answer& answer : feedCommands(data, length, state))
        replies += answer.reply;
    return replies;
}

std::vector<SimDispatcher::Answer> SimDispatcher::feedCommands(const char* data, std::size_t length,
                                                               SimPrinterState& state)
{
    std::vector<Answer> answers;
    std::string reply;
    m_pending.append(data, length);
    std::size_t start = 0;
    while (start < m_pending.size()) {
        const std::string_view rest(m_pending.data() + start, m_pending.size() - start);
        bool waiting = false;
        std::size_t taken = SimModule::kNotMine;
        for (SimModule* module : m_modules) {
            const std::size_t n = module->consume(rest, state, reply);
            if (n == SimModule::kNeedMore) {
                waiting = true;
                break;
            }
            if (n != SimModule::kNotMine) {
                taken = n > rest.size() ? rest.size() : n;
                break;
            }
        }
        if (waiting)
            break;
        if (!reply.empty()) {
            answers.push_back({std::string(rest.substr(0, taken)), reply});
            reply.clear();
        }
        start += taken == SimModule::kNotMine ? 1 : taken;
    }
    m_pending.erase(0, start);
    return answers;
}
