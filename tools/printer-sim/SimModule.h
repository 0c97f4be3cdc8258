#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class QCommandLineParser;

// What every part of the stand-in printer shares: who it is, and where it logs.
struct SimPrinterState {
    char language = '2';          // the probe's answer: '1' Dovra, '2' Ostrel, '3' KEFT
    std::string model = "KX-21";  // the model query's answer
    bool silent = false;          // never answer anything
    char link = 't';              // 't' TCP, 'p' pseudo-terminal, as the peer that sent
};

// Writes one line to the simulator's log, under the name of the peer being served.
void SimLog(const std::string& message);
// Where SimLog writes; nothing is written before it is set.
void SetSimLog(std::function<void(const std::string&)> sink);

// One group of printer commands the simulator understands (the settings, the calibration,
// the picture memory, the tag...). The dispatcher offers each module the start of the
// bytes not yet consumed; the first module that takes them wins.
class SimModule {
public:
    // consume(): the start of `pending` is not this module's command.
    static constexpr std::size_t kNotMine = 0;
    // consume(): the start may be this module's command but is not complete yet.
    static constexpr std::size_t kNeedMore = static_cast<std::size_t>(-1);

    virtual ~SimModule() = default;

    // The module's command-line options, and their values once parsed (false with
    // `error` set refuses the arguments).
    virtual void addOptions(QCommandLineParser&) {}
    virtual bool applyOptions(const QCommandLineParser&, std::string& /*error*/) { return true; }

    // Takes one whole command at the start of `pending`: returns its length (> 0) and
    // appends any answer to `reply`; or kNotMine, or kNeedMore. Log what was applied with
    // SimLog. A module never answers while `state.silent` is set.
    virtual std::size_t consume(std::string_view pending, SimPrinterState& state,
                                std::string& reply) = 0;
};

// For consume(): `literal` at the start of `pending` gives its length; a start that is a
// proper prefix of it gives kNeedMore; anything else kNotMine.
inline std::size_t MatchLiteral(std::string_view pending, std::string_view literal)
{
    if (pending.substr(0, literal.size()) == literal)
        return literal.size();
    if (pending.size() < literal.size() && literal.substr(0, pending.size()) == pending)
        return SimModule::kNeedMore;
    return SimModule::kNotMine;
}
