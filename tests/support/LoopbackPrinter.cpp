#include "tests/support/LoopbackPrinter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ztest {

namespace {

constexpr int kCommandWaitMs = 5000;

// `more`: the bytes are held back for what follows (the hang-up's FIN).
bool sendAll(int fd, const QByteArray& bytes, bool more = false)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent,
                                 MSG_NOSIGNAL | (more ? MSG_MORE : 0));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

}  // namespace

LoopbackPrinter::LoopbackPrinter()
{
    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("LoopbackPrinter: pipe failed");

    m_listenFd = listenOn(0);
    sockaddr_in addr{};
    socklen_t size = sizeof addr;
    if (m_listenFd < 0 || ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &size) != 0) {
        if (m_listenFd >= 0)
            ::close(m_listenFd);
        ::close(m_wakePipe[0]);
        ::close(m_wakePipe[1]);
        throw std::runtime_error("LoopbackPrinter: cannot listen on 127.0.0.1");
    }
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { serve(); });
}

LoopbackPrinter::~LoopbackPrinter()
{
    {
        std::lock_guard guard(m_mutex);
        m_stop = true;
    }
    wake();
    m_thread.join();
    for (int fd : m_clients)
        ::close(fd);
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
}

int LoopbackPrinter::listenOn(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // The port comes back while the connections of before still linger in TIME_WAIT.
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void LoopbackPrinter::wake()
{
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(m_wakePipe[1], &byte, 1);  // full pipe: a wake is pending anyway
}

void LoopbackPrinter::serve()
{
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        std::vector<pollfd> fds{{m_wakePipe[0], POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        {
            std::lock_guard guard(m_mutex);
            for (int fd : m_clients)
                fds.push_back({fd, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            return;

        if (fds[1].revents & POLLIN) {
            const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0) {
                std::lock_guard guard(m_mutex);
                m_clients.push_back(client);
                ++m_connections;
                m_changed.notify_all();
            }
        }

        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            const int fd = fds[i].fd;
            const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
            if (n < 0 && errno == EINTR)
                continue;
            std::optional<Reply> reply;
            {
                std::lock_guard guard(m_mutex);
                if (n <= 0) {
                    ::close(fd);
                    m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), fd), m_clients.end());
                } else {
                    m_receivedCount += n;
                    if (m_keepReceived)
                        m_received.append(buffer.data(), n);
                    if (!m_replies.empty()) {
                        reply = m_replies.front();
                        m_replies.pop_front();
                    }
                }
                m_changed.notify_all();
            }
            if (!reply)
                continue;
            if (reply->then == Then::Stay) {
                sendAll(fd, reply->bytes);
                continue;
            }
            // Gone before the link can read the reply and try again.
            if (reply->then == Then::HangUpAndStopListening && m_listenFd >= 0) {
                ::close(m_listenFd);
                m_listenFd = -1;
            }
            // The FIN joins the held-back reply in its segment: the link finds the connection
            // gone as soon as it has read the reply, not at some later moment.
            sendAll(fd, reply->bytes, true);
            ::shutdown(fd, SHUT_WR);
            std::lock_guard guard(m_mutex);
            ::close(fd);
            m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), fd), m_clients.end());
            m_changed.notify_all();
        }

        // Commands last: they may close clients, whose descriptors the loop above used.
        if (fds[0].revents) {
            char drain[64];
            while (::read(m_wakePipe[0], drain, sizeof drain) > 0) {
            }
            std::deque<std::function<void()>> commands;
            {
                std::lock_guard guard(m_mutex);
                if (m_stop)
                    return;
                commands.swap(m_commands);
            }
            for (auto& command : commands)
                command();
        }
    }
}

bool LoopbackPrinter::runOnServer(std::function<bool()> command)
{
    // Shared with the command, which may still run after a wait that gave up.
    struct Outcome {
        bool done = false;
        bool result = false;
    };
    auto outcome = std::make_shared<Outcome>();
    {
        std::lock_guard guard(m_mutex);
        m_commands.push_back([this, command = std::move(command), outcome] {
            const bool result = command();
            std::lock_guard inner(m_mutex);
            outcome->result = result;
            outcome->done = true;
            m_changed.notify_all();
        });
    }
    wake();
    std::unique_lock lock(m_mutex);
    const bool done = m_changed.wait_for(lock, std::chrono::milliseconds(kCommandWaitMs),
                                         [&] { return outcome->done; });
    return done && outcome->result;
}

void LoopbackPrinter::queueReply(const QByteArray& reply, Then then)
{
    std::lock_guard guard(m_mutex);
    m_replies.push_back({reply, then});
}

bool LoopbackPrinter::send(const QByteArray& bytes)
{
    return runOnServer([this, bytes] {
        int fd = -1;
        {
            std::lock_guard guard(m_mutex);
            if (!m_clients.empty())
                fd = m_clients.back();
        }
        return fd >= 0 && sendAll(fd, bytes);
    });
}

void LoopbackPrinter::closeConnections()
{
    runOnServer([this] {
        std::lock_guard guard(m_mutex);
        for (int fd : m_clients)
            ::close(fd);
        m_clients.clear();
        m_changed.notify_all();
        return true;
    });
}

void LoopbackPrinter::stopListening()
{
    closeConnections();
    runOnServer([this] {
        if (m_listenFd >= 0)
            ::close(m_listenFd);
        m_listenFd = -1;
        return true;
    });
}

bool LoopbackPrinter::listenAgain()
{
    return runOnServer([this] {
        if (m_listenFd < 0)
            m_listenFd = listenOn(m_port);
        return m_listenFd >= 0;
    });
}

void LoopbackPrinter::setKeepReceived(bool keep)
{
    std::lock_guard guard(m_mutex);
    m_keepReceived = keep;
}

QByteArray LoopbackPrinter::received() const
{
    std::lock_guard guard(m_mutex);
    return m_received;
}

std::int64_t LoopbackPrinter::receivedCount() const
{
    std::lock_guard guard(m_mutex);
    return m_receivedCount;
}

int LoopbackPrinter::connectionCount() const
{
    std::lock_guard guard(m_mutex);
    return m_connections;
}

int LoopbackPrinter::openConnections() const
{
    std::lock_guard guard(m_mutex);
    return static_cast<int>(m_clients.size());
}

bool LoopbackPrinter::waitForReceived(std::int64_t count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_receivedCount >= count; });
}

bool LoopbackPrinter::waitForConnections(int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_connections >= count; });
}

}  // namespace ztest
