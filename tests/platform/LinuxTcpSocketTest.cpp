#include "platform/WaitHook.h"
#include "platform/linux/LinuxNetwork.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace platform;

namespace {

// A printer on loopback: one listening socket, one accepted connection.
class ListeningPeer {
public:
    explicit ListeningPeer(bool listening = true)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size) != 0
            || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0
            || (listening && ::listen(m_listener, 4) != 0))
            return;
        m_port = ntohs(address.sin_port);
    }
    ~ListeningPeer()
    {
        closeConnection();
        if (m_listener >= 0)
            ::close(m_listener);
    }

    std::uint16_t port() const { return m_port; }

    bool accept()
    {
        pollfd pfd{m_listener, POLLIN, 0};
        if (::poll(&pfd, 1, 2000) != 1)
            return false;
        m_connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        return m_connection >= 0;
    }
    QByteArray receive(int expected)
    {
        QByteArray got;
        static thread_local char buffer[65536];
        while (got.size() < expected) {
            pollfd pfd{m_connection, POLLIN, 0};
            if (::poll(&pfd, 1, 2000) != 1)
                break;
            ssize_t n = ::recv(m_connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            got.append(buffer, n);
        }
        return got;
    }
    bool send(const QByteArray& bytes)
    {
        return ::send(m_connection, bytes.constData(), std::size_t(bytes.size()), MSG_NOSIGNAL)
               == bytes.size();
    }
    void closeConnection()
    {
        if (m_connection >= 0)
            ::close(m_connection);
        m_connection = -1;
    }

private:
    int m_listener = -1;
    int m_connection = -1;
    std::uint16_t m_port = 0;
};

class TcpSocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_printer.port(), 0);
        m_network.setTimeLimits({300, 150, 150});
    }

    std::unique_ptr<TcpSocket> connected(const QString& address = QStringLiteral("127.0.0.1"))
    {
        auto socket = m_network.createSocket();
        EXPECT_TRUE(socket->create());
        EXPECT_TRUE(socket->connect(address, m_printer.port()));
        EXPECT_TRUE(m_printer.accept());
        return socket;
    }

    ListeningPeer m_printer;
    LinuxNetwork m_network;
};

// Long enough for a loopback reply that is on its way.
constexpr int kReplyWaitMs = 2000;

TEST(LinuxNetworkTest, TimeLimitsDefaultAndChange)
{
    LinuxNetwork network;
    TcpTimeLimits limits = network.timeLimits();
    EXPECT_EQ(limits.connectMs, 5000);
    EXPECT_EQ(limits.receiveMs, 3000);
    EXPECT_EQ(limits.sendMs, 10000);
    EXPECT_EQ(limits.lateReceiveMs, 1500);
    EXPECT_EQ(limits.transferSendMs, 600000);
    network.setTimeLimits({100, 200, 300});
    EXPECT_EQ(network.timeLimits().receiveMs, 200);
}

TEST_F(TcpSocketTest, SendsAndReceivesBothWays)
{
    auto socket = connected();
    ASSERT_TRUE(socket->isOpen());
    EXPECT_EQ(socket->send("~HI\r\n", 5), 5);
    EXPECT_EQ(m_printer.receive(5), "~HI\r\n");

    ASSERT_TRUE(m_printer.send("ZT410"));
    char buffer[32] = {};
    int n = socket->receive(buffer, 3, kReplyWaitMs);  // never more than asked
    ASSERT_EQ(n, 3);
    EXPECT_EQ(QByteArray(buffer, n), "ZT4");
    n = socket->receive(buffer, sizeof buffer, kReplyWaitMs);
    EXPECT_EQ(QByteArray(buffer, n), "10");
    EXPECT_EQ(socket->send("", 0), 0);

    socket->close();
    EXPECT_FALSE(socket->isOpen());
    EXPECT_EQ(socket->send("x", 1), -1);
    EXPECT_EQ(socket->receive(buffer, 1, kReplyWaitMs), -1);
}

TEST_F(TcpSocketTest, DiscardDropsWhatHasArrivedAndKeepsWhatComesLater)
{
    auto socket = connected();
    ASSERT_TRUE(m_printer.send(QByteArray(100, 'x')));
    char buffer[16] = {};
    ASSERT_EQ(socket->receive(buffer, 1, kReplyWaitMs), 1);  // it has arrived
    socket->discardPending();
    EXPECT_EQ(socket->receiveAvailable(buffer, sizeof buffer), -1);
    EXPECT_FALSE(socket->connectionLost());

    ASSERT_TRUE(m_printer.send("OK"));
    ASSERT_EQ(socket->receive(buffer, sizeof buffer, kReplyWaitMs), 2);
    EXPECT_EQ(QByteArray(buffer, 2), "OK");
    // A close that came with the dropped bytes is still seen.
    ASSERT_TRUE(m_printer.send("late"));
    m_printer.closeConnection();
    ASSERT_EQ(socket->receive(buffer, 1, kReplyWaitMs), 1);
    socket->discardPending();
    EXPECT_TRUE(socket->connectionLost());
}

