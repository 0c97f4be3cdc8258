#pragma once

#include "platform/Network.h"

#include <mutex>

namespace platform {

// Hands out LinuxTcpSockets; each takes the time limits in force when it is created.
class LinuxNetwork : public Network {
public:
    std::unique_ptr<TcpSocket> createSocket() override;
    TcpTimeLimits timeLimits() const override;
    void setTimeLimits(const TcpTimeLimits& limits) override;

private:
    mutable std::mutex m_mutex;
    TcpTimeLimits m_limits;
};

}  // namespace platform
