#pragma once

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ztest {

// A stand-in network printer: a TCP listener on 127.0.0.1 (an ephemeral port) served by
// its own thread. It accepts any number of connections, records every byte it receives,
// and answers each received chunk with the next queued reply (none queued: it stays
// silent); a reply may be its last on that connection. Every wait of the test thread is
// bounded. Throws std::runtime_error when it cannot listen.
class LoopbackPrinter {
public:
    // What the printer does once a reply has gone out.
    enum class Then {
        Stay,
        HangUp,                  // closes that connection and takes new ones
        HangUpAndStopListening,  // closes it and refuses connects until listenAgain()
    };

    LoopbackPrinter();
    ~LoopbackPrinter();
    LoopbackPrinter(const LoopbackPrinter&) = delete;
    LoopbackPrinter& operator=(const LoopbackPrinter&) = delete;

    static QString address() { return QStringLiteral("127.0.0.1"); }
    std::uint16_t port() const { return m_port; }

    // Sent in answer to the next chunk received after it was queued. A hang-up reaches the
    // link with the reply's last bytes, so the link never reads the reply without it.
    void queueReply(const QByteArray& reply, Then then = Then::Stay);
    // Sends at once on the newest connection; false when there is none or the send fails.
    bool send(const QByteArray& bytes);
    // Hangs up every connection (new ones are still accepted).
    void closeConnections();
    // Hangs up every connection and stops listening: connects are refused, as by a printer
    // that has gone away, until listenAgain().
    void stopListening();
    // Listens on the same port again; false when the port cannot be had back.
    bool listenAgain();
    // false: count received bytes without keeping them (a sink for large transfers).
    void setKeepReceived(bool keep);

    QByteArray received() const;
    std::int64_t receivedCount() const;
    int connectionCount() const;  // accepted so far
    int openConnections() const;

    // Each false when the count is not reached within the time.
    bool waitForReceived(std::int64_t count, int timeoutMs) const;
    bool waitForConnections(int count, int timeoutMs) const;

private:
    void serve();
    // Runs `command` on the serving thread; its result, or false when it did not finish
    // within a bounded wait.
    bool runOnServer(std::function<bool()> command);
    void wake();
    // A listener on 127.0.0.1:port (0: any free port); -1 on failure.
    static int listenOn(std::uint16_t port);

    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    std::uint16_t m_port = 0;
    std::thread m_thread;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_stop = false;
    std::deque<std::function<void()>> m_commands;
    struct Reply {
        QByteArray bytes;
        Then then = Then::Stay;
    };
    std::deque<Reply> m_replies;
    std::vector<int> m_clients;  // owned by the serving thread; read under the mutex
    QByteArray m_received;
    std::int64_t m_receivedCount = 0;
    bool m_keepReceived = true;
    int m_connections = 0;
};

}  // namespace ztest
