#include "Interruptions.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

const QString kPauseAfter = QStringLiteral("pause-after");
const QString kPauseMs = QStringLiteral("pause-ms");
const QString kHangUpAfter = QStringLiteral("hang-up-after");

}  // namespace

void Interruptions::addOptions(QCommandLineParser& parser)
{
    parser.addOption({kPauseAfter, QStringLiteral("Stop reading after BYTES bytes in all (repeatable), for --pause-ms."),
                      QStringLiteral("BYTES")});
    parser.addOption({kPauseMs,
                      QStringLiteral("How long each --pause-after lasts (one for all, or one each). Default 30000."),
                      QStringLiteral("MS")});
    parser.addOption({kHangUpAfter,
                      QStringLiteral("Close the TCP connection once, after BYTES bytes in all, and listen on."),
                      QStringLiteral("BYTES")});
}

bool Interruptions::applyOptions(const QCommandLineParser& parser, std::string& error)
{
    const QStringList after = parser.values(kPauseAfter);
    QStringList lengths = parser.values(kPauseMs);
    if (lengths.isEmpty())
        lengths << QStringLiteral("30000");
    if (lengths.size() != 1 && lengths.size() != after.size()) {
        error = "--pause-ms: give one, or one per --pause-after";
        return false;
    }
    long long last = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        const QString& length = lengths[lengths.size() == 1 ? 0 : i];
        bool bytesOk = false;
        bool msOk = false;
        const long long bytes = after[i].toLongLong(&bytesOk);
        const int ms = length.toInt(&msOk);
        if (!bytesOk || !msOk || bytes <= last || ms < 0) {
            error = "bad pause: " + after[i].toStdString() + " bytes, " + length.toStdString()
                    + " ms (counts must grow)";
            return false;
        }
        m_pauses.emplace_back(bytes, ms);
        last = bytes;
    }
    if (parser.isSet(kHangUpAfter)) {
        bool ok = false;
        m_hangUpAfter = parser.value(kHangUpAfter).toLongLong(&ok);
        if (!ok || m_hangUpAfter <= 0) {
            error = "bad --hang-up-after: " + parser.value(kHangUpAfter).toStdString();
            return false;
        }
    }
    return true;
}

long long Interruptions::pauseLeftMs() const
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_pausedUntil - Clock::now());
    return std::max<long long>(left.count(), 0);
}

std::size_t Interruptions::readLimit(std::size_t size) const
{
    auto limit = static_cast<long long>(size);
    if (m_nextPause < m_pauses.size())
        limit = std::min(limit, m_pauses[m_nextPause].first - m_taken);
    if (m_hangUpAfter >= 0)
        limit = std::min(limit, m_hangUpAfter - m_taken);
    return static_cast<std::size_t>(std::max(limit, 1LL));
}

bool Interruptions::took(std::size_t n, bool tcp, std::string& event)
{
    event.clear();
    m_taken += static_cast<long long>(n);
    if (m_nextPause < m_pauses.size() && m_taken >= m_pauses[m_nextPause].first) {
        const int ms = m_pauses[m_nextPause++].second;
        m_pausedUntil = Clock::now() + std::chrono::milliseconds(ms);
        event = "stops reading for " + std::to_string(ms) + " ms after " + std::to_string(m_taken) + " bytes";
    }
    if (tcp && m_hangUpAfter >= 0 && m_taken >= m_hangUpAfter) {
        m_hangUpAfter = -1;
        event = "hangs up after " + std::to_string(m_taken) + " bytes";
        return true;
    }
    return false;
}
