#include "RfidModule.h"

#include <QCommandLineParser>

#include <charconv>
#include <cstdio>

namespace {

// Longest mnemonics first, so ">RFLP," is not taken for something shorter.
constexpr std::string_view kMnemonics[] = {">RFLP,", ">RFTP,", ">RFW,", ">RFR,", ">RFr,", ">RFZ,",
                                           ">RFS,",  ">RFI,",  ">RFLK", ">RFUL", ">RFKL", ">RFCP"};
constexpr std::size_t kMaxNumberDigits = 12;
const char* const kAreaNames[] = {"kill password", "access password", "EPC memory", "TID memory",
                                  "user memory"};

// Fields separated by commas; a field in single quotes keeps its commas and loses its quotes.
std::vector<std::string> splitFields(std::string_view text)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '\'')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The password and lock forms quote a list: their commas separate fields too.
std::vector<std::string> splitList(std::string_view text)
{
    std::string unquoted;
    for (char c : text) {
        if (c != '\'')
            unquoted += c;
    }
    std::vector<std::string> fields(1);
    for (char c : unquoted) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool parseNumber(const std::string& text, int& value)
{
    if (text.empty() || text.size() > kMaxNumberDigits)
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool parseHex(std::string_view text, std::vector<unsigned char>& bytes)
{
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<unsigned char>(high << 4 | low));
    }
    return true;
}

std::string hexText(const unsigned char* bytes, std::size_t count)
{
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        text += pair;
    }
    return text;
}

}  // namespace

RfidModule::RfidModule() : epc(kMemoryBytes, 0), user(kMemoryBytes, 0) {}

void RfidModule::addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("tag-epc"),
                      QStringLiteral("The tag's EPC memory from block 0, as hex digit pairs."),
                      QStringLiteral("HEX")});
    parser.addOption({QStringLiteral("tag-user"),
                      QStringLiteral("The tag's user memory from block 0, as hex digit pairs."),
                      QStringLiteral("HEX")});
}

bool RfidModule::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    for (auto [name, memory] : {std::pair{"tag-epc", &epc}, std::pair{"tag-user", &user}}) {
        if (!parser.isSet(QLatin1String(name)))
            continue;
        std::vector<unsigned char> bytes;
        const std::string text = parser.value(QLatin1String(name)).toStdString();
        if (!parseHex(text, bytes) || bytes.size() > kMemoryBytes) {
            error = std::string("--") + name + " takes up to 96 bytes as hex digit pairs";
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), memory->begin());
    }
    return true;
}

std::size_t RfidModule::consume(std::string_view pending, SimPrinterState& state,
                                std::string& reply)
{
    for (const std::string_view mnemonic : kMnemonics) {
        const std::size_t n = MatchLiteral(pending, mnemonic);
        if (n == kNotMine)
            continue;
        if (n == kNeedMore)
            return n;
        const std::size_t end = pending.find('\r', n);
        if (end == std::string_view::npos)
            return pending.size() < kMaxCommand ? kNeedMore : kNotMine;
        if (end > kMaxCommand)
            return kNotMine;
        handle(std::string(mnemonic), std::string(pending.substr(n, end - n)), state, reply);
        return end + 1;
    }
    return kNotMine;
}

void RfidModule::handle(const std::string& mnemonic, const std::string& args,
                        SimPrinterState& state, std::string& reply)
{
    SimLog("RFID command " + mnemonic + args);
    const bool list = mnemonic == ">RFZ," || mnemonic == ">RFLP,";
    const std::vector<std::string> fields = list ? splitList(args) : splitFields(args);
    if (mnemonic == ">RFS,") {
        setEncoder(fields);
    } else if (mnemonic == ">RFTP,") {
        position = args;
        SimLog("RFID transponder position set to \"" + position + "\"");
    } else if (mnemonic == ">RFI,") {
        answerQuery(fields, state, reply);
    } else if (mnemonic == ">RFCP") {
        SimLog("RFID automatic calibration run");
    } else if (killed) {
        SimLog("RFID tag is killed: no answer");
    } else if (mnemonic == ">RFW,") {
        write(fields[0].empty() ? '?' : fields[0][0], fields);
    } else if (mnemonic == ">RFR," || mnemonic == ">RFr,") {
        read(fields[0].empty() ? '?' : fields[0][0], fields, mnemonic == ">RFr,", state, reply);
    } else if (mnemonic == ">RFZ,") {
        changePasswords(fields);
    } else if (mnemonic == ">RFLP,") {
        applyLockPayload(fields);
    } else if (mnemonic == ">RFLK") {
        setAll(true);
    } else if (mnemonic == ">RFUL") {
        setAll(false);
    } else if (mnemonic == ">RFKL") {
        killed = true;
        SimLog("RFID tag killed");
    }
}

