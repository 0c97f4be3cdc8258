#include "platform/linux/LinuxTcpSocket.h"

#include "platform/WaitHook.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Waits for `events` until `deadline`; false with errno ETIMEDOUT when it passes. The
// wait hook runs between slices of the wait, so the window keeps painting meanwhile.
bool waitFor(int fd, short events, SteadyClock::time_point deadline)
{
    for (;;) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
        int timeout = int(std::clamp<long long>(left.count(), 0, INT_MAX));
        const bool sliced = WaitHook::installed() && timeout > WaitHook::kSliceMs;
        if (sliced)
            timeout = WaitHook::kSliceMs;
        pollfd pfd{fd, events, 0};
        int rc = ::poll(&pfd, 1, timeout);
        if (rc > 0)
            return true;  // ready, or an error the next call reports
        if (rc == 0) {
            if (!sliced) {
                errno = ETIMEDOUT;
                return false;
            }
            WaitHook::run();
            continue;
        }
        if (errno != EINTR)
            return false;
    }
}

SteadyClock::time_point after(int milliseconds)
{
    return SteadyClock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
}

bool resolve(const QString& address, std::uint16_t port, sockaddr_in* target)
{
    *target = sockaddr_in{};
    target->sin_family = AF_INET;
    target->sin_port = htons(port);
    const QByteArray host = address.trimmed().toUtf8();
    if (host.isEmpty())
        return false;
    if (::inet_pton(AF_INET, host.constData(), &target->sin_addr) == 1)
        return true;

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.constData(), nullptr, &hints, &found) != 0 || !found)
        return false;
    target->sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

}  // namespace

LinuxTcpSocket::LinuxTcpSocket(const TcpTimeLimits& limits) : m_limits(limits) {}

LinuxTcpSocket::~LinuxTcpSocket()
{
    close();
}

bool LinuxTcpSocket::create()
{
    close();
    m_lost = false;
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    // Commands are short and each waits for its reply: send them at once.
    int on = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return true;
}

bool LinuxTcpSocket::connect(const QString& address, std::uint16_t port)
{
    if (m_fd < 0) {
        errno = EBADF;
        return false;
    }
    sockaddr_in target;
    if (!resolve(address, port, &target)) {
        errno = EHOSTUNREACH;
        return false;
    }
    const auto deadline = after(m_limits.connectMs);
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0)
        return true;
    if (errno != EINPROGRESS && errno != EINTR)
        return false;
    if (!waitFor(m_fd, POLLOUT, deadline))
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return false;
    if (error != 0) {
        errno = error;
        return false;
    }
    return true;
}

int LinuxTcpSocket::send(const void* data, int length)
{
    return sendWithin(data, length, m_limits.sendMs);
}

int LinuxTcpSocket::sendTransfer(const void* data, int length)
{
    return sendWithin(data, length, m_limits.transferSendMs);
}

int LinuxTcpSocket::sendWithin(const void* data, int length, int idleMs)
{
    if (m_fd < 0 || length < 0 || (length > 0 && !data))
        return -1;
    const auto* bytes = static_cast<const char*>(data);
    int sent = 0;
    // The limit runs from the last progress, so a long transfer at the printer's pace
    // goes through while a peer that takes nothing fails in bounded time.
    auto deadline = after(idleMs);
    auto failed = [&sent] { return sent > 0 ? sent : -1; };
    while (sent < length) {
        ssize_t n = ::send(m_fd, bytes + sent, std::size_t(length - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += int(n);
            deadline = after(idleMs);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            m_lost = m_lost || errno == EPIPE || errno == ECONNRESET;
            return failed();
        }
        if (!waitFor(m_fd, POLLOUT, deadline))
            return failed();
    }
    return sent;
}

int LinuxTcpSocket::receive(void* buffer, int length, int limitMs)
{
    const auto deadline = after(limitMs);
    return receiveUntil(buffer, length, &deadline);
}

int LinuxTcpSocket::pendingBytes()
{
    int pending = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &pending) != 0)
        return 0;
    return std::max(pending, 0);
}

void LinuxTcpSocket::discardPending()
{
    char scrap[4096];
    while (receiveUntil(scrap, int(sizeof scrap), nullptr) > 0) {
    }
}

int LinuxTcpSocket::receiveAvailable(void* buffer, int length)
{
    return receiveUntil(buffer, length, nullptr);
}

int LinuxTcpSocket::receiveUntil(void* buffer, int length, const SteadyClock::time_point* deadline)
{
    if (m_fd < 0 || length < 0 || (length > 0 && !buffer))
        return -1;
    if (length == 0)
        return 0;
    for (;;) {
        ssize_t n = ::recv(m_fd, buffer, std::size_t(length), 0);
        if (n >= 0) {
            m_lost = m_lost || n == 0;
            return int(n);
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            m_lost = m_lost || errno == ECONNRESET;
            return -1;
        }
        if (!deadline || !waitFor(m_fd, POLLIN, *deadline))
            return -1;
    }
}

void LinuxTcpSocket::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool LinuxTcpSocket::isOpen() const
{
    return m_fd >= 0;
}

bool LinuxTcpSocket::connectionLost()
{
    if (m_fd < 0 || m_lost)
        return m_lost;
    // A printer that hung up since the last call: its close (or reset) is waiting. Bytes
    // it sent before closing are still ours to read, so the connection counts until then.
    pollfd pfd{m_fd, POLLIN | POLLRDHUP, 0};
    if (::poll(&pfd, 1, 0) <= 0)
        return false;
    if (pfd.revents & POLLERR) {
        m_lost = true;
    } else if (pfd.revents & (POLLRDHUP | POLLHUP)) {
        int pending = 0;
        m_lost = ::ioctl(m_fd, FIONREAD, &pending) == 0 && pending == 0;
    }
    return m_lost;
}

}  // namespace platform
