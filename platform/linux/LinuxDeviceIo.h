#pragma once

#include "platform/DeviceIo.h"
#include "platform/ProfileStore.h"

#include <mutex>
#include <poll.h>
#include <termios.h>
#include <vector>

namespace platform {

// Device files behind the Windows-style names: serial ports as ttys, parallel ports as
// /dev/lpN, USB printers as the node UsbPrinters names. Handles index a table of open
// descriptors; every descriptor is non-blocking and every wait goes through poll(2) with
// a bound, so a silent or stalled printer never hangs the caller.
class LinuxDeviceIo : public DeviceIo {
public:
    // A write or drain that makes no progress for this long gives up with a short count,
    // unless the handle's write time-outs carry a constant: then they alone bound it.
    static constexpr int kStallLimitMs = 5000;
    // A write without any time-out waits this long without progress for a printer that is
    // there (DSR on) and has paused; a printer that is gone still ends it within the stall
    // limit.
    static constexpr int kPauseLimitMs = 600000;
    // Return value of modemLines() for a device that has none (a pseudo-terminal).
    static constexpr int kNoModemLines = -1;
    // Reads on a handle whose time-outs were never set wait this long for a first byte.
    static constexpr std::uint32_t kDefaultFirstByteMs = 200;

    explicit LinuxDeviceIo(int stallLimitMs = kStallLimitMs, int pauseLimitMs = kPauseLimitMs);
    ~LinuxDeviceIo() override;
    LinuxDeviceIo(const LinuxDeviceIo&) = delete;
    LinuxDeviceIo& operator=(const LinuxDeviceIo&) = delete;

    // The device file a "COMn"/"LPTn" name maps to (section "Ports" of the profile may name
    // another); empty for any other name.
    static QString portDevicePath(const QString& name, ProfileStore& profile);
    // The device a "COMn"/"LPTn" name reaches when the profile names none; empty otherwise.
    static QString defaultPortDevicePath(const QString& name);
    // How long a write waits for `bytes` queued in the driver to leave at that speed.
    static int drainLimitMs(std::uint32_t bytes, std::uint32_t baudRate, std::uint32_t bitsPerByte);
    // Puts baud rate, framing, flow control and raw reading into `t`; false (EINVAL) for
    // what termios cannot express.
    static bool applySettings(const SerialSettings& settings, termios* t);
    // The parallel status byte (kParallel* bits) for an LPGETSTATUS status register.
    static std::uint8_t parallelStatus(int lpStatus);

    Handle open(const QString& name, ShareMode share) override;
    bool close(Handle h) override;
    bool read(Handle h, void* buffer, std::uint32_t length, std::uint32_t* done) override;
    bool write(Handle h, const void* data, std::uint32_t length, std::uint32_t* done) override;

    bool setCommMask(Handle h, std::uint32_t mask) override;
    bool getModemStatus(Handle h, std::uint32_t* status) override;
    bool getCommState(Handle h, SerialSettings* settings) override;
    bool setCommState(Handle h, const SerialSettings& settings) override;
    bool getCommTimeouts(Handle h, SerialTimeouts* timeouts) override;
    bool setCommTimeouts(Handle h, const SerialTimeouts& timeouts) override;
    bool purge(Handle h, std::uint32_t flags) override;

    bool getParallelStatus(Handle h, std::uint8_t* status) override;
    bool pendingInput(Handle h, std::uint32_t* count) override;

protected:
    // The waits' system calls, replaceable to play a device whose poll(2) lies or whose
    // output does not leave (a UART held off by its flow control).
    virtual int pollDevice(pollfd* pfd, int timeoutMs);
    virtual void pauseBetweenTries(int ms);
    // Bytes the driver holds that have not left yet (a pseudo-terminal holds none).
    virtual int outputQueued(int fd);
    // The TIOCM_* lines of a tty; kNoModemLines when it has none, 0 when it cannot tell.
    virtual int modemLines(int fd);

private:
    static constexpr int kFalseReadyPauseMs = 5;
    // How often a write that waits for a paused printer looks whether it is still there.
    static constexpr int kPresenceCheckMs = 200;
    static constexpr int kDrainPollMs = 2;

    // poll(2) for one descriptor, or a pause when its last "ready" came to nothing.
    int waitDevice(pollfd* pfd, int timeoutMs, bool* readyBefore);

    struct Port {
        int fd = -1;
        bool tty = false;
        std::uint32_t commMask = 0;
        SerialTimeouts timeouts;
        // What termios cannot hold (DSR flow, null stripping, ...) and the line states of a
        // device without modem lines, as last set.
        SerialSettings requested;
    };

    // A copy of the slot's state; false for a handle that is not open.
    bool lookup(Handle h, Port* port) const;
    bool store(Handle h, const Port& port);

    // The printer at the far end is there: DSR on, or a device without modem lines.
    bool printerThere(const Port& port);

    const int m_stallLimitMs;
    const int m_pauseLimitMs;
    mutable std::mutex m_mutex;
    std::vector<Port> m_ports;  // slot i is handle i + 1
};

}  // namespace platform
