#include "CalibrationModule.h"

#include <QCommandLineParser>
#include <QFile>

#include <sstream>

namespace {

constexpr std::size_t kMaxNumber = 12;  // a longer digit field is no command of ours
constexpr std::size_t kMaxLabelText = 32;

// Reads a decimal field at `pos` that ends at `end`: its length, or kNeedMore while the
// bytes could still become one, or kNotMine.
std::size_t numberField(std::string_view s, std::size_t pos, char end, long long& value)
{
    std::size_t i = pos;
    value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (i - pos >= kMaxNumber)
            return SimModule::kNotMine;
        value = value * 10 + (s[i] - '0');
        ++i;
    }
    if (i == s.size())
        return SimModule::kNeedMore;
    if (i == pos || s[i] != end)
        return SimModule::kNotMine;
    return i - pos;
}

// "*" or "^" then `name`: the length of that start, or kNeedMore / kNotMine.
std::size_t prefixed(std::string_view s, std::string_view name)
{
    if (s.empty() || (s[0] != '*' && s[0] != '^'))
        return SimModule::kNotMine;
    const std::size_t n = MatchLiteral(s.substr(1), name);
    return n == SimModule::kNotMine || n == SimModule::kNeedMore ? n : 1 + n;
}

void putCounts(const CalibrationModule::Counts& counts, std::string& reply)
{
    for (int c : counts) {
        reply += static_cast<char>(c & 0xFF);
        reply += static_cast<char>((c >> 8) & 0xFF);
    }
}

}  // namespace

CalibrationModule::CalibrationModule()
{
    NamedDistribution("gap", m_counts);
}

bool CalibrationModule::NamedDistribution(const std::string& name, Counts& counts)
{
    counts.fill(0);
    if (name == "gap") {
        // Label stock on most bins 2-5, the gaps between labels on bins 12-14.
        const int label[] = {900, 1200, 800, 100};
        const int gap[] = {30, 40, 10};
        for (int i = 0; i < 4; ++i)
            counts[2 + i] = label[i];
        for (int i = 0; i < 3; ++i)
            counts[12 + i] = gap[i];
        return true;
    }
    if (name == "blackmark") {
        const int mark[] = {20, 60, 35};
        const int stock[] = {150, 700, 1500, 1300, 900};
        for (int i = 0; i < 3; ++i)
            counts[5 + i] = mark[i];
        for (int i = 0; i < 5; ++i)
            counts[18 + i] = stock[i];
        return true;
    }
    return false;
}

bool CalibrationModule::ParseCounts(const std::string& text, Counts& counts)
{
    std::string spaced = text;
    for (char& c : spaced) {
        if (c == ',' || c == ';' || c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    }
    std::istringstream in(spaced);
    Counts read{};
    for (int& c : read) {
        long long value = -1;
        if (!(in >> value) || value < 0 || value > 65535)
            return false;
        c = static_cast<int>(value);
    }
    std::string rest;
    if (in >> rest)
        return false;
    counts = read;
    return true;
}

void CalibrationModule::addOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(
        QStringLiteral("sensing"),
        QStringLiteral("Media-sensor distribution the sensing request answers: gap, blackmark, "
                       "or a file of 32 counts (default gap)."),
        QStringLiteral("gap|blackmark|FILE"), QStringLiteral("gap")));
}

bool CalibrationModule::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    const std::string value = parser.value(QStringLiteral("sensing")).toStdString();
    if (NamedDistribution(value, m_counts))
        return true;
    QFile file(QString::fromStdString(value));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "bad --sensing: " + value + " (gap, blackmark or a readable file)";
        return false;
    }
    if (!ParseCounts(file.readAll().toStdString(), m_counts)) {
        error = "bad --sensing file " + value + ": 32 counts from 0 to 65535 expected";
        return false;
    }
    return true;
}

std::size_t CalibrationModule::consume(std::string_view pending, SimPrinterState& state,
                                       std::string& reply)
{
    if (const std::size_t n = sensing(pending, state, reply); n != kNotMine)
        return n;
    if (const std::size_t n = save(pending); n != kNotMine)
        return n;
    return manual(pending);
}

std::size_t CalibrationModule::sensing(std::string_view s, SimPrinterState& state,
                                       std::string& reply)
{
    const std::size_t head = prefixed(s, "MXd,");
    if (head == kNotMine || head == kNeedMore)
        return head;
    long long dots = 0;
    const std::size_t digits = numberField(s, head, ',', dots);
    if (digits == kNotMine || digits == kNeedMore)
        return digits;
    const std::size_t type = head + digits + 1;
    if (s.size() < type + 2)
        return s.size() == type || s[type] == 'G' || s[type] == 'B' ? kNeedMore : kNotMine;
    if ((s[type] != 'G' && s[type] != 'B') || s[type + 1] != '\r')
        return kNotMine;
    const char* medium = s[type] == 'G' ? "gap" : "black mark";
    if (state.silent) {
        SimLog("calibration: sensing request left unanswered");
    } else {
        putCounts(m_counts, reply);
        SimLog("calibration: sensing request, " + std::to_string(dots) + " dots, " + medium +
               " sensing; distribution sent");
    }
    return type + 2;
}

std::size_t CalibrationModule::save(std::string_view s)
{
    std::size_t head = prefixed(s, "MXc\r");
    if (head == kNeedMore)
        return head;
    if (head != kNotMine) {
        SimLog("calibration: cancelled");
        return head;
    }
    head = prefixed(s, "MXs,");
    if (head == kNotMine || head == kNeedMore)
        return head;
    long long threshold = 0;
    const std::size_t first = numberField(s, head, ',', threshold);
    if (first == kNotMine || first == kNeedMore)
        return first;
    long long gapCount = 0;
    const std::size_t second = numberField(s, head + first + 1, '\r', gapCount);
    if (second == kNotMine || second == kNeedMore)
        return second;
    m_threshold = static_cast<int>(threshold);
    m_gapCount = static_cast<int>(gapCount);
    SimLog("calibration: saved threshold " + std::to_string(threshold) + ", gap count " +
           std::to_string(gapCount));
    return head + first + 1 + second + 1;
}

std::size_t CalibrationModule::manual(std::string_view s)
{
    std::size_t head = prefixed(s, "MAC\r");
    if (head == kNeedMore)
        return head;
    if (head != kNotMine) {
        SimLog("manual calibration: cancelled");
        return head;
    }
    head = prefixed(s, "MA");
    if (head == kNotMine || head == kNeedMore)
        return head;
    // "*MA<detections>,<margin>,<label length>\r"; "*MAC" is taken above.
    if (s.size() > head && s[head] == 'C')
        return s.size() < head + 2 ? kNeedMore : kNotMine;
    long long values[2] = {};
    std::size_t pos = head;
    for (long long& value : values) {
        const std::size_t n = numberField(s, pos, ',', value);
        if (n == kNotMine || n == kNeedMore)
            return n;
        pos += n + 1;
    }
    // The label length goes as the operator typed it.
    const std::size_t end = s.find('\r', pos);
    if (end == std::string_view::npos)
        return s.size() - pos > kMaxLabelText ? kNotMine : kNeedMore;
    if (end - pos > kMaxLabelText)
        return kNotMine;
    SimLog("manual calibration: " + std::to_string(values[0]) + " detections, margin " +
           std::to_string(values[1]) + ", label length \"" + std::string(s.substr(pos, end - pos)) +
           "\"");
    return end + 1;
}
