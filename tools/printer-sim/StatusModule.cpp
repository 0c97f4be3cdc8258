#include "StatusModule.h"

#include <QCommandLineParser>

#include <array>
#include <cstdio>
#include <sstream>

namespace {

struct Condition {
    const char* name;
    unsigned media;
    unsigned job;
    unsigned cps;
};

constexpr std::array<Condition, 9> kConditions{{
    {"paper-out", 0x80, 0, 0x02},
    {"head-open", 0x40, 0, 0x01},
    {"cutter-jam", 0x20, 0, 0x04},
    {"overheat", 0x10, 0, 0x08},
    {"gap-error", 0x08, 0, 0},
    {"ribbon-end", 0x04, 0, 0},
    {"building", 0, 0x80, 0},
    {"printing", 0, 0x40, 0},
    {"paused", 0, 0x20, 0},
}};

std::string hexByte(unsigned value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02x", value & 0xFF);
    return text;
}

}  // namespace

std::string StatusModule::ConditionNames()
{
    std::string names;
    for (const Condition& c : kConditions)
        names += (names.empty() ? "" : ", ") + std::string(c.name);
    return names;
}

bool StatusModule::SetConditions(const std::string& list, std::string& error)
{
    unsigned media = 0;
    unsigned job = 0;
    unsigned cps = 0;
    std::istringstream in(list);
    std::string name;
    while (std::getline(in, name, ',')) {
        if (name.empty() || name == "ok")
            continue;
        bool known = false;
        for (const Condition& c : kConditions) {
            if (name == c.name) {
                media |= c.media;
                job |= c.job;
                cps |= c.cps;
                known = true;
            }
        }
        if (!known) {
            error = "bad --status condition: " + name + " (" + ConditionNames() + ")";
            return false;
        }
    }
    m_media = media;
    m_job = job;
    m_cps = cps;
    return true;
}

void StatusModule::addOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(
        QStringLiteral("status"),
        QStringLiteral("Conditions the status queries report, comma-separated: %1 (default "
                       "none: status OK).")
            .arg(QString::fromStdString(ConditionNames())),
        QStringLiteral("LIST"), QString()));
    parser.addOption(QCommandLineOption(
        QStringLiteral("error-code"),
        QStringLiteral("Two-character code the ^ee query answers (default 00)."),
        QStringLiteral("CC"), QStringLiteral("00")));
}

bool StatusModule::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    if (!SetConditions(parser.value(QStringLiteral("status")).toStdString(), error))
        return false;
    const std::string code = parser.value(QStringLiteral("error-code")).toStdString();
    if (code.size() != 2) {
        error = "bad --error-code: " + code + " (two characters)";
        return false;
    }
    m_errorCode = code;
    return true;
}

std::size_t StatusModule::consume(std::string_view pending, SimPrinterState& state,
                                  std::string& reply)
{
    struct Query {
        std::string_view text;
        const char* name;
    };
    for (const Query q : {Query{"^cp\r", "^cp"}, Query{"^cu\r", "^cu"}, Query{"^ee\r", "^ee"},
                          Query{"CPS\r", "CPS"}}) {
        const std::size_t n = MatchLiteral(pending, q.text);
        if (n == kNotMine)
            continue;
        if (n == kNeedMore)
            return n;
        std::string answer;
        if (q.text == "^cp\r")
            answer = {static_cast<char>(m_media), static_cast<char>(m_job)};
        else if (q.text == "^cu\r")
            answer = {static_cast<char>(m_media)};
        else if (q.text == "^ee\r")
            answer = m_errorCode + "\r\n";
        else
            answer = {static_cast<char>(m_cps)};
        if (state.silent) {
            SimLog(std::string("status: ") + q.name + " query left unanswered");
            return n;
        }
        std::string shown;
        for (char c : answer)
            shown += (shown.empty() ? "" : " ") + hexByte(static_cast<unsigned char>(c));
        SimLog(std::string("status: ") + q.name + " query answered " + shown);
        reply += answer;
        return n;
    }
    return kNotMine;
}
