#include "platform/linux/LinuxDeviceIo.h"

#include "platform/Services.h"
#include "platform/WaitHook.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <linux/lp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

using SteadyClock = std::chrono::steady_clock;
using Millis = std::chrono::milliseconds;

constexpr QStringView kDevicePrefix = u"\\\\.\\";
constexpr QStringView kUsbPrefix = u"\\\\?\\usb#";

struct BaudEntry {
    std::uint32_t rate;
    speed_t speed;
};

constexpr BaudEntry kBaudRates[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},
    {38400, B38400},   {57600, B57600},   {115200, B115200}, {230400, B230400},
    {460800, B460800}, {921600, B921600},
};

// "COM7" / "COM7:" / "\\.\COM7" -> 7; 0 when the name is not of that kind.
int portNumber(QStringView name, QStringView kind)
{
    bool devicePath = name.startsWith(kDevicePrefix);
    if (devicePath)
        name = name.mid(kDevicePrefix.size());
    if (!name.startsWith(kind, Qt::CaseInsensitive))
        return 0;
    name = name.mid(kind.size());
    if (!devicePath && name.endsWith(u':'))
        name.chop(1);
    if (name.isEmpty() || name.size() > 3 || name.front() == u'0')
        return 0;
    for (QChar c : name) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    int n = name.toInt();
    return n <= 255 ? n : 0;
}

// Milliseconds until `limit`, rounded up so that poll never wakes just before it.
int millisUntil(SteadyClock::time_point limit, SteadyClock::time_point now)
{
    auto left = std::chrono::ceil<Millis>(limit - now).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

std::optional<SteadyClock::time_point> totalDeadline(SteadyClock::time_point start,
                                                     std::uint32_t multiplier,
                                                     std::uint32_t constant,
                                                     std::uint32_t length)
{
    std::uint64_t total = std::uint64_t(multiplier) * length + constant;
    if (total == 0)
        return std::nullopt;
    // Far beyond any real wait, and safe from overflow in the time arithmetic.
    total = std::min<std::uint64_t>(total, std::uint64_t(INT_MAX) * 1000);
    return start + Millis(total);
}

std::uint32_t baudRateOf(speed_t speed)
{
    auto baud = std::find_if(std::begin(kBaudRates), std::end(kBaudRates),
                             [speed](const BaudEntry& e) { return e.speed == speed; });
    return baud != std::end(kBaudRates) ? baud->rate : 0;
}

// Start bit, data bits, parity and stop bits of one character on the line.
std::uint32_t bitsPerByte(const termios& t)
{
    std::uint32_t data = 8;
    switch (t.c_cflag & CSIZE) {
    case CS5: data = 5; break;
    case CS6: data = 6; break;
    case CS7: data = 7; break;
    default: break;
    }
    return 1 + data + ((t.c_cflag & PARENB) ? 1 : 0) + ((t.c_cflag & CSTOPB) ? 2 : 1);
}

bool makeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    // VMIN 1 makes an empty non-blocking read fail with EAGAIN; with 0 it would return 0,
    // which here means a hung-up line.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

bool noModemLines(int error)
{
    return error == ENOTTY || error == EINVAL;
}

bool setModemLine(int fd, int line, bool on)
{
    if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return true;
    return noModemLines(errno);
}

void closeDescriptor(int fd, bool tty)
{
    if (tty) {
        ::ioctl(fd, TIOCNXCL);
        // Bytes stuck behind a held-off CTS would make close(2) wait out the driver's
        // closing time (30 s by default).
        int queued = 0;
        if (::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0)
            ::tcflush(fd, TCOFLUSH);
    }
    ::close(fd);  // not retried on EINTR: Linux has released the descriptor already
}

}  // namespace

LinuxDeviceIo::LinuxDeviceIo(int stallLimitMs, int pauseLimitMs)
    : m_stallLimitMs(stallLimitMs), m_pauseLimitMs(pauseLimitMs)
{
}

LinuxDeviceIo::~LinuxDeviceIo()
{
    for (const Port& port : m_ports) {
        if (port.fd >= 0)
            closeDescriptor(port.fd, port.tty);
    }
}

