#pragma once

#include "platform/Network.h"

#include <chrono>

namespace platform {

// An IPv4 stream socket kept non-blocking underneath: connect, send and receive wait with
// poll(2), each no longer than its time limit (send: without progress).
class LinuxTcpSocket : public TcpSocket {
public:
    explicit LinuxTcpSocket(const TcpTimeLimits& limits);
    ~LinuxTcpSocket() override;
    LinuxTcpSocket(const LinuxTcpSocket&) = delete;
    LinuxTcpSocket& operator=(const LinuxTcpSocket&) = delete;

    bool create() override;
    bool connect(const QString& address, std::uint16_t port) override;
    int send(const void* data, int length) override;
    int sendTransfer(const void* data, int length) override;
    int receive(void* buffer, int length, int limitMs) override;
    int receiveAvailable(void* buffer, int length) override;
    void discardPending() override;
    int pendingBytes() override;
    void close() override;
    bool isOpen() const override;
    bool connectionLost() override;

private:
    // Sends until every byte went, or `idleMs` passed without one going.
    int sendWithin(const void* data, int length, int idleMs);
    // One receive that waits no later than `deadline` (none: does not wait).
    int receiveUntil(void* buffer, int length, const std::chrono::steady_clock::time_point* deadline);

    TcpTimeLimits m_limits;
    int m_fd = -1;
    bool m_lost = false;  // a receive saw the close, or a send the reset
};

}  // namespace platform
