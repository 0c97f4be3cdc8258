#include "ReplyPacing.h"

#include <QCommandLineParser>

namespace {

const QString kDelay = QStringLiteral("reply-delay");
const QString kLate = QStringLiteral("late");
const QString kUnanswered = QStringLiteral("unanswered");

bool startsWith(std::string_view text, const std::string& prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool parseMs(const QString& text, int& ms)
{
    bool ok = false;
    ms = text.toInt(&ok);
    return ok && ms >= 0;
}

}  // namespace

void ReplyPacing::addOptions(QCommandLineParser& parser)
{
    parser.addOption({kDelay, QStringLiteral("Answer every command MS ms after it came in. Default 0."),
                      QStringLiteral("MS"), QStringLiteral("0")});
    parser.addOption({kLate,
                      QStringLiteral("Answer the commands that start with TEXT MS ms after they came in "
                                     "(repeatable; \\r, \\n and \\xHH name control bytes)."),
                      QStringLiteral("TEXT=MS")});
    parser.addOption({kUnanswered,
                      QStringLiteral("Never answer the commands that start with TEXT (repeatable)."),
                      QStringLiteral("TEXT")});
}

bool ReplyPacing::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    if (!parseMs(parser.value(kDelay), m_delayMs)) {
        error = "bad --reply-delay: " + parser.value(kDelay).toStdString();
        return false;
    }
    for (const QString& value : parser.values(kLate)) {
        const qsizetype equals = value.lastIndexOf(u'=');
        std::string prefix;
        int ms = 0;
        if (equals <= 0 || !unescape(value.left(equals).toStdString(), prefix)
            || !parseMs(value.mid(equals + 1), ms)) {
            error = "bad --late: " + value.toStdString() + " (TEXT=MS)";
            return false;
        }
        m_late.emplace_back(prefix, ms);
    }
    for (const QString& value : parser.values(kUnanswered)) {
        std::string prefix;
        if (value.isEmpty() || !unescape(value.toStdString(), prefix)) {
            error = "bad --unanswered: " + value.toStdString();
            return false;
        }
        m_unanswered.push_back(prefix);
    }
    return true;
}

std::optional<int> ReplyPacing::delayFor(std::string_view command) const
{
    for (const std::string& prefix : m_unanswered) {
        if (startsWith(command, prefix))
            return std::nullopt;
    }
    for (const auto& [prefix, ms] : m_late) {
        if (startsWith(command, prefix))
            return ms;
    }
    return m_delayMs;
}

bool ReplyPacing::unescape(const std::string& text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        case 'x': {
            const std::string digits = text.substr(i + 1, 2);
            if (digits.size() != 2 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return false;
            out += static_cast<char>(std::stoi(digits, nullptr, 16));
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}