void RfidModule::write(char kind, const std::vector<std::string>& fields)
{
    int start = 0;
    int count = 0;
    if (fields.size() != 4 || !parseNumber(fields[1], start) || !parseNumber(fields[2], count) ||
        start < 0 || count < 0) {
        SimLog("RFID write refused: malformed");
        return;
    }
    const bool userData = kind == 'U';
    if (kind != 'H' && kind != 'A' && !userData) {
        SimLog("RFID write refused: unknown data type");
        return;
    }
    std::vector<unsigned char> bytes;
    if (kind == 'A')
        bytes.assign(fields[3].begin(), fields[3].end());
    else if (!parseHex(fields[3], bytes)) {
        SimLog("RFID write refused: data is not hex digit pairs");
        return;
    }
    if (bytes.size() > static_cast<std::size_t>(count))
        bytes.resize(static_cast<std::size_t>(count));
    const Area area = userData ? UserMemory : EpcMemory;
    if (locks[area].locked || locks[area].permalocked) {
        SimLog(std::string("RFID write refused: ") + kAreaNames[area] + " is locked");
        return;
    }
    std::vector<unsigned char>& memory = userData ? user : epc;
    if (static_cast<std::size_t>(start) + bytes.size() > memory.size()) {
        SimLog("RFID write refused: past the end of the memory");
        return;
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin() + start);
    SimLog(std::string("RFID wrote ") + std::to_string(bytes.size()) + " bytes to " +
           kAreaNames[area] + " at block " + std::to_string(start) + ": " +
           hexText(bytes.data(), bytes.size()));
}

void RfidModule::read(char kind, const std::vector<std::string>& fields, bool metal,
                      const SimPrinterState& state, std::string& reply)
{
    int start = 0;
    int count = 0;
    if (fields.size() != 4 || !parseNumber(fields[1], start) || !parseNumber(fields[2], count) ||
        start < 0 || count < 0 || (fields[3] != "S" && fields[3] != "P")) {
        SimLog("RFID read refused: malformed");
        return;
    }
    const bool userData = kind == (metal ? 'u' : 'U');
    if (kind != 'H' && kind != 'A' && !userData) {
        SimLog("RFID read refused: unknown data type");
        return;
    }
    const std::vector<unsigned char>& memory = userData ? user : epc;
    if (static_cast<std::size_t>(start) + static_cast<std::size_t>(count) > memory.size()) {
        SimLog("RFID read refused: past the end of the memory");
        return;
    }
    const unsigned char* bytes = memory.data() + start;
    const std::string text = kind == 'A' ? std::string(bytes, bytes + count) : hexText(bytes, count);
    const std::string what = std::string(userData ? "user memory" : "EPC memory") + " at block " +
                             std::to_string(start) + ", " + std::to_string(count) + " bytes";
    if (fields[3] == "P") {
        SimLog("RFID printed " + what + ": " + hexText(bytes, count));
    } else if (state.silent) {
        SimLog("RFID read of " + what + " left unanswered");
    } else {
        reply += text;
        SimLog("RFID read " + what + ": " + hexText(bytes, count));
    }
}

