#include "SettingsModule.h"

#include "ZplField.h"

#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kMaxField = 12;  // a longer parameter text is not a setting of ours

constexpr std::string_view kSettingQuery{"\x1b\x1c?", 3};
constexpr std::string_view kSettingLock{"\x1b\x1c\x1f", 3};
constexpr std::string_view kLockStatus{"\x1b\x1c/", 3};
constexpr std::string_view kParameterQuery{"\x1b\x19\x1a", 3};
constexpr std::string_view kParameterSet{"\x1b\x19\x19", 3};
constexpr std::string_view kEmulationSwitch{"\x1b\xaf" "PES", 5};
constexpr std::uint8_t kOrientationParameter = 0x23;

// The lock items of the settings the commands change.
constexpr int kLockSpeed = 1;
constexpr int kLockDarkness = 2;
constexpr int kLockWidth = 3;
constexpr int kLockOffset = 5;
constexpr int kLockTearOff = 6;
constexpr int kLockMediaType = 7;

bool isQueryItem(std::uint8_t item)
{
    return (item >= 0x01 && item <= 0x0A && item != 0x04) || item == 0x0C || item == 0x0E;
}

// An optional sign and digits filling `text` entirely.
bool parseNumber(std::string_view text, int& value)
{
    std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size())
        return false;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9')
            return false;
    }
    value = std::atoi(std::string(text).c_str());
    return true;
}

std::string hexByte(unsigned value)
{
    static const char digits[] = "0123456789abcdef";
    return {digits[(value >> 4) & 15], digits[value & 15]};
}

}  // namespace

std::size_t SettingsModule::consume(std::string_view pending, SimPrinterState& state,
                                    std::string& reply)
{
    if (pending.empty())
        return kNotMine;
    if (pending[0] == '\x1b')
        return consumeEscape(pending, state, reply);
    if (pending[0] == '^' || pending[0] == '~')
        return consumeZpl(pending);
    return kNotMine;
}

std::size_t SettingsModule::consumeEscape(std::string_view pending, SimPrinterState& state,
                                          std::string& reply)
{
    // A command whose fixed head is complete, followed by `extra` argument bytes.
    auto head = [&](std::string_view literal, std::size_t extra) -> std::size_t {
        const std::size_t n = MatchLiteral(pending, literal);
        if (n == kNotMine || n == kNeedMore)
            return n;
        return pending.size() < n + extra ? kNeedMore : n + extra;
    };

    if (const std::size_t n = head(kSettingQuery, 1); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        const auto item = static_cast<std::uint8_t>(pending[3]);
        if (!isQueryItem(item))
            return kNotMine;
        if (state.silent)
            SimLog("setting query " + hexByte(item) + " left unanswered");
        else
            answer(item, state, reply);
        return n;
    }
    if (const std::size_t n = head(kSettingLock, 2); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        const int flag = static_cast<std::uint8_t>(pending[3]);
        const int item = static_cast<std::uint8_t>(pending[4]);
        if (flag > 1 || item < 1 || item > 8)
            return kNotMine;
        const auto bit = static_cast<std::uint8_t>(1u << (item - 1));
        m_settings.locks = flag ? (m_settings.locks | bit) : (m_settings.locks & ~bit);
        SimLog(std::string(flag ? "lock " : "unlock ") + std::to_string(item) + ", locks " +
               hexByte(m_settings.locks));
        return n;
    }
    if (const std::size_t n = MatchLiteral(pending, kLockStatus); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        if (state.silent) {
            SimLog("lock status left unanswered");
        } else {
            // Bytes 2 and 3 carry the high and the low half of the lock byte.
            reply += "LS";
            reply += static_cast<char>(0x30 | (m_settings.locks >> 4));
            reply += static_cast<char>(0x30 | (m_settings.locks & 0x0F));
            SimLog("lock status " + hexByte(m_settings.locks));
        }
        return n;
    }
    if (const std::size_t n = head(kParameterQuery, 1); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        if (static_cast<std::uint8_t>(pending[3]) != kOrientationParameter)
            return kNotMine;
        if (state.silent) {
            SimLog("parameter query 23 left unanswered");
        } else {
            reply += static_cast<char>(m_settings.orientation == 'B' ? 1 : 0);
            SimLog(std::string("parameter 23 is ") + (m_settings.orientation == 'B' ? "1" : "0"));
        }
        return n;
    }
    if (const std::size_t n = head(kParameterSet, 2); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        if (static_cast<std::uint8_t>(pending[3]) != kOrientationParameter)
            return kNotMine;
        m_settings.orientation = pending[4] == 1 ? 'B' : 'T';
        SimLog(std::string("parameter 23 set to ") + (pending[4] == 1 ? "1" : "0"));
        return n;
    }
    if (const std::size_t n = head(kEmulationSwitch, 1); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        const char emulation = pending[5];
        if (emulation < '1' || emulation > '3')
            return kNotMine;
        state.language = emulation;
        static const char* const kNames[] = {"Dovra", "Ostrel", "KEFT"};
        SimLog(std::string("emulation switched to ") + kNames[emulation - '1']);
        return n;
    }
    return kNotMine;
}

