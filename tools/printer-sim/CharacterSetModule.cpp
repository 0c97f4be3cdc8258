#include "CharacterSetModule.h"

#include <string>

namespace {

// Longer numbers are no set or table of the printer's lists.
constexpr std::size_t kMaxDigits = 3;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a number of 1-3 digits at `pos`; kNeedMore while the bytes run out, kNotMine when
// it is no such number.
std::size_t readNumber(std::string_view s, std::size_t pos, int& value)
{
    std::size_t n = 0;
    value = 0;
    while (pos + n < s.size() && isDigit(s[pos + n])) {
        if (++n > kMaxDigits)
            return SimModule::kNotMine;
        value = value * 10 + (s[pos + n - 1] - '0');
    }
    if (pos + n == s.size())
        return SimModule::kNeedMore;
    return n == 0 ? SimModule::kNotMine : n;
}

}  // namespace

std::size_t CharacterSetModule::consume(std::string_view pending, SimPrinterState&,
                                        std::string&)
{
    const std::size_t head = MatchLiteral(pending, "CS");
    if (head == kNotMine || head == kNeedMore)
        return head;
    int set = 0;
    int table = 0;
    const std::size_t setDigits = readNumber(pending, 2, set);
    if (setDigits == kNotMine || setDigits == kNeedMore)
        return setDigits;
    std::size_t pos = 2 + setDigits;
    if (pending[pos] != ',')
        return kNotMine;
    const std::size_t tableDigits = readNumber(pending, ++pos, table);
    if (tableDigits == kNotMine || tableDigits == kNeedMore)
        return tableDigits;
    pos += tableDigits;
    if (pending[pos] != '\r')
        return kNotMine;
    m_charSet = set;
    m_codeTable = table;
    SimLog("character set " + std::to_string(set) + ", code table " + std::to_string(table));
    return pos + 1;
}
