#pragma once

#include "SimModule.h"

#include <string_view>

// For the setting modules: the length of a text command that starts with `mnemonic` and
// runs to the next '^', '~', CR or LF (kept for the next command), at most `maxField`
// characters after the mnemonic. kNeedMore while it could still end; kNotMine otherwise.
inline std::size_t MatchZplCommand(std::string_view pending, std::string_view mnemonic,
                                   std::size_t maxField)
{
    const std::size_t head = MatchLiteral(pending, mnemonic);
    if (head == SimModule::kNotMine || head == SimModule::kNeedMore)
        return head;
    for (std::size_t i = head; i < pending.size(); ++i) {
        const char c = pending[i];
        if (c == '^' || c == '~' || c == '\r' || c == '\n')
            return i;
        if (i - head >= maxField)
            return SimModule::kNotMine;
    }
    return pending.size() - head > maxField ? SimModule::kNotMine : SimModule::kNeedMore;
}
