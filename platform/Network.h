#pragma once

#include "platform/Service.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace platform {

// A blocking TCP stream socket whose waits all end: connect, send and receive give up after
// the time limits of the implementation.
class TcpSocket {
public:
    virtual ~TcpSocket() = default;
    virtual bool create() = 0;
    virtual bool connect(const QString& address, std::uint16_t port) = 0;
    // Sends every byte or fails: the count sent; on failure the bytes that went before it
    // (fewer than `length`), or -1 when none did.
    virtual int send(const void* data, int length) = 0;
    // The same for a file transfer: waits for a printer that has paused (a paper change) and
    // gives up only when it has taken nothing for the transfer limit, or the connection breaks.
    virtual int sendTransfer(const void* data, int length) { return send(data, length); }
    // One receive that waits up to `limitMs` for the first byte: the bytes received, 0 when
    // the peer closed, -1 on failure or time-out.
    virtual int receive(void* buffer, int length, int limitMs) = 0;
    // What has arrived by now, without waiting: the bytes, 0 when the peer closed, -1 when
    // nothing has come or on failure.
    virtual int receiveAvailable(void* buffer, int length) = 0;
    // Drops what has arrived and not been read, without waiting.
    virtual void discardPending() = 0;
    // Bytes that have arrived and not been read yet.
    virtual int pendingBytes() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The connection is gone: the peer closed it and nothing is left to read, or it was
    // reset. A new connect is needed before the next send or receive.
    virtual bool connectionLost() = 0;
};

struct TcpTimeLimits {
    int connectMs = 5000;
    int receiveMs = 3000;
    int sendMs = 10000;
    int transferSendMs = 600000;
    // A receive after one that got nothing in the same operator action: a printer that is
    // merely slow still gets its answer read, a silent one costs little more.
    int lateReceiveMs = 1500;
};

class Network {
public:
    virtual ~Network() = default;
    virtual std::unique_ptr<TcpSocket> createSocket() = 0;
    virtual TcpTimeLimits timeLimits() const = 0;
    virtual void setTimeLimits(const TcpTimeLimits& limits) = 0;
};

template <>
Network& defaultService<Network>();

}  // namespace platform
