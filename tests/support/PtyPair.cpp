#include "tests/support/PtyPair.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace ztest {

namespace {

using SteadyClock = std::chrono::steady_clock;

int millisLeft(SteadyClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

PtyPair::PtyPair(bool raw)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        if (m_master >= 0)
            ::close(m_master);
        throw std::runtime_error("PtyPair: no pseudo-terminal");
    }
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        ::close(m_master);
        throw std::runtime_error("PtyPair: no slave name");
    }
    m_slavePath = QFile::decodeName(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        ::close(m_master);
        throw std::runtime_error("PtyPair: cannot open the slave");
    }
    if (raw) {
        termios t{};
        if (::tcgetattr(m_slave, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_slave, TCSANOW, &t);
        }
    }
    // Reads below wait with poll, never in read(2).
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

QByteArray PtyPair::readMaster(int count, int timeoutMs)
{
    QByteArray out;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (m_master >= 0 && out.size() < count) {
        const ssize_t n = ::read(m_master, buffer, std::min<qsizetype>(sizeof buffer, count - out.size()));
        if (n > 0) {
            out.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            break;
        const int left = millisLeft(deadline);
        if (left == 0)
            break;
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, left) <= 0 && errno != EINTR)
            break;
    }
    return out;
}

QByteArray PtyPair::drainMaster(int quietMs)
{
    QByteArray out;
    char buffer[4096];
    while (m_master >= 0) {
        pollfd pfd{m_master, POLLIN, 0};
        const int rc = ::poll(&pfd, 1, quietMs);
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc <= 0)
            break;
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0)
            out.append(buffer, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return out;
}

bool PtyPair::writeMaster(const QByteArray& bytes)
{
    qsizetype written = 0;
    const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
    while (m_master >= 0 && written < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + written, bytes.size() - written);
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        const int left = millisLeft(deadline);
        pollfd pfd{m_master, POLLOUT, 0};
        if (left == 0 || ::poll(&pfd, 1, left) <= 0)
            return false;
    }
    return written == bytes.size();
}

bool PtyPair::waitSlaveReadable(int timeoutMs)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd pfd{m_slave, POLLIN, 0};
        const int rc = ::poll(&pfd, 1, millisLeft(deadline));
        if (rc > 0)
            return (pfd.revents & POLLIN) != 0;
        if (rc == 0 || errno != EINTR)
            return false;
    }
}

void PtyPair::closeMaster()
{
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

}  // namespace ztest
