#pragma once

#include "platform/DeviceIo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <memory>

namespace ztest {

// How one write call behaves: it takes at most `accept` bytes, then reports `ok`.
struct WriteStep {
    bool ok = true;
    std::uint32_t accept = std::numeric_limits<std::uint32_t>::max();
};

// One device file of FakeDeviceIo. Set the behaviour fields before (or between) calls;
// the record fields show what the calls did.
struct FakeDevice {
    // --- behaviour
    bool refuseOpen = false;
    std::uint32_t modemStatus = platform::kModemCtsOn | platform::kModemDsrOn;
    bool failModemStatus = false;
    bool failGetState = false;
    bool failSetState = false;
    bool failSetTimeouts = false;
    std::uint8_t parallelStatus = platform::kParallelSelected;
    bool failParallelStatus = false;
    // What reads deliver: each read takes bytes from the front chunk only, bytes it leaves
    // stay for the next read; an empty chunk is one read that delivers nothing. With no
    // chunk left a read succeeds with nothing.
    std::deque<QByteArray> replies;
    bool failReads = false;
    // How the next writes behave, one step per write call; with no step left a write
    // takes every byte (or fails, with failWrites).
    std::deque<WriteStep> writeSteps;
    bool failWrites = false;
    // The first N write calls behave as above; then the device is gone: every call on its
    // handles fails and it cannot be opened again. -1: never.
    int vanishAfterWrites = -1;
    // What getCommState and getCommTimeouts report; the setters replace them.
    platform::SerialSettings settings;
    platform::SerialTimeouts timeouts;

    // --- record
    QByteArray written;  // every byte accepted, in order
    // Every call, in order: "open(Exclusive)", "open(Shared)", "close()", "read(32)",
    // "write(5)", "setCommMask(0x18)", "getModemStatus()", "getCommState()",
    // "setCommState()", "getCommTimeouts()", "setCommTimeouts()", "purge(0xf)",
    // "getParallelStatus()". Refused calls are recorded too.
    QStringList calls;
    std::deque<QByteArray> writes;  // the bytes each write call took
    int writeCalls = 0;
    bool gone = false;
};

// platform::DeviceIo over devices registered by name. Handles are never reused, so a call
// on a closed handle fails. Opening a name nobody registered fails. An exclusive open
// fails while the device has another open handle, and any open fails while it is held
// exclusively. Single-threaded.
class FakeDeviceIo : public platform::DeviceIo {
public:
    FakeDeviceIo() = default;
    FakeDeviceIo(const FakeDeviceIo&) = delete;
    FakeDeviceIo& operator=(const FakeDeviceIo&) = delete;

    // The reference stays valid for the life of this object. Adding a name again resets
    // its device to the defaults (handles open on it stay open).
    FakeDevice& addDevice(const QString& name);
    // `alias` opens the device registered as `name`.
    void addAlias(const QString& alias, const QString& name);
    FakeDevice& device(const QString& name);  // throws std::out_of_range for an unknown name

    // Every name open was asked for, registered or not, in order.
    const QStringList& openRequests() const { return m_openRequests; }
    int openHandleCount() const { return static_cast<int>(m_handles.size()); }
    bool isOpen(const QString& name) const;

    platform::Handle open(const QString& name, platform::ShareMode share) override;
    bool close(platform::Handle h) override;
    bool read(platform::Handle h, void* buffer, std::uint32_t length, std::uint32_t* done) override;
    bool write(platform::Handle h, const void* data, std::uint32_t length, std::uint32_t* done) override;
    bool setCommMask(platform::Handle h, std::uint32_t mask) override;
    bool getModemStatus(platform::Handle h, std::uint32_t* status) override;
    bool getCommState(platform::Handle h, platform::SerialSettings* settings) override;
    bool setCommState(platform::Handle h, const platform::SerialSettings& settings) override;
    bool getCommTimeouts(platform::Handle h, platform::SerialTimeouts* timeouts) override;
    bool setCommTimeouts(platform::Handle h, const platform::SerialTimeouts& timeouts) override;
    bool purge(platform::Handle h, std::uint32_t flags) override;
    bool getParallelStatus(platform::Handle h, std::uint8_t* status) override;
    // The scripted replies answer what comes next: nothing is waiting before a write.
    bool pendingInput(platform::Handle h, std::uint32_t* count) override;

private:
    struct OpenHandle {
        FakeDevice* device;
        platform::ShareMode share;
    };
    FakeDevice* find(const QString& name) const;
    // Records `call` on the handle's device; null for a closed handle or a device gone.
    FakeDevice* use(platform::Handle h, const QString& call);

    std::map<QString, std::unique_ptr<FakeDevice>> m_devices;
    std::map<QString, QString> m_aliases;
    std::map<platform::Handle, OpenHandle> m_handles;
    QStringList m_openRequests;
    platform::Handle m_nextHandle = 100;
};

}  // namespace ztest
