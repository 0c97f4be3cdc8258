#include "tests/support/FakeNetwork.h"

#include "platform/Services.h"

#include <algorithm>
#include <cstring>

namespace ztest {

namespace {

class FakeTcpSocket : public platform::TcpSocket {
public:
    FakeTcpSocket(std::shared_ptr<FakeTcpPeer> peer, const platform::TcpTimeLimits& limits)
        : m_peer(std::move(peer)), m_limits(limits)
    {
    }
    ~FakeTcpSocket() override { close(); }

    bool create() override
    {
        m_created = !m_peer->failCreate;
        return m_created;
    }

    bool connect(const QString& address, std::uint16_t port) override
    {
        if (!m_created || m_connected)
            return false;
        ++m_peer->connectAttempts;
        if (m_peer->connectHangs) {
            ++m_peer->connectTimeouts;
            waitOut(m_limits.connectMs);
            return false;
        }
        if (m_peer->refuseConnect)
            return false;
        m_connected = true;
        ++m_peer->connects;
        ++m_peer->openSockets;
        m_peer->address = address;
        m_peer->port = port;
        return true;
    }

    int send(const void* data, int length) override
    {
        if (!m_connected || m_peer->failSend || m_peer->closed || length < 0)
            return -1;
        if (m_peer->hangUpAfter >= 0 && m_peer->received.size() + length > m_peer->hangUpAfter) {
            const auto taken = static_cast<int>(std::max<qsizetype>(m_peer->hangUpAfter - m_peer->received.size(), 0));
            m_peer->received.append(static_cast<const char*>(data), taken);
            m_peer->hangUpAfter = -1;
            m_peer->closed = true;
            return taken > 0 ? taken : -1;
        }
        const QByteArray bytes(static_cast<const char*>(data), length);
        m_peer->received += bytes;
        m_peer->sends.push_back(bytes);
        return length;
    }

    int sendTransfer(const void* data, int length) override
    {
        ++m_peer->transferSends;
        return send(data, length);
    }

    int receive(void* buffer, int length, int limitMs) override
    {
        if (!m_connected || length < 0)
            return -1;
        m_peer->receiveLimits.push_back(limitMs);
        if (m_peer->replies.empty() && !m_peer->closed) {
            ++m_peer->receiveTimeouts;
            waitOut(limitMs);
            return -1;
        }
        return take(buffer, length);
    }

    int receiveAvailable(void* buffer, int length) override
    {
        if (!m_connected || length < 0)
            return -1;
        ++m_peer->immediateReceives;
        return take(buffer, length);
    }

    // The scripted replies are what the printer answers to what comes next, not what
    // has arrived already: nothing is dropped.
    void discardPending() override { ++m_peer->discards; }
    int pendingBytes() override { return 0; }

    void close() override
    {
        if (m_connected)
            --m_peer->openSockets;
        m_connected = false;
        m_created = false;
    }

    bool isOpen() const override { return m_created; }
    bool connectionLost() override { return m_connected && m_peer->closed && m_peer->replies.empty(); }

private:
    int take(void* buffer, int length)
    {
        if (m_peer->replies.empty())
            return m_peer->closed ? 0 : -1;
        QByteArray& chunk = m_peer->replies.front();
        const int n = std::min(length, static_cast<int>(chunk.size()));
        std::memcpy(buffer, chunk.constData(), n);
        chunk.remove(0, n);
        if (chunk.isEmpty())
            m_peer->replies.pop_front();
        return n;
    }

    void waitOut(int limitMs)
    {
        if (m_peer->limitsOnClock)
            platform::clock().sleep(limitMs);
    }

    std::shared_ptr<FakeTcpPeer> m_peer;
    platform::TcpTimeLimits m_limits;
    bool m_created = false;
    bool m_connected = false;
};

}  // namespace

FakeNetwork::FakeNetwork() : m_peer(std::make_shared<FakeTcpPeer>())
{
}

std::unique_ptr<platform::TcpSocket> FakeNetwork::createSocket()
{
    return std::make_unique<FakeTcpSocket>(m_peer, m_limits);
}

}  // namespace ztest
