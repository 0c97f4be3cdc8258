#include "tests/support/FakeDeviceIo.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace ztest {

FakeDevice& FakeDeviceIo::addDevice(const QString& name)
{
    auto& slot = m_devices[name];
    if (slot)
        *slot = FakeDevice();  // in place: open handles stay valid
    else
        slot = std::make_unique<FakeDevice>();
    return *slot;
}

void FakeDeviceIo::addAlias(const QString& alias, const QString& name)
{
    m_aliases[alias] = name;
}

FakeDevice& FakeDeviceIo::device(const QString& name)
{
    if (FakeDevice* d = find(name))
        return *d;
    throw std::out_of_range("no fake device " + name.toStdString());
}

FakeDevice* FakeDeviceIo::find(const QString& name) const
{
    const auto alias = m_aliases.find(name);
    const QString& real = alias != m_aliases.end() ? alias->second : name;
    const auto it = m_devices.find(real);
    return it != m_devices.end() ? it->second.get() : nullptr;
}

bool FakeDeviceIo::isOpen(const QString& name) const
{
    const FakeDevice* d = find(name);
    return d && std::any_of(m_handles.begin(), m_handles.end(),
                            [d](const auto& entry) { return entry.second.device == d; });
}

FakeDevice* FakeDeviceIo::use(platform::Handle h, const QString& call)
{
    const auto it = m_handles.find(h);
    if (it == m_handles.end())
        return nullptr;
    FakeDevice* d = it->second.device;
    d->calls << call;
    return d->gone ? nullptr : d;
}

platform::Handle FakeDeviceIo::open(const QString& name, platform::ShareMode share)
{
    m_openRequests << name;
    FakeDevice* d = find(name);
    if (!d)
        return platform::kInvalidHandle;
    d->calls << (share == platform::ShareMode::Exclusive ? QStringLiteral("open(Exclusive)")
                                                         : QStringLiteral("open(Shared)"));
    if (d->refuseOpen || d->gone)
        return platform::kInvalidHandle;
    for (const auto& [handle, entry] : m_handles) {
        if (entry.device == d &&
            (share == platform::ShareMode::Exclusive || entry.share == platform::ShareMode::Exclusive))
            return platform::kInvalidHandle;
    }
    const platform::Handle h = m_nextHandle++;
    m_handles[h] = {d, share};
    return h;
}

bool FakeDeviceIo::close(platform::Handle h)
{
    const auto it = m_handles.find(h);
    if (it == m_handles.end())
        return false;
    it->second.device->calls << QStringLiteral("close()");
    m_handles.erase(it);
    return true;
}

bool FakeDeviceIo::read(platform::Handle h, void* buffer, std::uint32_t length, std::uint32_t* done)
{
    *done = 0;
    FakeDevice* d = use(h, QStringLiteral("read(%1)").arg(length));
    if (!d || d->failReads)
        return false;
    if (d->replies.empty())
        return true;
    QByteArray& chunk = d->replies.front();
    const auto n = std::min<std::uint32_t>(length, static_cast<std::uint32_t>(chunk.size()));
    std::memcpy(buffer, chunk.constData(), n);
    chunk.remove(0, n);
    if (chunk.isEmpty())
        d->replies.pop_front();
    *done = n;
    return true;
}

bool FakeDeviceIo::write(platform::Handle h, const void* data, std::uint32_t length, std::uint32_t* done)
{
    *done = 0;
    const auto it = m_handles.find(h);
    if (it != m_handles.end()) {
        FakeDevice* d = it->second.device;
        if (d->vanishAfterWrites >= 0 && d->writeCalls >= d->vanishAfterWrites)
            d->gone = true;
        ++d->writeCalls;
    }
    FakeDevice* d = use(h, QStringLiteral("write(%1)").arg(length));
    if (!d)
        return false;

    WriteStep step;
    if (!d->writeSteps.empty()) {
        step = d->writeSteps.front();
        d->writeSteps.pop_front();
    } else if (d->failWrites) {
        step = {false, 0};
    }
    const std::uint32_t n = std::min(length, step.accept);
    const QByteArray taken(static_cast<const char*>(data), n);
    d->written += taken;
    d->writes.push_back(taken);
    *done = n;
    return step.ok;
}

bool FakeDeviceIo::setCommMask(platform::Handle h, std::uint32_t mask)
{
    return use(h, QStringLiteral("setCommMask(0x%1)").arg(mask, 0, 16)) != nullptr;
}

bool FakeDeviceIo::getModemStatus(platform::Handle h, std::uint32_t* status)
{
    FakeDevice* d = use(h, QStringLiteral("getModemStatus()"));
    if (!d || d->failModemStatus)
        return false;
    *status = d->modemStatus;
    return true;
}

bool FakeDeviceIo::getCommState(platform::Handle h, platform::SerialSettings* settings)
{
    FakeDevice* d = use(h, QStringLiteral("getCommState()"));
    if (!d || d->failGetState)
        return false;
    *settings = d->settings;
    return true;
}

bool FakeDeviceIo::setCommState(platform::Handle h, const platform::SerialSettings& settings)
{
    FakeDevice* d = use(h, QStringLiteral("setCommState()"));
    if (!d || d->failSetState)
        return false;
    d->settings = settings;
    return true;
}

bool FakeDeviceIo::getCommTimeouts(platform::Handle h, platform::SerialTimeouts* timeouts)
{
    FakeDevice* d = use(h, QStringLiteral("getCommTimeouts()"));
    if (!d)
        return false;
    *timeouts = d->timeouts;
    return true;
}

bool FakeDeviceIo::setCommTimeouts(platform::Handle h, const platform::SerialTimeouts& timeouts)
{
    FakeDevice* d = use(h, QStringLiteral("setCommTimeouts()"));
    if (!d || d->failSetTimeouts)
        return false;
    d->timeouts = timeouts;
    return true;
}

bool FakeDeviceIo::purge(platform::Handle h, std::uint32_t flags)
{
    return use(h, QStringLiteral("purge(0x%1)").arg(flags, 0, 16)) != nullptr;
}

bool FakeDeviceIo::getParallelStatus(platform::Handle h, std::uint8_t* status)
{
    FakeDevice* d = use(h, QStringLiteral("getParallelStatus()"));
    if (!d || d->failParallelStatus)
        return false;
    *status = d->parallelStatus;
    return true;
}

bool FakeDeviceIo::pendingInput(platform::Handle h, std::uint32_t* count)
{
    // Not recorded: it asks the device nothing.
    const auto it = m_handles.find(h);
    if (!count || it == m_handles.end() || it->second.device->gone)
        return false;
    *count = 0;
    return true;
}

}  // namespace ztest
