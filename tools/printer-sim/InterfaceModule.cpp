#include "InterfaceModule.h"

#include "ZplField.h"

namespace {

constexpr char kEsc = 0x1B;
constexpr char kUs = 0x1F;
constexpr std::size_t kMaxSerialField = 40;
constexpr std::size_t kMaxRecord = 160;

// The text from `start` to the first CR, or npos while none came.
std::size_t crAfter(std::string_view pending, std::size_t start)
{
    const std::size_t cr = pending.find('\r', start);
    return cr;
}

}  // namespace

std::size_t InterfaceModule::consume(std::string_view pending, SimPrinterState& state,
                                     std::string& reply)
{
    if (pending.empty())
        return kNotMine;
    if (pending[0] == kUs)
        return consumeModule(pending, state.silent, reply);
    if (pending[0] == '^') {
        const std::size_t n = MatchZplCommand(pending, "^SC", kMaxSerialField);
        if (n == kNotMine || n == kNeedMore)
            return n;
        const std::string fields(pending.substr(3, n - 3));
        // baud,bits,parity,stop,handshake[,protocol]: the first five are what query 0B tells.
        std::size_t cut = 0;
        for (int commas = 0; cut < fields.size(); ++cut) {
            if (fields[cut] == ',' && ++commas == 5)
                break;
        }
        m_serial = fields.substr(0, cut);
        SimLog("serial parameters set " + m_serial);
        return n;
    }
    if (pending[0] != kEsc)
        return kNotMine;
    // Setting query 0B.
    const std::size_t q = MatchLiteral(pending, std::string_view("\x1b\x1c?\x0b", 4));
    if (q == kNeedMore)
        return q;
    if (q != kNotMine) {
        if (!state.silent)
            reply += m_serial;
        SimLog("serial parameters read " + m_serial);
        return q;
    }
    // Parameters 18 (role) and 19 (pairing mode).
    for (const char item : {'\x18', '\x19'}) {
        char& value = item == '\x18' ? m_roleParam : m_pairing;
        const std::string name = item == '\x18' ? "bluetooth role" : "bluetooth pairing mode";
        const std::size_t r = MatchLiteral(pending, std::string{kEsc, '\x19', '\x1a', item});
        if (r == kNeedMore)
            return r;
        if (r != kNotMine) {
            if (!state.silent)
                reply += value;
            SimLog(name + " read " + std::to_string(int(value)));
            return r;
        }
        const std::size_t s = MatchLiteral(pending, std::string{kEsc, '\x19', '\x19', item});
        if (s == kNeedMore)
            return s;
        if (s != kNotMine) {
            if (pending.size() < 5)
                return kNeedMore;
            value = pending[4];
            SimLog(name + " set " + std::to_string(int(value)));
            return 5;
        }
    }
    return consumeDongle(pending, state.silent, reply);
}

std::size_t InterfaceModule::consumeModule(std::string_view pending, bool silent,
                                           std::string& reply)
{
    if (pending.size() < 3)
        return pending.size() == 2 && pending[1] != kUs ? kNotMine : kNeedMore;
    if (pending[1] != kUs)
        return kNotMine;
    switch (pending[2]) {
    case 'i': {
        if (pending.size() < 4)
            return kNeedMore;
        const char letter = pending[3];
        std::string value;
        switch (letter) {
        case 'd': value = m_name; break;
        case 's': value = std::string(1, m_encryption); break;
        case 'k': value = m_pin; break;
        case 'c': value = std::string(1, m_connection); break;
        case 'm': value = m_mac; break;
        case 'L':
            // The role answer carries no prefix.
            if (!silent)
                reply += m_role;
            SimLog(std::string("bluetooth module read L ") + m_role);
            return 4;
        default:
            return kNotMine;
        }
        if (!silent)
            reply += std::string("7B") + letter + value;
        SimLog(std::string("bluetooth module read ") + letter + " " + value);
        return 4;
    }
    case 'p': {
        // encryption, connection, PIN CR, name CR and, from family 101, a closing '0'.
        if (pending.size() < 5)
            return pending.size() > kMaxRecord ? kNotMine : kNeedMore;
        const std::size_t pinEnd = crAfter(pending, 5);
        if (pinEnd == std::string_view::npos)
            return pending.size() > kMaxRecord ? kNotMine : kNeedMore;
        const std::size_t nameEnd = crAfter(pending, pinEnd + 1);
        if (nameEnd == std::string_view::npos)
            return pending.size() > kMaxRecord ? kNotMine : kNeedMore;
        m_encryption = pending[3];
        m_connection = pending[4];
        m_pin = std::string(pending.substr(5, pinEnd - 5));
        m_name = std::string(pending.substr(pinEnd + 1, nameEnd - pinEnd - 1));
        std::size_t n = nameEnd + 1;
        if (n < pending.size() && pending[n] == '0')
            ++n;
        SimLog("bluetooth module set name " + m_name + " encryption " + m_encryption
               + " connection " + m_connection + " pin " + m_pin);
        return n;
    }
    case 'x':
        if (pending.size() < 5)
            return kNeedMore;
        if (pending[4] != '\r')
            return kNotMine;
        m_ssp = pending[3];
        SimLog(std::string("bluetooth module set ssp ") + m_ssp);
        return 5;
    case 'l':
        if (pending.size() < 4)
            return kNeedMore;
        m_role = pending[3];
        SimLog(std::string("bluetooth module set role ") + m_role);
        return 4;
    default:
        return kNotMine;
    }
}

std::size_t InterfaceModule::consumeDongle(std::string_view pending, bool silent,
                                           std::string& reply)
{
    const std::size_t head = std::min<std::size_t>(pending.size(), 3);
    if (pending.substr(0, head) != std::string_view("\x1b\x1cO", head)
        && pending.substr(0, head) != std::string_view("\x1b\x1cJ", head))
        return kNotMine;
    if (pending.size() < 4)
        return kNeedMore;
    const char item = pending[3];
    if (item < 1 || item > 4)
        return kNotMine;
    std::string* texts[] = {&m_dongleName, &m_donglePin};
    if (pending[2] == 'O') {
        std::string value;
        if (item <= 2)
            value = *texts[item - 1];
        else
            value = std::string(1, item == 3 ? m_dongleEncryption : m_dongleConnection);
        if (!silent)
            reply += value;
        SimLog("bluetooth dongle read " + std::to_string(int(item)) + " " + value);
        return 4;
    }
    // A set's value runs to the next ESC, or to the end of what came.
    std::size_t start = 4;
    std::size_t end = pending.find(kEsc, start);
    if (item == 1) {
        if (pending.size() < 5)
            return kNeedMore;
        const std::size_t length = static_cast<unsigned char>(pending[4]);
        start = 5;
        if (pending.size() < start + length)
            return length > kMaxRecord ? kNotMine : kNeedMore;
        end = start + length;
    } else if (item >= 3) {
        if (pending.size() < 5)
            return kNeedMore;
        end = 5;
    }
    if (end == std::string_view::npos)
        end = pending.size();
    const std::string value(pending.substr(start, end - start));
    if (item <= 2)
        *texts[item - 1] = value;
    else
        (item == 3 ? m_dongleEncryption : m_dongleConnection) = value.empty() ? '0' : value[0];
    SimLog("bluetooth dongle set " + std::to_string(int(item)) + " " + value);
    return end;
}
