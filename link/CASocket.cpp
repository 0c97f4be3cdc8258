#include "link/CASocket.h"

#include "platform/OperatorAction.h"
#include "platform/Services.h"

#include <limits>

namespace {

const char kCreateFailed[] = "Error : Failed to Create socket!";
const char kConnectFailed[] =
    "Error : Failed to connect. Please, \ncheck IP port configuration in printer control pannel";

// Time the printer gets to take a command in before the next one follows.
constexpr int kSendPauseMs = 50;

}  // namespace

CASocket::~CASocket()
{
    Close();
}

bool CASocket::SetAddress(const QString& address, std::uint32_t port)
{
    m_strAddress = address;
    m_nPort = port;
    return true;
}

bool CASocket::ConnectSocket()
{
    const std::uint64_t action = platform::OperatorAction::current();
    // After a cut-off send the rest of the action would reach the printer out of context
    // (a print after a store that never ended): nothing more goes, on no connection.
    if (action != 0 && m_cutOffIn == action)
        return false;
    if (m_bConnected && m_socket && m_strConnectedAddress == m_strAddress
        && m_nConnectedPort == m_nPort && !m_socket->connectionLost()) {
        m_linkedIn = action;
        return true;
    }

    // A transfer whose connection broke after its bytes began to go: the printer may hold
    // part of it (the kernel took bytes the printer never read), so nothing more goes.
    if (m_bTransfer && action != 0 && m_transferSentIn == action) {
        CutOff(action);
        return false;
    }

    Close();
    m_bConnected = false;

    // A printer that is gone costs one wait and one message per action, not one per command;
    // one that hung up on this action gets one reconnect. The connect that opens the link is
    // not that reconnect, even when the printer dropped the link while it lay idle.
    if (action != 0) {
        const bool reconnect = m_linkedIn == action;
        if (m_connectFailedIn == action || (reconnect && m_reconnectedIn == action))
            return false;
        if (reconnect)
            m_reconnectedIn = action;
    }

    m_socket = platform::network().createSocket();
    if (!m_socket || !m_socket->create()) {
        m_socket.reset();
        m_connectFailedIn = action;
        platform::alerts().show(QString::fromLatin1(kCreateFailed), platform::AlertIcon::Exclamation);
        return false;
    }

    // A port number outside the TCP range would otherwise wrap to some other port.
    const bool portValid = m_nPort <= std::numeric_limits<std::uint16_t>::max();
    if (!portValid || !m_socket->connect(m_strAddress, static_cast<std::uint16_t>(m_nPort))) {
        Close();
        m_connectFailedIn = action;
        platform::alerts().show(QString::fromLatin1(kConnectFailed), platform::AlertIcon::Exclamation);
        return false;
    }

    m_bConnected = true;
    m_linkedIn = action;
    m_strConnectedAddress = m_strAddress;
    m_nConnectedPort = m_nPort;
    return true;
}

int CASocket::SendAll(const void* data, int length)
{
    const std::uint64_t action = platform::OperatorAction::current();
    if (!m_socket || !data || length <= 0 || (action != 0 && m_cutOffIn == action))
        return 0;
    const int sent = m_bTransfer ? m_socket->sendTransfer(data, length) : m_socket->send(data, length);
    if (m_bTransfer && sent > 0)
        m_transferSentIn = action;
    if (sent == length) {
        m_queriedIn = action;
        m_queriedAt = std::chrono::steady_clock::now();
        platform::clock().sleep(kSendPauseMs);
        return length;
    }
    if (sent > 0 || m_bTransfer)
        CutOff(action);
    else
        ForgetLostConnection();
    return 0;
}

void CASocket::CutOff(std::uint64_t action)
{
    m_cutOffIn = action;
    // The printer holds part of a command: the connection is not used again.
    Close();
    m_bConnected = false;
}

int CASocket::Receive(void* buffer, int length)
{
    if (!m_socket)
        return -1;
    const std::uint64_t action = platform::OperatorAction::current();
    const int silentBefore = action != 0 && m_silentIn == action ? m_silentReceives : 0;

    int received = -1;
    if (silentBefore >= 2) {
        received = m_socket->receiveAvailable(buffer, length);
    } else {
        const platform::TcpTimeLimits limits = platform::network().timeLimits();
        auto limit = std::chrono::milliseconds(silentBefore == 0 ? limits.receiveMs : limits.lateReceiveMs);
        if (action != 0 && m_queriedIn == action)
            limit -= std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_queriedAt);
        received = limit.count() > 0 ? m_socket->receive(buffer, length, int(limit.count()))
                                     : m_socket->receiveAvailable(buffer, length);
    }
    m_queriedIn = 0;  // a further read of the same answer gets a limit of its own

    if (received <= 0)
        ForgetLostConnection();
    if (received < 0 && m_bConnected && action != 0) {
        m_silentReceives = silentBefore + 1;
        m_silentIn = action;
    }
    return received;
}

int CASocket::PendingBytes()
{
    return m_socket ? m_socket->pendingBytes() : 0;
}

int CASocket::ReceiveAvailable(void* buffer, int length)
{
    if (!m_socket)
        return -1;
    const int received = m_socket->receiveAvailable(buffer, length);
    if (received <= 0)
        ForgetLostConnection();
    return received;
}

void CASocket::DropPending()
{
    if (!m_socket)
        return;
    m_socket->discardPending();
    ForgetLostConnection();
}

void CASocket::ForgetLostConnection()
{
    if (m_socket && m_socket->connectionLost())
        m_bConnected = false;
}

void CASocket::Close()
{
    if (!m_socket)
        return;
    m_socket->close();
    m_socket.reset();
}
