#include "IdentityModule.h"

namespace {

constexpr std::string_view kLanguageProbe{"\x1b\xaf" "PEG", 5};
constexpr std::string_view kModelQuery{"^PI0\r\n", 6};

}  // namespace

std::size_t IdentityModule::consume(std::string_view pending, SimPrinterState& state,
                                    std::string& reply)
{
    for (const std::string_view request : {kLanguageProbe, kModelQuery}) {
        const std::size_t n = MatchLiteral(pending, request);
        if (n == kNotMine)
            continue;
        if (n == kNeedMore)
            return n;
        const bool probe = request == kLanguageProbe;
        if (state.silent) {
            SimLog(probe ? "language probe left unanswered" : "model query left unanswered");
        } else if (probe) {
            reply += state.language;
        } else {
            reply += state.model + "\r\n";
        }
        return n;
    }
    return kNotMine;
}