QString LinuxDeviceIo::defaultPortDevicePath(const QString& name)
{
    if (int n = portNumber(name, u"COM"))
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    if (int n = portNumber(name, u"LPT"))
        return QStringLiteral("/dev/lp%1").arg(n - 1);
    return QString();
}

QString LinuxDeviceIo::portDevicePath(const QString& name, ProfileStore& profile)
{
    QString key;
    if (int n = portNumber(name, u"COM"))
        key = QStringLiteral("COM%1").arg(n);
    else if (int n = portNumber(name, u"LPT"))
        key = QStringLiteral("LPT%1").arg(n);
    else
        return QString();
    const QString fallback = defaultPortDevicePath(name);
    QString mapped = profile.getString(QStringLiteral("Ports"), key).trimmed();
    return mapped.isEmpty() ? fallback : mapped;
}

Handle LinuxDeviceIo::open(const QString& name, ShareMode share)
{
    QString path = portDevicePath(name, profile());
    if (path.isEmpty() && name.startsWith(kUsbPrefix, Qt::CaseInsensitive))
        path = usb().deviceNode(name);
    if (path.isEmpty())
        return kInvalidHandle;

    const QByteArray native = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return kInvalidHandle;

    // The lock makes an exclusive open fail while any other handle (a shared probe
    // included) has the device, and the other way round.
    int lock = (share == ShareMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int rc;
    do {
        rc = ::flock(fd, lock);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return kInvalidHandle;
    }

    Port port;
    port.fd = fd;
    port.tty = ::isatty(fd) == 1;
    port.timeouts.readInterval = kMaxTimeout;
    port.timeouts.readTotalMultiplier = kMaxTimeout;
    port.timeouts.readTotalConstant = kDefaultFirstByteMs;
    if (port.tty) {
        if (share == ShareMode::Exclusive && ::ioctl(fd, TIOCEXCL) != 0) {
            ::close(fd);
            return kInvalidHandle;
        }
        // A COM port carries bytes unchanged: no echo, no line editing, no CR/LF mapping.
        if (!makeRaw(fd)) {
            closeDescriptor(fd, true);
            return kInvalidHandle;
        }
    }

    std::lock_guard guard(m_mutex);
    auto free = std::find_if(m_ports.begin(), m_ports.end(), [](const Port& p) { return p.fd < 0; });
    if (free == m_ports.end())
        free = m_ports.insert(m_ports.end(), port);
    else
        *free = port;
    return Handle(free - m_ports.begin()) + 1;
}

bool LinuxDeviceIo::lookup(Handle h, Port* port) const
{
    std::lock_guard guard(m_mutex);
    if (h < 1 || std::size_t(h) > m_ports.size() || m_ports[h - 1].fd < 0) {
        errno = EBADF;
        return false;
    }
    *port = m_ports[h - 1];
    return true;
}

bool LinuxDeviceIo::store(Handle h, const Port& port)
{
    std::lock_guard guard(m_mutex);
    if (h < 1 || std::size_t(h) > m_ports.size() || m_ports[h - 1].fd != port.fd)
        return false;
    m_ports[h - 1] = port;
    return true;
}

bool LinuxDeviceIo::close(Handle h)
{
    Port port;
    {
        std::lock_guard guard(m_mutex);
        if (h < 1 || std::size_t(h) > m_ports.size() || m_ports[h - 1].fd < 0) {
            errno = EBADF;
            return false;
        }
        port = m_ports[h - 1];
        m_ports[h - 1] = Port();
    }
    closeDescriptor(port.fd, port.tty);
    return true;
}

bool LinuxDeviceIo::read(Handle h, void* buffer, std::uint32_t length, std::uint32_t* done)
{
    std::uint32_t got = 0;
    if (done)
        *done = 0;
    Port port;
    if (!lookup(h, &port))
        return false;
    if (length == 0)
        return true;
    if (!buffer) {
        errno = EFAULT;
        return false;
    }

    // The serial time-out rules: "interval max, rest 0" returns what has arrived;
    // "interval max, multiplier max, constant c" waits up to c for the first byte; otherwise
    // a total limit and an interval limit between bytes, each 0 for none.
    const SerialTimeouts& t = port.timeouts;
    const bool immediate = t.readInterval == kMaxTimeout && t.readTotalMultiplier == 0
                           && t.readTotalConstant == 0;
    const bool firstByte = t.readInterval == kMaxTimeout && t.readTotalMultiplier == kMaxTimeout
                           && t.readTotalConstant > 0 && t.readTotalConstant < kMaxTimeout;
    const auto start = SteadyClock::now();
    std::optional<SteadyClock::time_point> deadline;
    if (firstByte)
        deadline = start + Millis(t.readTotalConstant);
    else if (!immediate)
        deadline = totalDeadline(start, t.readTotalMultiplier, t.readTotalConstant, length);
    std::optional<Millis> interval;
    if (!immediate && !firstByte && t.readInterval > 0 && t.readInterval < kMaxTimeout)
        interval = Millis(t.readInterval);

    auto* out = static_cast<char*>(buffer);
    auto lastByte = start;
    bool hangup = false;
    bool readyBefore = false;
    for (;;) {
        ssize_t n = ::read(port.fd, out + got, length - got);
        if (n > 0) {
            got += std::uint32_t(n);
            lastByte = SteadyClock::now();
            hangup = false;
            readyBefore = false;
            if (got == length || firstByte)
                break;
            continue;
        }
        if (n == 0) {
            if (!port.tty)
                break;  // end of file
            if (done)
                *done = got;
            errno = EIO;  // a tty reads 0 only once it has hung up
            return false;
        }
        if (errno == EINTR)
            continue;
        if ((errno != EAGAIN && errno != EWOULDBLOCK) || hangup) {
            if (done)
                *done = got;
            return false;
        }
        if (immediate)
            break;

        auto limit = SteadyClock::time_point::max();
        if (deadline)
            limit = *deadline;
        if (interval && got > 0)
            limit = std::min(limit, lastByte + *interval);
        if (!deadline)  // no total limit: still give up on a line that stays silent
            limit = std::min(limit, lastByte + Millis(m_stallLimitMs));
        auto now = SteadyClock::now();
        if (now >= limit)
            break;

        pollfd pfd{port.fd, POLLIN, 0};
        int rc = waitDevice(&pfd, millisUntil(limit, now), &readyBefore);
        if (rc < 0 && errno != EINTR) {
            if (done)
                *done = got;
            return false;
        }
        if (rc > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hangup = true;  // the next read tells the data or the error
    }
    if (done)
        *done = got;
    return true;
}

int LinuxDeviceIo::waitDevice(pollfd* pfd, int timeoutMs, bool* readyBefore)
{
    // A device without poll support (/dev/lp on many kernels) says "ready" at once, every
    // time. A "ready" that the next try proved wrong is answered with a pause, not with
    // another question, so a wait for a silent printer does not spin the processor.
    if (*readyBefore) {
        *readyBefore = false;
        pauseBetweenTries(std::min(timeoutMs, kFalseReadyPauseMs));
        pfd->revents = 0;
        return 0;
    }
    const int rc = pollDevice(pfd, timeoutMs);
    *readyBefore = rc > 0 && !(pfd->revents & (POLLHUP | POLLERR | POLLNVAL));
    return rc;
}

int LinuxDeviceIo::pollDevice(pollfd* pfd, int timeoutMs)
{
    return ::poll(pfd, 1, timeoutMs);
}

int LinuxDeviceIo::outputQueued(int fd)
{
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
}

void LinuxDeviceIo::pauseBetweenTries(int ms)
{
    std::this_thread::sleep_for(Millis(ms));
}

int LinuxDeviceIo::modemLines(int fd)
{
    int lines = 0;
    if (::ioctl(fd, TIOCMGET, &lines) == 0)
        return lines;
    return noModemLines(errno) ? kNoModemLines : 0;
}

bool LinuxDeviceIo::printerThere(const Port& port)
{
    // A USB or parallel printer that has gone fails the write itself.
    if (!port.tty)
        return true;
    const int lines = modemLines(port.fd);
    return lines == kNoModemLines || (lines & TIOCM_DSR) != 0;
}

bool LinuxDeviceIo::write(Handle h, const void* data, std::uint32_t length, std::uint32_t* done)
{
    if (done)
        *done = 0;
    Port port;
    if (!lookup(h, &port))
        return false;
    if (length == 0)
        return true;
    if (!data) {
        errno = EFAULT;
        return false;
    }

    const auto start = SteadyClock::now();
    const auto deadline = totalDeadline(start, port.timeouts.writeTotalMultiplier,
                                        port.timeouts.writeTotalConstant, length);
    auto lastProgress = start;
    // A caller that gave its writes a time of their own (a file transfer's pieces: 1 ms a
    // byte and 20 s) gets all of it. Without any time-out a printer that is there may pause
    // for minutes (a paper change), while one switched off or gone ends the write within
    // the stall limit. A multiplier alone bounds the write together with the stall limit.
    const bool callerLimit = deadline && port.timeouts.writeTotalConstant > 0;
    const bool mayPause = !deadline;
    auto limitNow = [&] {
        if (callerLimit)
            return *deadline;
        if (mayPause)
            return lastProgress + Millis(printerThere(port) ? m_pauseLimitMs : m_stallLimitMs);
        return std::min(lastProgress + Millis(m_stallLimitMs), *deadline);
    };

    const auto* in = static_cast<const char*>(data);
    std::uint32_t sent = 0;
    bool hangup = false;
    bool readyBefore = false;
    while (sent < length) {
        ssize_t n = ::write(port.fd, in + sent, length - sent);
        if (n > 0) {
            sent += std::uint32_t(n);
            lastProgress = SteadyClock::now();
            hangup = false;
            readyBefore = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if ((n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) || hangup) {
            if (done)
                *done = sent;
            return false;
        }
        auto now = SteadyClock::now();
        auto limit = limitNow();
        if (now >= limit)
            break;
        // A paused printer may keep the window waiting for minutes: it keeps painting, and
        // the printer is looked at again, between slices of the wait.
        int waitMs = millisUntil(limit, now);
        const bool sliced = mayPause && WaitHook::installed();
        if (mayPause)
            waitMs = std::min(waitMs, sliced ? WaitHook::kSliceMs : kPresenceCheckMs);
        pollfd pfd{port.fd, POLLOUT, 0};
        int rc = waitDevice(&pfd, waitMs, &readyBefore);
        if (rc < 0 && errno != EINTR) {
            if (done)
                *done = sent;
            return false;
        }
        if (rc == 0 && sliced)
            WaitHook::run();
        if (rc > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)))
            hangup = true;
    }

    // A serial write ends when the bytes have left, not when the driver has queued them;
    // otherwise a purge or close right after it would drop the tail. The wait for them is
    // the write's own (never less than their time on the line). Every byte the kernel took
    // counts as written, whether or not it has left by the end of the wait: it may be on
    // the wire already, and a retry must never send it a second time.
    if (port.tty && sent > 0) {
        int queued = outputQueued(port.fd);
        termios t{};
        if (queued > 0 && ::tcgetattr(port.fd, &t) == 0) {
            const int lineMs = drainLimitMs(std::uint32_t(queued), baudRateOf(::cfgetospeed(&t)), bitsPerByte(t));
            const auto lineEnd = SteadyClock::now() + Millis(lineMs);
            while (queued > 0 && SteadyClock::now() < std::max(limitNow(), lineEnd)) {
                pauseBetweenTries(kDrainPollMs);
                const int left = outputQueued(port.fd);
                if (left < queued)
                    lastProgress = SteadyClock::now();
                queued = left;
            }
        }
    }
    if (done)
        *done = sent;
    return true;
}

bool LinuxDeviceIo::setCommMask(Handle h, std::uint32_t mask)
{
    Port port;
    if (!lookup(h, &port))
        return false;
    port.commMask = mask;
    return store(h, port);
}

bool LinuxDeviceIo::getModemStatus(Handle h, std::uint32_t* status)
{
    Port port;
    if (!lookup(h, &port) || !status)
        return false;
    int lines = 0;
    if (::ioctl(port.fd, TIOCMGET, &lines) != 0) {
        if (!noModemLines(errno))
            return false;
        // No modem lines to watch (a pseudo-terminal): the peer is always ready.
        *status = kModemCtsOn | kModemDsrOn;
        return true;
    }
    *status = ((lines & TIOCM_CTS) ? kModemCtsOn : 0u) | ((lines & TIOCM_DSR) ? kModemDsrOn : 0u);
    return true;
}

bool LinuxDeviceIo::getCommState(Handle h, SerialSettings* settings)
{
    Port port;
    if (!lookup(h, &port) || !settings)
        return false;
    termios t{};
    if (!port.tty || ::tcgetattr(port.fd, &t) != 0)
        return false;

    SerialSettings s = port.requested;
    s.baudRate = baudRateOf(::cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
    case CS5: s.byteSize = 5; break;
    case CS6: s.byteSize = 6; break;
    case CS7: s.byteSize = 7; break;
    default: s.byteSize = 8; break;
    }
    s.parity = !(t.c_cflag & PARENB) ? 0 : (t.c_cflag & PARODD) ? 1 : 2;
    // CSTOPB is 1.5 stop bits with 5 data bits, the only size they are accepted for.
    if (!(t.c_cflag & CSTOPB))
        s.stopBits = 0;
    else if (port.requested.stopBits != 1)
        s.stopBits = 2;
    s.outxCtsFlow = (t.c_cflag & CRTSCTS) != 0;
    s.xonXoffOut = (t.c_iflag & IXON) != 0;
    s.xonXoffIn = (t.c_iflag & IXOFF) != 0;
    int lines = 0;
    if (::ioctl(port.fd, TIOCMGET, &lines) == 0) {
        s.dtrEnable = (lines & TIOCM_DTR) != 0;
        s.rtsEnable = (lines & TIOCM_RTS) != 0;
    }
    *settings = s;
    return true;
}

int LinuxDeviceIo::drainLimitMs(std::uint32_t bytes, std::uint32_t baudRate, std::uint32_t bitsPerByte)
{
    // Twice the time on the line and a quarter second, so a busy UART or a short hold-off
    // of the flow control does not cut the wait; an unknown speed counts as the slowest.
    const std::uint64_t baud = baudRate != 0 ? baudRate : 110;
    const std::uint64_t lineMs = (std::uint64_t(bytes) * bitsPerByte * 1000 + baud - 1) / baud;
    return int(std::min<std::uint64_t>(2 * lineMs + 250, INT_MAX));
}

bool LinuxDeviceIo::applySettings(const SerialSettings& settings, termios* t)
{
    auto baud = std::find_if(std::begin(kBaudRates), std::end(kBaudRates),
                             [&](const BaudEntry& e) { return e.rate == settings.baudRate; });
    // One and a half stop bits exist only with 5 data bits, where the line sends 1.5 for
    // CSTOPB; with more there is no way to say it, so it is refused as a bad setting.
    if (baud == std::end(kBaudRates) || settings.parity > 2 || settings.stopBits > 2
        || settings.byteSize < 5 || settings.byteSize > 8
        || (settings.stopBits == 1 && settings.byteSize != 5)) {
        errno = EINVAL;
        return false;
    }
    if (::cfsetispeed(t, baud->speed) != 0 || ::cfsetospeed(t, baud->speed) != 0)
        return false;

    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    t->c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t->c_cflag |= kSizes[settings.byteSize - 5] | CLOCAL | CREAD;
    if (settings.parity != 0)
        t->c_cflag |= PARENB | (settings.parity == 1 ? PARODD : 0);
    if (settings.stopBits != 0)
        t->c_cflag |= CSTOPB;
    if (settings.outxCtsFlow)
        t->c_cflag |= CRTSCTS;
    // No INPCK even with parity checking asked for: the kernel would turn a byte with a
    // parity error into 0x00, while the printer's byte is worth more as received.
    t->c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF);
    t->c_cc[VMIN] = 1;
    t->c_cc[VTIME] = 0;
    if (settings.xonXoffOut)
        t->c_iflag |= IXON;
    if (settings.xonXoffIn)
        t->c_iflag |= IXOFF;
    return true;
}

