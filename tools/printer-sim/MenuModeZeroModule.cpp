#include "MenuModeZeroModule.h"

#include <cstdlib>
#include <tuple>
#include <utility>

namespace {

constexpr std::size_t kMaxField = 40;

// The length of `mnemonic`, a field of at most kMaxField bytes and `end`, when `pending`
// starts with them; the field is put in `field`.
std::size_t matchCommand(std::string_view pending, std::string_view mnemonic,
                         std::string_view end, std::string& field)
{
    const std::size_t head = MatchLiteral(pending, mnemonic);
    if (head == SimModule::kNotMine || head == SimModule::kNeedMore)
        return head;
    const std::size_t stop = pending.find(end, head);
    if (stop == std::string_view::npos)
        return pending.size() - head > kMaxField ? SimModule::kNotMine : SimModule::kNeedMore;
    if (stop - head > kMaxField)
        return SimModule::kNotMine;
    field.assign(pending.substr(head, stop - head));
    return stop + end.size();
}

std::string signedReply(int value)
{
    const int magnitude = std::abs(value) % 1000;
    std::string text(1, value < 0 ? '-' : '+');
    text += static_cast<char>('0' + magnitude / 100);
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

int signedValue(const std::string& field)
{
    return std::atoi(field.c_str());  // "+012" and "-12" alike
}

}  // namespace

MenuModeZeroModule::MenuModeZeroModule()
    : records{std::string("1.10"), std::string("ZX0000000001"), std::string("PRN0001")}
{
    resetUserSettings();
}

void MenuModeZeroModule::resetUserSettings()
{
    userSettings = {832, 10, 1200, 0, 0, 24};
    offset = 0;
    tearOff = 0;
}

std::size_t MenuModeZeroModule::consume(std::string_view pending, SimPrinterState& state,
                                        std::string& reply)
{
    std::string field;
    const auto answer = [&](const std::string& text) {
        if (!state.silent)
            reply += text;
    };

    // Queries of the numeric settings and positions.
    static const std::pair<std::string_view, int> queries[] = {
        {"^PI5,0\r\n", 0}, {"^PI5,1\r\n", 2}, {"^PI5,2\r\n", 5},
        {"^PI5,3\r\n", 3}, {"^PI5,4\r\n", 4}, {"^PI4,1\r\n", 1},
    };
    for (const auto& [query, number] : queries) {
        const std::size_t n = MatchLiteral(pending, query);
        if (n == kNotMine)
            continue;
        if (n != kNeedMore)
            answer(std::to_string(userSettings[static_cast<std::size_t>(number)]) + "\r\n");
        return n;
    }
    for (const auto& [query, value] :
         {std::pair<std::string_view, int*>{"^PI4,2\r\n", &tearOff}, {"^SA\r\n", &offset}}) {
        const std::size_t n = MatchLiteral(pending, query);
        if (n == kNotMine)
            continue;
        if (n != kNeedMore)
            answer(signedReply(*value) + "\r\n");
        return n;
    }

    if (std::size_t n = MatchLiteral(pending, std::string_view("^MBU\x0f,99\r", 9)); n != kNotMine) {
        if (n != kNeedMore) {
            resetUserSettings();
            SimLog("user settings initialised");
        }
        return n;
    }
    if (std::size_t n = matchCommand(pending, "^MBU", "\r", field); n != kNotMine) {
        if (n == kNeedMore)
            return n;
        const std::size_t comma = field.find(',');
        const int number = comma == 1 ? field[0] - '0' : -1;
        if (number >= 0 && number < static_cast<int>(userSettings.size())) {
            userSettings[static_cast<std::size_t>(number)] = std::atoi(field.c_str() + 2);
            SimLog("user setting " + std::to_string(number) + " = " + field.substr(2));
        }
        return n;
    }
    for (const auto& [mnemonic, value, name] :
         {std::tuple<std::string_view, int*, const char*>{"SA", &offset, "offset"},
          {"TA", &tearOff, "tear-off"}}) {
        std::size_t n = matchCommand(pending, mnemonic, "\r\n", field);
        if (n == kNotMine)
            continue;
        if (n != kNeedMore) {
            if (field.empty() || (field[0] != '+' && field[0] != '-'))
                return kNotMine;
            *value = signedValue(field);
            SimLog(std::string(name) + " = " + std::to_string(*value));
        }
        return n;
    }
    for (const char setting : {'0', '1'}) {
        const std::string command = std::string("^MBL") + setting;
        const std::size_t n = MatchLiteral(pending, command);
        if (n == kNotMine)
            continue;
        if (n != kNeedMore) {
            checkLabelLength = setting == '1';
            SimLog(std::string("label length check ") + (checkLabelLength ? "on" : "off"));
        }
        return n;
    }

    // The hardware records.
    static const std::string_view reads[] = {"^MBX0\r\n", "^MBX1\r", "^MBX2\r"};
    for (std::size_t record = 0; record < 3; ++record) {
        const std::size_t n = MatchLiteral(pending, reads[record]);
        if (n == kNotMine)
            continue;
        if (n != kNeedMore)
            answer(records[record] + "\r\n");
        return n;
    }
    if (std::size_t n = matchCommand(pending, std::string_view("^MBY\x0f,", 6), "\r\n", field);
        n != kNotMine) {
        if (n != kNeedMore && field.size() == 1 && field[0] >= '0' && field[0] <= '2') {
            records[static_cast<std::size_t>(field[0] - '0')].clear();
            SimLog(std::string("hardware record ") + field + " initialised");
        }
        return n;
    }
    if (std::size_t n = matchCommand(pending, "^MBY", "\r\n", field); n != kNotMine) {
        if (n != kNeedMore && field.size() >= 2 && field[1] == ',' && field[0] >= '0' &&
            field[0] <= '2') {
            records[static_cast<std::size_t>(field[0] - '0')] = field.substr(2);
            SimLog(std::string("hardware record ") + field[0] + " = " + field.substr(2));
        }
        return n;
    }
    return kNotMine;
}
