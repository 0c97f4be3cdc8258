#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class QCommandLineParser;

// A printer that stops taking bytes for a while (a paper change) after a given count, or
// that hangs up once after a given count and listens again. The counts run over every byte
// taken from any peer since the start.
class Interruptions {
public:
    // --pause-after BYTES (repeatable) with --pause-ms MS (one for all, or one each), and
    // --hang-up-after BYTES.
    void addOptions(QCommandLineParser& parser);
    bool applyOptions(const QCommandLineParser& parser, std::string& error);

    // Milliseconds left of the running pause; 0 when none runs.
    long long pauseLeftMs() const;
    // How much the next read may take so that no count is passed.
    std::size_t readLimit(std::size_t size) const;
    // After `n` more bytes: starts the pause whose count is reached; true when the peer is
    // to be hung up on (TCP only). What happened goes to `event` (empty: nothing).
    bool took(std::size_t n, bool tcp, std::string& event);

private:
    using Clock = std::chrono::steady_clock;

    std::vector<std::pair<long long, int>> m_pauses;  // (after this many bytes, for ms), in order
    std::size_t m_nextPause = 0;
    long long m_hangUpAfter = -1;  // -1: none, or done
    long long m_taken = 0;
    Clock::time_point m_pausedUntil{};
};