bool LinuxDeviceIo::setCommState(Handle h, const SerialSettings& settings)
{
    Port port;
    if (!lookup(h, &port))
        return false;
    termios t{};
    if (!port.tty || ::tcgetattr(port.fd, &t) != 0)
        return false;

    if (!applySettings(settings, &t))
        return false;
    if (::tcsetattr(port.fd, TCSANOW, &t) != 0)
        return false;

    // With CTS flow the driver drives RTS itself; a line without modem control
    // (a pseudo-terminal) accepts the request the way a real port would.
    if (!setModemLine(port.fd, TIOCM_DTR, settings.dtrEnable))
        return false;
    if (!settings.outxCtsFlow && !setModemLine(port.fd, TIOCM_RTS, settings.rtsEnable))
        return false;

    port.requested = settings;
    return store(h, port);
}

bool LinuxDeviceIo::getCommTimeouts(Handle h, SerialTimeouts* timeouts)
{
    Port port;
    if (!lookup(h, &port) || !timeouts || !port.tty)
        return false;
    *timeouts = port.timeouts;
    return true;
}

bool LinuxDeviceIo::setCommTimeouts(Handle h, const SerialTimeouts& timeouts)
{
    Port port;
    if (!lookup(h, &port))
        return false;
    if (!port.tty) {  // not a communications device
        errno = ENOTTY;
        return false;
    }
    port.timeouts = timeouts;
    return store(h, port);
}

