#pragma once

#include "platform/Network.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

// The link's TCP connection to a network printer. Every wait is bounded by the platform
// socket's time limits, so a printer that never answers cannot hang the program.
class CASocket {
public:
    CASocket() = default;
    virtual ~CASocket();
    CASocket(const CASocket&) = delete;
    CASocket& operator=(const CASocket&) = delete;

    // Stores the target for the next connect. Always true.
    bool SetAddress(const QString& address, std::uint32_t port);
    // Connects to m_strAddress:m_nPort unless already connected to that very target over a
    // connection that still stands; tells the operator why not. An operator action that has
    // had the link and lost it reconnects once; the connect that opens the link does not
    // count. After a failed connect the action's later calls fail at once and say nothing.
    bool ConnectSocket();
    // One blocking send of the whole buffer: the length when every byte went, else 0. A send
    // that delivered only part of its bytes (or any failed send of a transfer, or a transfer
    // whose connection is found broken after it began) cuts the operator action off: its
    // later sends and connects do nothing, and the next action connects afresh.
    int SendAll(const void* data, int length);
    // One receive of at most `length` bytes: the count, 0 when the peer closed, -1 on
    // failure or time-out. A send or receive that finds the connection gone clears
    // m_bConnected, so the next operation connects again. The printer's time to answer
    // runs from the action's last send: the receive limit, and after a receive of the
    // action that got nothing, the shorter late limit; after two such receives the
    // action's later receives take only what has arrived by then.
    int Receive(void* buffer, int length);
    // Drops what has arrived and not been read: an answer that came too late for its own
    // read must not be taken for the next one.
    void DropPending();
    // What has arrived and not been read: its size, and up to `length` bytes of it
    // without waiting (the count, 0 when the peer closed, -1 when nothing has come).
    int PendingBytes();
    int ReceiveAvailable(void* buffer, int length);
    // Closes the socket; m_bConnected is the caller's to clear.
    void Close();

    QString m_strAddress;
    std::uint32_t m_nPort = 0;
    bool m_bConnected = false;
    // Set by the file transfer and the picture download for the span of their transfer: a
    // send then waits for a printer that pauses, up to the transfer limit.
    bool m_bTransfer = false;

private:
    void ForgetLostConnection();
    void CutOff(std::uint64_t action);

    std::unique_ptr<platform::TcpSocket> m_socket;
    // The last operator action that had the link, that reconnected, whose connect failed,
    // and that found the printer silent.
    std::uint64_t m_linkedIn = 0;
    std::uint64_t m_reconnectedIn = 0;
    std::uint64_t m_connectFailedIn = 0;
    std::uint64_t m_silentIn = 0;
    int m_silentReceives = 0;  // in m_silentIn
    // The action whose last send no receive has followed yet, and when that send ended.
    std::uint64_t m_queriedIn = 0;
    std::chrono::steady_clock::time_point m_queriedAt;
    // The operator action whose send was cut off midway, and the last whose transfer sent.
    std::uint64_t m_cutOffIn = 0;
    std::uint64_t m_transferSentIn = 0;
    // The target the open connection reaches; another target needs a connection of its own.
    QString m_strConnectedAddress;
    std::uint32_t m_nConnectedPort = 0;
};
