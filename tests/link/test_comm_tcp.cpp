// The TCP link against a loopback printer, and the socket failures a real network
// cannot be made to show.
#include "LinkFixture.h"

#include "platform/linux/LinuxNetwork.h"
#include "platform/OperatorAction.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/LoopbackPrinter.h"

#include <chrono>
#include <memory>
#include <thread>

namespace {

const QString kConnectFailed = QStringLiteral(
    "Error : Failed to connect. Please, \ncheck IP port configuration in printer control pannel");
constexpr int kWaitMs = 2000;

class CommTcpTest : public LinkTest {
protected:
    void SetUp() override
    {
        // Short enough for a silent printer to cost the suite little.
        network.setTimeLimits({1000, 200, 2000});
        comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), printer.port()});
        comm.SetPortName(QStringLiteral("ETHERNET"));
    }

    void disconnect()
    {
        comm.MarkTcpForClose();
        comm.Close();
    }

    platform::LinuxNetwork network;
    platform::ScopedService<platform::Network> networkScope{network};
    ztest::LoopbackPrinter printer;
};

TEST_F(CommTcpTest, SendsExactBytesAndPausesAfterEachSend)
{
    for (const char* name : {"ETHERNET", "ETHERNET2", "ETHERNET:9100"}) {
        SCOPED_TRACE(name);
        comm.SetPortName(QString::fromLatin1(name));
        ASSERT_TRUE(comm.Open());
        EXPECT_EQ(comm.m_nPortType, PORT_ETHERNET);
        EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
        disconnect();
    }

    const QByteArray all = [] {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(static_cast<char>(i));
        return bytes;
    }();
    clock.clearSleeps();
    EXPECT_EQ(comm.Write(all.constData(), all.size()), 256);
    EXPECT_EQ(comm.WriteString(QStringLiteral("~JC\r\n"), 0), 5);
    ASSERT_TRUE(printer.waitForReceived(261, kWaitMs));
    EXPECT_EQ(printer.received().right(261), all + QByteArray("\x7E\x4A\x43\x0D\x0A"));
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 50}));
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommTcpTest, OpensKeepOneConnectionUntilDisconnect)
{
    ASSERT_TRUE(comm.Open());
    ASSERT_TRUE(comm.Open());
    comm.Close();  // without the marker the connection stands
    EXPECT_TRUE(comm.m_socket.m_bConnected);
    EXPECT_EQ(comm.Write("A", 1), 1);
    ASSERT_TRUE(printer.waitForReceived(1, kWaitMs));
    EXPECT_EQ(printer.connectionCount(), 1);

    disconnect();
    EXPECT_FALSE(comm.m_socket.m_bConnected);
    EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
    ASSERT_TRUE(comm.Open());
    ASSERT_TRUE(printer.waitForConnections(2, kWaitMs));
    EXPECT_EQ(printer.connectionCount(), 2);
}

TEST_F(CommTcpTest, OpenToAnotherTargetLeavesTheOldConnectionForTheNewOne)
{
    ASSERT_TRUE(comm.Open());  // the first printer, which never answers
    ztest::LoopbackPrinter second;
    comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), second.port()});
    ASSERT_TRUE(comm.Open());
    EXPECT_EQ(comm.Write("^PI0\r\n", 6), 6);
    ASSERT_TRUE(second.waitForReceived(6, kWaitMs));
    EXPECT_EQ(second.received(), "^PI0\r\n");
    EXPECT_EQ(printer.received(), QByteArray());
    // The first printer sees its connection end (its thread notices in its own time).
    for (int i = 0; i < 200 && printer.openConnections() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(printer.openConnections(), 0);

    // The same target again keeps the connection.
    comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), second.port()});
    ASSERT_TRUE(comm.Open());
    EXPECT_EQ(second.connectionCount(), 1);
}

TEST_F(CommTcpTest, PrinterThatHungUpBetweenTwoSendsIsConnectedAgain)
{
    ASSERT_TRUE(comm.Open());
    EXPECT_EQ(comm.Write("A", 1), 1);
    ASSERT_TRUE(printer.waitForReceived(1, kWaitMs));
    printer.closeConnections();

    EXPECT_EQ(comm.Write("B", 1), 1);
    ASSERT_TRUE(printer.waitForReceived(2, kWaitMs));
    EXPECT_EQ(printer.received(), "AB");
    EXPECT_EQ(printer.connectionCount(), 2);
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommTcpTest, PrinterThatHungUpAfterItsReplyIsReadAndThenConnectedAgain)
{
    ASSERT_TRUE(comm.Open());
    ASSERT_TRUE(printer.waitForConnections(1, kWaitMs));
    ASSERT_TRUE(printer.send("OK"));
    printer.closeConnections();
    char buffer[8];
    // What the printer sent before it hung up is still read; after it, no reply.
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 2);
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    printer.queueReply("KX-21\r\n");
    EXPECT_EQ(comm.Write("^PI0\r\n", 6), 6);
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 7);
    EXPECT_EQ(printer.connectionCount(), 2);
}