bool LinuxDeviceIo::purge(Handle h, std::uint32_t flags)
{
    Port port;
    if (!lookup(h, &port))
        return false;
    if (!port.tty)
        return true;
    // A pseudo-terminal's output queue is what the far end has not read yet: bytes a UART
    // would have sent already. Clearing it would lose what a write reported as written.
    const bool tx = (flags & (kPurgeTxAbort | kPurgeTxClear)) && modemLines(port.fd) != kNoModemLines;
    const bool rx = flags & (kPurgeRxAbort | kPurgeRxClear);
    if (!tx && !rx)
        return true;
    return ::tcflush(port.fd, tx && rx ? TCIOFLUSH : tx ? TCOFLUSH : TCIFLUSH) == 0;
}

bool LinuxDeviceIo::getParallelStatus(Handle h, std::uint8_t* status)
{
    Port port;
    if (!lookup(h, &port) || !status)
        return false;
    int lines = 0;
    if (::ioctl(port.fd, LPGETSTATUS, &lines) != 0)
        return false;
    *status = parallelStatus(lines);
    return true;
}

bool LinuxDeviceIo::pendingInput(Handle h, std::uint32_t* count)
{
    Port port;
    if (!lookup(h, &port) || !count || !port.tty)
        return false;
    int queued = 0;
    if (::ioctl(port.fd, FIONREAD, &queued) != 0)
        return false;
    *count = std::uint32_t(std::max(queued, 0));
    return true;
}

std::uint8_t LinuxDeviceIo::parallelStatus(int lpStatus)
{
    // The status register: BUSY is inverted on the wire, ERROR is active low and comes
    // with paper out as well, so it means off-line only on its own.
    std::uint8_t s = 0;
    if (lpStatus & LP_PSELECD)
        s |= kParallelSelected;
    if (!(lpStatus & LP_PBUSY))
        s |= kParallelBusy;
    if (lpStatus & LP_POUTPA)
        s |= kParallelPaperEmpty;
    else if (!(lpStatus & LP_PERRORP))
        s |= kParallelOffline;
    return s;
}

template <>
DeviceIo& defaultService<DeviceIo>()
{
    static DeviceIo* instance = new LinuxDeviceIo;
    return *instance;
}

}  // namespace platform