TEST_F(TcpSocketTest, HostNamesResolve)
{
    auto socket = connected(QStringLiteral("localhost"));
    EXPECT_EQ(socket->send("A", 1), 1);
    EXPECT_EQ(m_printer.receive(1), "A");
}

TEST_F(TcpSocketTest, PeerCloseReadsZeroAndSilenceTimesOut)
{
    auto socket = connected();
    char buffer[8];
    EXPECT_EQ(socket->receive(buffer, sizeof buffer, 200), -1);  // silent printer: the limit ends it
    m_printer.closeConnection();
    EXPECT_EQ(socket->receive(buffer, sizeof buffer, kReplyWaitMs), 0);
}

TEST_F(TcpSocketTest, ReceiveAvailableTakesWhatHasArrivedWithoutWaiting)
{
    m_network.setTimeLimits({300, 5000, 150});
    auto socket = connected();
    // A wait would run the hook between its slices.
    int waits = 0;
    const auto previous = WaitHook::install([&] { ++waits; });
    char buffer[8] = {};
    EXPECT_EQ(socket->receiveAvailable(buffer, sizeof buffer), -1);  // nothing yet
    EXPECT_FALSE(socket->connectionLost());
    EXPECT_EQ(waits, 0);

    ASSERT_TRUE(m_printer.send("OK!"));
    ASSERT_EQ(socket->receive(buffer, 1, kReplyWaitMs), 1);  // waits for the reply to come
    waits = 0;
    ASSERT_EQ(socket->receiveAvailable(buffer, sizeof buffer), 2);
    EXPECT_EQ(QByteArray(buffer, 2), "K!");
    m_printer.closeConnection();
    ASSERT_EQ(socket->receive(buffer, sizeof buffer, kReplyWaitMs), 0);
    EXPECT_EQ(socket->receiveAvailable(buffer, sizeof buffer), 0);
    EXPECT_TRUE(socket->connectionLost());
    EXPECT_EQ(waits, 0);
    WaitHook::install(previous);
}

TEST_F(TcpSocketTest, SendToAPeerThatTakesNothingFailsWithTheCountThatWent)
{
    auto socket = connected();
    const QByteArray job(64 << 20, 'x');
    const int sent = socket->send(job.constData(), int(job.size()));
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, int(job.size()));
}

// A printer that stops reading for three send limits (a paper change), then reads on: a
// short send gives up, a transfer's send waits for it; a hang-up ends either at once.
TEST_F(TcpSocketTest, TransferSendWaitsForAPausedPeerButNotForOneThatHungUp)
{
    m_network.setTimeLimits({300, 150, 150, 60000});
    const QByteArray job(32 << 20, 'x');  // more than the loopback buffers hold
    struct Case {
        const char* name;
        bool transfer;
        bool hangUp;
        bool everyByte;
    };
    for (const Case& c : {Case{"send", false, false, false}, Case{"transfer", true, false, true},
                          Case{"transfer, hang-up", true, true, false}}) {
        SCOPED_TRACE(c.name);
        ListeningPeer printer;
        auto socket = m_network.createSocket();
        ASSERT_TRUE(socket->create());
        ASSERT_TRUE(socket->connect("127.0.0.1", printer.port()));
        ASSERT_TRUE(printer.accept());
        QByteArray received;
        std::thread reader([&] {
            received = printer.receive(1 << 20);
            std::this_thread::sleep_for(std::chrono::milliseconds(450));
            if (c.hangUp)
                printer.closeConnection();
            else
                received += printer.receive(int(job.size()) - int(received.size()));
        });
        const int sent = c.transfer ? socket->sendTransfer(job.constData(), int(job.size()))
                                    : socket->send(job.constData(), int(job.size()));
        reader.join();
        if (c.everyByte) {
            EXPECT_EQ(sent, int(job.size()));
            EXPECT_EQ(received.size(), job.size());
        } else {
            EXPECT_GT(sent, 0);
            EXPECT_LT(sent, int(job.size()));
        }
    }
}

TEST_F(TcpSocketTest, ConnectFailures)
{
    ListeningPeer closedPort(false);  // bound, not listening: connections are refused
    ASSERT_NE(closedPort.port(), 0);
    struct Case {
        const char* address;
        std::uint16_t port;
    };
    for (const Case& c : {Case{"127.0.0.1", closedPort.port()}, Case{"", 9100},
                          Case{"192.0.2.1", 9100}}) {
        auto socket = m_network.createSocket();
        ASSERT_TRUE(socket->create());
        EXPECT_FALSE(socket->connect(QString::fromLatin1(c.address), c.port)) << c.address;
    }
    auto uncreated = m_network.createSocket();
    EXPECT_FALSE(uncreated->connect("127.0.0.1", m_printer.port()));
}

}  // namespace