TEST_F(CommTcpTest, ReadTakesAtMostTheAskedLengthAndNeverMoreThan32Bytes)
{
    const QByteArray reply("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd");  // 40 bytes
    const struct {
        int length;
        int expected;
    } cases[] = {{1, 1}, {4, 4}, {32, 32}, {256, 32}};
    int connections = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        ASSERT_TRUE(comm.Open());
        ASSERT_TRUE(printer.waitForConnections(++connections, kWaitMs));
        ASSERT_TRUE(printer.send(reply));

        std::vector<char> buffer(c.length + 8, '#');
        EXPECT_EQ(comm.Read(buffer.data(), c.length), c.expected);
        EXPECT_EQ(QByteArray(buffer.data(), c.expected), reply.left(c.expected));
        EXPECT_EQ(QByteArray(buffer.data() + c.expected, 8), QByteArray(8, '#'));
        disconnect();
    }
}

TEST_F(CommTcpTest, SilentOrClosedPrinterReadsAsNoReply)
{
    ASSERT_TRUE(comm.Open());
    char buffer[16];
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);  // within the receive limit

    printer.closeConnections();
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommTcpTest, WriteToPrinterThatWentAwayFailsWithoutEndingTheProgram)
{
    auto gone = std::make_unique<ztest::LoopbackPrinter>();
    comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), gone->port()});
    ASSERT_TRUE(comm.Open());
    gone.reset();  // hung up and no longer listening

    EXPECT_EQ(comm.Write("~HS", 3), 0);
    EXPECT_EQ(process.exitCalls(), 0);
    EXPECT_EQ(alerts.texts(), QStringList{kConnectFailed});
}

TEST_F(CommTcpTest, ConnectFailureIsReportedAndNothingIsSent)
{
    std::uint16_t closedPort = 0;
    {
        ztest::LoopbackPrinter gone;
        closedPort = gone.port();
    }
    comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), closedPort});

    EXPECT_FALSE(comm.Open());
    EXPECT_FALSE(comm.m_socket.m_bConnected);
    EXPECT_EQ(comm.Write("~HS", 3), 0);
    char buffer[4];
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(alerts.texts(), QStringList(3, kConnectFailed));
    EXPECT_EQ(alerts.alerts().at(0).icon, platform::AlertIcon::Exclamation);
}

class CommFakeTcpTest : public LinkTest {
protected:
    void SetUp() override
    {
        comm.SetNetworkAddress({QStringLiteral("10.0.0.7"), 9100});
        comm.SetPortName(QStringLiteral("ETHERNET"));
    }

    ztest::FakeNetwork network;
    platform::ScopedService<platform::Network> networkScope{network};
};

TEST_F(CommFakeTcpTest, SocketThatCannotBeCreatedIsReported)
{
    network.peer().failCreate = true;
    EXPECT_FALSE(comm.Open());
    EXPECT_EQ(alerts.texts(), QStringList{QStringLiteral("Error : Failed to Create socket!")});
    EXPECT_EQ(network.peer().connects, 0);
}

TEST_F(CommFakeTcpTest, PortOutsideTheTcpRangeIsNotWrappedToAnother)
{
    comm.SetNetworkAddress({QStringLiteral("10.0.0.7"), 65536 + 9100});
    EXPECT_FALSE(comm.Open());
    EXPECT_EQ(alerts.texts(), QStringList{kConnectFailed});
    EXPECT_EQ(network.peer().connects, 0);
    EXPECT_EQ(network.peer().openSockets, 0);
}

TEST_F(CommFakeTcpTest, EmptyOrFailedSendReturnsZeroWithoutPause)
{
    ASSERT_TRUE(comm.Open());
    EXPECT_EQ(network.peer().address, QStringLiteral("10.0.0.7"));
    EXPECT_EQ(network.peer().port, 9100);
    clock.clearSleeps();

    EXPECT_EQ(comm.Write("x", 0), 0);
    EXPECT_EQ(comm.WriteString(QString(), 0), 0);
    network.peer().failSend = true;
    EXPECT_EQ(comm.Write("~HS", 3), 0);
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_TRUE(network.peer().received.isEmpty());
    EXPECT_EQ(network.peer().connects, 1);
}

TEST_F(CommFakeTcpTest, PrinterGoneInAnActionCostsOneTryAndOneMessageUntilTheNextAction)
{
    ASSERT_TRUE(comm.Open());
    network.peer().closed = true;
    network.peer().connectHangs = true;
    network.peer().limitsOnClock = true;
    network.setTimeLimits({4000, 3000, 10000});
    char buffer[32];
    {
        const platform::OperatorAction::Scope press;
        for (int query = 0; query < 5; ++query) {
            EXPECT_EQ(comm.Write("^PI0\r\n", 6), 0);
            EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
        }
    }
    EXPECT_EQ(network.peer().connectAttempts, 2);  // Connect's, and one in the press
    EXPECT_EQ(clock.totalSleptMs(), 4000);
    EXPECT_EQ(alerts.texts(), QStringList{kConnectFailed});

    // Back again: the next press connects without a word.
    network.peer().closed = false;
    network.peer().connectHangs = false;
    alerts.clear();
    const platform::OperatorAction::Scope press;
    EXPECT_EQ(comm.Write("^PI0\r\n", 6), 6);
    EXPECT_EQ(network.peer().connects, 2);
    EXPECT_TRUE(alerts.texts().isEmpty());
}