std::size_t SettingsModule::consumeZpl(std::string_view pending)
{
    // The save is a whole command of its own; "^JUF" and the like belong to other tools.
    if (const std::size_t n = MatchLiteral(pending, "^JUS"); n != kNotMine) {
        if (n != kNeedMore) {
            ++m_settings.saves;
            SimLog("settings saved");
        }
        return n;
    }
    static constexpr std::string_view kKnown[] = {"~SD", "~TA", "^PW", "^LL", "^PO", "^PR",
                                                  "^MT", "^MN", "^LT", "^MM", "^MF", "^PM"};
    std::size_t end = kNotMine;
    for (std::string_view known : kKnown) {
        end = MatchZplCommand(pending, known, kMaxField);
        if (end != kNotMine)
            break;
    }
    if (end == kNotMine || end == kNeedMore)
        return end;
    const std::string_view mnemonic = pending.substr(0, 3);
    const std::string_view field = pending.substr(3, end - 3);
    const std::string_view first = field.substr(0, field.find(','));
    const std::string command(pending.substr(0, end));

    int number = 0;
    Settings& s = m_settings;
    if (mnemonic == "^PO" || mnemonic == "^MT" || mnemonic == "^MN" || mnemonic == "^MM" ||
        mnemonic == "^MF" || mnemonic == "^PM") {
        if (first.size() != 1)
            return kNotMine;
        const char letter = first[0];
        if (mnemonic == "^PO" && (letter == 'N' || letter == 'I'))
            s.orientation = letter == 'I' ? 'B' : 'T';
        else if (mnemonic == "^MT" && (letter == 'T' || letter == 'D'))
            s.printMode = letter;
        else if (mnemonic == "^MN" && (letter == 'Y' || letter == 'N' || letter == 'M')) {
            if (locked(kLockMediaType, command.c_str()))
                return end;
            s.mediaType = letter == 'Y' ? 'W' : letter == 'N' ? 'C' : 'M';
        } else if (mnemonic == "^MM" && (letter == 'T' || letter == 'P' || letter == 'C'))
            s.mediaHandling = letter;
        else if (mnemonic == "^MF" && std::string_view("FCLN").find(letter) != std::string_view::npos)
            s.mediaFeed = letter;
        else if (mnemonic == "^PM" && (letter == 'Y' || letter == 'N'))
            s.mirror = letter == 'Y';
        else
            return kNotMine;
        SimLog("applied " + command);
        return end;
    }

    if (!parseNumber(first, number))
        return kNotMine;
    if (mnemonic == "~SD") {
        if (number < 0 || number > 30)
            return kNotMine;
        if (locked(kLockDarkness, command.c_str()))
            return end;
        s.darkness = number;
    } else if (mnemonic == "~TA") {
        if (locked(kLockTearOff, command.c_str()))
            return end;
        s.tearOff = number;
    } else if (mnemonic == "^PW") {
        if (locked(kLockWidth, command.c_str()))
            return end;
        s.labelWidth = number;
    } else if (mnemonic == "^LL") {
        s.labelHeight = number;
    } else if (mnemonic == "^PR") {
        if (locked(kLockSpeed, command.c_str()))
            return end;
        s.printSpeed = number;
    } else if (mnemonic == "^LT") {
        if (locked(kLockOffset, command.c_str()))
            return end;
        s.printOffset = number;
    }
    SimLog("applied " + command);
    return end;
}

bool SettingsModule::locked(int lockItem, const char* command) const
{
    if ((m_settings.locks >> (lockItem - 1) & 1) == 0)
        return false;
    SimLog(std::string("refused ") + command + " (locked)");
    return true;
}

void SettingsModule::answer(std::uint8_t item, const SimPrinterState&, std::string& reply) const
{
    const Settings& s = m_settings;
    std::string text;
    switch (item) {
    case 0x01: text = std::to_string(s.labelWidth); break;
    case 0x02: text = std::to_string(s.labelHeight); break;
    case 0x03: text = s.orientation; break;
    case 0x05: text = std::to_string(s.printSpeed); break;
    case 0x06: text = std::to_string(s.darkness); break;
    case 0x07: text = s.printMode; break;
    case 0x08: text = s.mediaType; break;
    case 0x09: text = std::to_string(s.tearOff); break;
    case 0x0A: text = std::to_string(s.printOffset); break;
    case 0x0C: text = s.mediaHandling; break;
    case 0x0E: text = s.mediaFeed; break;
    default: return;
    }
    reply += text;
    SimLog("setting " + hexByte(item) + " is " + text);
}