void RfidModule::changePasswords(const std::vector<std::string>& fields)
{
    if (fields.size() != 4 || fields[2].size() != 8 || fields[3].size() != 8) {
        SimLog("RFID password change refused: malformed");
        return;
    }
    if (fields[0] != accessPassword || fields[1] != killPassword) {
        SimLog("RFID password change refused: the current passwords do not match");
        return;
    }
    for (const Area area : {AccessPassword, KillPassword}) {
        if (locks[area].locked || locks[area].permalocked) {
            SimLog(std::string("RFID password change refused: ") + kAreaNames[area] + " is locked");
            return;
        }
    }
    accessPassword = fields[2];
    killPassword = fields[3];
    SimLog("RFID passwords changed: access " + accessPassword + ", kill " + killPassword);
}

void RfidModule::applyLockPayload(const std::vector<std::string>& fields)
{
    std::vector<unsigned char> bytes;
    if (fields.size() != 4 || (fields[0] != "L" && fields[0] != "U")) {
        SimLog("RFID lock refused: malformed");
        return;
    }
    std::uint32_t shifted = 0;
    for (int i = 1; i <= 3; ++i) {
        if (!parseHex(fields[i], bytes) || bytes.size() != 1) {
            SimLog("RFID lock refused: payload bytes are not hex digit pairs");
            return;
        }
        shifted = shifted << 8 | bytes[0];
    }
    const std::uint32_t payload = shifted >> 4;
    const bool unlock = fields[0] == "U";
    for (int area = 0; area < kAreas; ++area) {
        const int maskShift = 18 - 2 * area;
        const int actionShift = 8 - 2 * area;
        const bool maskLock = payload >> (maskShift + 1) & 1;
        const bool maskPerma = payload >> maskShift & 1;
        bool actionLock = payload >> (actionShift + 1) & 1;
        const bool actionPerma = payload >> actionShift & 1;
        if (unlock)
            actionLock = false;
        AreaLock& lock = locks[area];
        if (lock.permalocked && (maskLock || maskPerma)) {
            SimLog(std::string("RFID ") + kAreaNames[area] + " is permalocked: left as it is");
            continue;
        }
        if (maskLock)
            lock.locked = actionLock;
        if (maskPerma && actionPerma)
            lock.permalocked = true;
    }
    std::string summary;
    for (int area = 0; area < kAreas; ++area) {
        summary += std::string(area ? ", " : "") + kAreaNames[area] +
                   (locks[area].permalocked ? " permalocked" : locks[area].locked ? " locked" : " open");
    }
    SimLog("RFID lock state: " + summary);
}

void RfidModule::setAll(bool locked)
{
    for (const Area area : {EpcMemory, UserMemory}) {
        if (!locks[area].permalocked)
            locks[area].locked = locked;
    }
    SimLog(locked ? "RFID EPC and user memory locked" : "RFID EPC and user memory unlocked");
}

void RfidModule::setEncoder(const std::vector<std::string>& fields)
{
    std::vector<int> values;
    for (const std::string& field : fields) {
        int value = 0;
        if (!parseNumber(field, value)) {
            SimLog("RFID settings refused: malformed");
            return;
        }
        values.push_back(value);
    }
    if (values.size() != 3 && values.size() != 4) {
        SimLog("RFID settings refused: malformed");
        return;
    }
    std::size_t i = 0;
    if (values.size() == 4) {
        const int code = values[i++];
        if (code == 5)
            tagType = "GEN2";
        else if (code == 2)
            tagType = "ISO-B";
    }
    retry = values[i++];
    labels = values[i++];
    power = values[i];
    SimLog("RFID settings: tag type " + tagType + ", retries " + std::to_string(retry) +
           ", labels " + std::to_string(labels) + ", power " + std::to_string(power));
}

void RfidModule::answerQuery(const std::vector<std::string>& fields, const SimPrinterState& state,
                             std::string& reply)
{
    int item = 0;
    if (fields.size() != 1 || !parseNumber(fields[0], item) || item < 1 || item > 5) {
        SimLog("RFID query refused: unknown item");
        return;
    }
    std::string answer;
    switch (item) {
    case 1: answer = tagType; break;
    case 2: answer = std::to_string(power); break;
    case 3: answer = position; break;
    case 4: answer = std::to_string(retry); break;
    default: answer = std::to_string(labels); break;
    }
    if (state.silent) {
        SimLog("RFID query " + std::to_string(item) + " left unanswered");
        return;
    }
    reply += answer + "\r\n";
}
