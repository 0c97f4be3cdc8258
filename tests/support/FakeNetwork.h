#pragma once

#include "platform/Network.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace ztest {

// The far end of every FakeNetwork socket. Set the behaviour fields; the record fields
// show what the sockets did.
struct FakeTcpPeer {
    // --- behaviour
    bool failCreate = false;
    bool refuseConnect = false;
    bool failSend = false;
    bool closed = false;  // the printer has closed: receive returns 0, send fails
    bool connectHangs = false;  // the host never answers: a connect runs out its limit
    // The printer takes this many bytes in all, then hangs up (`closed`): the send that
    // passes it delivers up to it and fails with that count (-1 when none went). -1: never.
    qsizetype hangUpAfter = -1;
    // A time-out (a hanging connect, a receive with nothing to deliver) sleeps its limit on
    // platform::clock(), as a real socket waits it out.
    bool limitsOnClock = false;
    // What receives deliver: each takes bytes from the front chunk only; with none left a
    // receive times out (-1).
    std::deque<QByteArray> replies;

    // --- record
    QByteArray received;               // every byte sent, in order
    std::vector<QByteArray> sends;     // one entry per send call that succeeded
    int transferSends = 0;             // sends made as a transfer's
    int connects = 0;                  // successful connects
    int connectAttempts = 0;           // every connect, successful or not
    int connectTimeouts = 0;           // connects that ran out their limit
    int receiveTimeouts = 0;           // receives that ran out their limit
    int immediateReceives = 0;         // receives that took only what had arrived
    std::vector<int> receiveLimits;    // the limit each waiting receive was given, in ms
    int discards = 0;                  // drops of what had arrived
    int openSockets = 0;               // connected and not yet closed
    QString address;                   // of the last connect
    std::uint16_t port = 0;
};

// platform::Network without sockets: for TCP paths that a real connection cannot provoke
// (a socket that cannot be created) or that a test wants without the loopback printer.
// Sockets share the peer's state, so they may outlive this object.
class FakeNetwork : public platform::Network {
public:
    FakeNetwork();

    FakeTcpPeer& peer() { return *m_peer; }

    std::unique_ptr<platform::TcpSocket> createSocket() override;
    platform::TcpTimeLimits timeLimits() const override { return m_limits; }
    void setTimeLimits(const platform::TcpTimeLimits& limits) override { m_limits = limits; }

private:
    std::shared_ptr<FakeTcpPeer> m_peer;
    platform::TcpTimeLimits m_limits;
};

}  // namespace ztest
