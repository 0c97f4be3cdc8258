#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QCommandLineParser;

// How quickly the stand-in printer answers: at once (the default), after a delay, late for
// some commands, or never for others — a printer that is alive but slow, or that ignores
// what it does not know.
class ReplyPacing {
public:
    void addOptions(QCommandLineParser& parser);
    bool applyOptions(const QCommandLineParser& parser, std::string& error);

    // Milliseconds after its command came in that the answer to `command` goes out;
    // nothing when it is never answered.
    std::optional<int> delayFor(std::string_view command) const;

    // "\r", "\n", "\t", "\\" and "\xHH" in an option's text, so control bytes can be named.
    static bool unescape(const std::string& text, std::string& out);

private:
    int m_delayMs = 0;
    std::vector<std::pair<std::string, int>> m_late;  // prefix, delay
    std::vector<std::string> m_unanswered;            // prefixes
};