// A send that delivered part of its bytes (or any failed send of a transfer, or a transfer
// whose connection broke after its bytes went) leaves the printer holding part of a
// command: the rest of the press sends nothing and does not reconnect, so a print never
// follows a cut-off store; the next press connects afresh.
TEST_F(CommFakeTcpTest, SendCutOffMidwayEndsThePressAndTheNextPressConnectsAgain)
{
    struct Case {
        const char* name;
        bool transfer;
        qsizetype hangUpAfter;  // bytes in all; -1: after the data send
        int dataResult;
        QByteArray firstPress;  // what the printer got
    };
    for (const Case& c : {Case{"part of a send", false, 10, 0, "IS20,'a'01"},
                          Case{"transfer, part of a send", true, 10, 0, "IS20,'a'01"},
                          Case{"transfer, nothing of a send", true, 8, 0, "IS20,'a'"},
                          Case{"transfer, hang-up after the data", true, -1, 10, "IS20,'a'0123456789"}}) {
        SCOPED_TRACE(c.name);
        ztest::FakeNetwork fresh;
        platform::ScopedService<platform::Network> useFresh(fresh);
        CComm link;
        link.SetNetworkAddress({QStringLiteral("10.0.0.7"), 9100});
        link.SetPortName(QStringLiteral("ETHERNET"));
        ASSERT_TRUE(link.Open());
        ztest::FakeTcpPeer& peer = fresh.peer();
        peer.hangUpAfter = c.hangUpAfter;
        {
            const platform::OperatorAction::Scope press;
            link.m_socket.m_bTransfer = c.transfer;
            EXPECT_EQ(link.Write("IS20,'a'", 8), 8);
            EXPECT_EQ(link.Write("0123456789", 10), c.dataResult);
            peer.closed = c.hangUpAfter < 0;  // hangs up now, or listens again
            EXPECT_EQ(link.WriteString(QStringLiteral("\r\rIR100,100,'a'\rP1\r"), 0), 0);
            char buffer[8];
            EXPECT_EQ(link.Read(buffer, sizeof buffer), 0);
            link.m_socket.m_bTransfer = false;
        }
        EXPECT_EQ(peer.received, c.firstPress);
        EXPECT_EQ(peer.connectAttempts, 1);
        EXPECT_EQ(peer.transferSends, c.transfer ? 2 : 0);
        EXPECT_TRUE(alerts.texts().isEmpty());

        peer.closed = false;
        const platform::OperatorAction::Scope next;
        EXPECT_EQ(link.Write("~HS", 3), 3);
        EXPECT_EQ(peer.connects, 2);
        EXPECT_TRUE(peer.received.endsWith("~HS"));
        link.MarkTcpForClose();
        link.Close();
    }
}

TEST_F(CommFakeTcpTest, SilentPrinterCostsOneReceiveLimitAndOneLateLimitPerAction)
{
    ASSERT_TRUE(comm.Open());
    network.peer().limitsOnClock = true;
    const platform::TcpTimeLimits limits = network.timeLimits();
    char buffer[32];
    for (int action = 0; action < 2; ++action) {
        SCOPED_TRACE(action);
        network.peer().receiveLimits.clear();
        const int immediate = network.peer().immediateReceives;
        const platform::OperatorAction::Scope press;
        EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
        network.peer().replies = {"slow"};  // came within the late limit
        EXPECT_EQ(comm.Read(buffer, sizeof buffer), 4);
        EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
        network.peer().replies = {"late"};  // came during the fixed wait before this read
        EXPECT_EQ(comm.Read(buffer, sizeof buffer), 4);
        EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
        EXPECT_EQ(network.peer().receiveLimits,
                  (std::vector<int>{limits.receiveMs, limits.lateReceiveMs, limits.lateReceiveMs}));
        EXPECT_EQ(network.peer().immediateReceives - immediate, 2);
    }
    // Outside any action every read gets the whole limit.
    network.peer().receiveLimits.clear();
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(network.peer().receiveLimits, (std::vector<int>{limits.receiveMs, limits.receiveMs}));
    EXPECT_TRUE(alerts.texts().isEmpty());
}

TEST_F(CommFakeTcpTest, AnAnswersTimeRunsFromItsQuery)
{
    ASSERT_TRUE(comm.Open());
    network.peer().limitsOnClock = true;
    const platform::TcpTimeLimits limits = network.timeLimits();
    char buffer[32];
    const platform::OperatorAction::Scope press;
    comm.Write("~HQ\r\n", 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the page's wait
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    ASSERT_EQ(network.peer().receiveLimits.size(), 1u);
    EXPECT_LE(network.peer().receiveLimits[0], limits.receiveMs - 300);
    EXPECT_GT(network.peer().receiveLimits[0], 0);
    // A further read of the same answer waits a limit of its own.
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(network.peer().receiveLimits.back(), limits.lateReceiveMs);
}

}  // namespace
