#include "platform/linux/LinuxNetwork.h"

#include "platform/linux/LinuxTcpSocket.h"

namespace platform {

std::unique_ptr<TcpSocket> LinuxNetwork::createSocket()
{
    return std::make_unique<LinuxTcpSocket>(timeLimits());
}

TcpTimeLimits LinuxNetwork::timeLimits() const
{
    std::lock_guard guard(m_mutex);
    return m_limits;
}

void LinuxNetwork::setTimeLimits(const TcpTimeLimits& limits)
{
    std::lock_guard guard(m_mutex);
    m_limits = limits;
}

template <>
Network& defaultService<Network>()
{
    static Network* instance = new LinuxNetwork;
    return *instance;
}

}  // namespace platform
