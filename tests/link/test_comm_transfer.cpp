// Reads and writes on serial and parallel ports: attempts, retries and the fatal path.
#include "LinkFixture.h"

#include "platform/OperatorAction.h"

#include <array>

namespace {

class CommTransferTest : public LinkTest {
protected:
    void SetUp() override
    {
        serial = &io.addDevice(QStringLiteral("COM1:"));
        parallel = &io.addDevice(QStringLiteral("LPT1:"));
    }

    ztest::FakeDevice* serial = nullptr;
    ztest::FakeDevice* parallel = nullptr;
};

const QByteArray kData("0123456789");

TEST_F(CommTransferTest, ShortWritesAreCompletedByRetriesAfterTheBytesWritten)
{
    using Step = ztest::WriteStep;
    const struct {
        const char* what;
        std::deque<Step> steps;
        std::vector<QByteArray> writes;
    } cases[] = {
        {"at once", {}, {"0123456789"}},
        {"short, then the rest", {{true, 3}}, {"012", "3456789"}},
        {"failed after some bytes", {{false, 4}}, {"0123", "456789"}},
        {"done by the third retry", {{true, 3}, {false, 0}, {true, 2}}, {"012", "", "34", "56789"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        openPort(QStringLiteral("COM1:"));
        serial->written.clear();
        serial->writes.clear();
        serial->writeSteps = c.steps;

        EXPECT_EQ(comm.Write(kData.constData(), kData.size()), 1);
        EXPECT_EQ(serial->written, kData);
        EXPECT_EQ(std::vector<QByteArray>(serial->writes.begin(), serial->writes.end()), c.writes);
        EXPECT_EQ(clock.sleeps(), std::vector<int>(c.writes.size() - 1, 10));
        EXPECT_TRUE(alerts.alerts().empty());
    }
}

TEST_F(CommTransferTest, WriteStillIncompleteAfterThreeRetriesEndsTheProgram)
{
    using Step = ztest::WriteStep;
    const struct {
        const char* what;
        std::deque<Step> steps;
        QByteArray written;
    } cases[] = {
        {"every write fails", {{false, 0}, {false, 0}, {false, 0}, {false, 0}}, ""},
        {"progress too slow", {{true, 3}, {true, 2}, {false, 0}, {true, 1}}, "012345"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        alerts.clear();
        openPort(QStringLiteral("COM1:"));
        serial->written.clear();
        serial->writeCalls = 0;
        serial->writeSteps = c.steps;

        expectFatal([&] { comm.Write(kData.constData(), kData.size()); });
        EXPECT_EQ(serial->written, c.written);
        EXPECT_EQ(serial->writeCalls, 4);
        EXPECT_EQ(clock.sleeps(), (std::vector<int>{10, 10, 10}));
        EXPECT_EQ(alerts.alerts().at(0).icon, platform::AlertIcon::Exclamation);
    }
}

TEST_F(CommTransferTest, DeviceVanishingDuringTransferTakesTheFatalPath)
{
    openPort(QStringLiteral("LPT1:"));
    parallel->vanishAfterWrites = 2;
    const QByteArray piece(2048, 'x');

    EXPECT_EQ(comm.Write(piece.constData(), piece.size()), 1);
    EXPECT_EQ(comm.Write(piece.constData(), piece.size()), 1);
    expectFatal([&] { comm.Write(piece.constData(), piece.size()); });
    EXPECT_EQ(parallel->written.size(), 2 * piece.size());
}

TEST_F(CommTransferTest, WriteWithoutOpenPortTakesTheFatalPath)
{
    comm.SetPortName(QStringLiteral("COM1:"));
    expectFatal([&] { comm.Write(kData.constData(), kData.size()); });
    EXPECT_EQ(io.openRequests(), QStringList());
}

TEST_F(CommTransferTest, EmptyWriteSucceedsWithoutTouchingThePort)
{
    openPort(QStringLiteral("COM1:"));
    EXPECT_EQ(comm.Write(kData.constData(), 0), 1);
    EXPECT_EQ(comm.Write(kData.constData(), -5), 1);
    EXPECT_EQ(comm.WriteString(QString(), 0), 1);
    EXPECT_TRUE(serial->calls.isEmpty());
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommTransferTest, WriteStringSendsTheWholeTextInTheAnsiCodePage)
{
    openPort(QStringLiteral("COM1:"));
    EXPECT_EQ(comm.WriteString(QStringLiteral("~JC\r\n"), 2), 1);
    EXPECT_EQ(serial->written, QByteArray("\x7E\x4A\x43\x0D\x0A"));

    serial->written.clear();
    EXPECT_EQ(comm.WriteString(QString::fromUtf8("A\u2603B"), 0), 1);  // no snowman in any ANSI page
    EXPECT_EQ(serial->written, QByteArray("A?B"));
}

TEST_F(CommTransferTest, ReadMakesUpToThreeAttemptsAndKeepsTheFirstThatDelivers)
{
    const struct {
        const char* what;
        const char* port;
        std::deque<QByteArray> replies;
        bool failReads;
        QByteArray expected;
        int attempts;
        QStringList alerts;
    } cases[] = {
        {"first attempt", "COM1:", {"abc"}, false, "abc", 1, {}},
        {"third attempt", "COM1:", {"", "", "xyz"}, false, "xyz", 3, {}},
        {"no reply", "COM1:", {}, false, "", 3, {}},
        {"serial read fails", "COM1:", {}, true, "", 3, {kSerialReadFailed}},
        {"parallel read fails", "LPT1:", {}, true, "", 3, {}},
        {"parallel reply", "LPT1:", {"", "ok"}, false, "ok", 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        alerts.clear();
        const QString name = QString::fromLatin1(c.port);
        openPort(name);
        ztest::FakeDevice& port = io.device(name);
        port.replies = c.replies;
        port.failReads = c.failReads;

        char buffer[16] = {};
        const int n = comm.Read(buffer, sizeof buffer);
        EXPECT_EQ(QByteArray(buffer, n), c.expected);
        EXPECT_EQ(port.calls, QStringList(c.attempts, QStringLiteral("read(16)")));
        EXPECT_EQ(clock.sleeps(), std::vector<int>(c.attempts, 1));
        EXPECT_EQ(alerts.texts(), c.alerts);
    }
}

TEST_F(CommTransferTest, SerialPortThatHasGoneAwayIsReportedOncePerOperatorAction)
{
    openPort(QStringLiteral("COM1:"));
    serial->failReads = true;
    char buffer[16];
    for (int action = 0; action < 2; ++action) {
        SCOPED_TRACE(action);
        alerts.clear();
        const platform::OperatorAction::Scope press;
        for (int query = 0; query < 10; ++query)
            EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
        EXPECT_EQ(alerts.texts(), QStringList{kSerialReadFailed});
    }
}

TEST_F(CommTransferTest, ReplyLongerThanAskedIsCutAtTheAskedLength)
{
    openPort(QStringLiteral("COM1:"));
    serial->replies = {"0123456789"};
    std::array<char, 8> buffer;
    buffer.fill('#');

    EXPECT_EQ(comm.Read(buffer.data(), 4), 4);
    EXPECT_EQ(QByteArray(buffer.data(), buffer.size()), QByteArray("0123####"));
    EXPECT_EQ(comm.Read(buffer.data(), buffer.size()), 6);
    EXPECT_EQ(QByteArray(buffer.data(), 6), QByteArray("456789"));
}

TEST_F(CommTransferTest, ReadOfNothingAsksTheDeviceNothing)
{
    openPort(QStringLiteral("COM1:"));
    serial->replies = {"abc"};
    char buffer[4];
    for (int length : {0, -1}) {
        EXPECT_EQ(comm.Read(buffer, length), 0);
        EXPECT_EQ(comm.Read(nullptr, 4), 0);
    }
    EXPECT_TRUE(serial->calls.isEmpty());
    EXPECT_TRUE(alerts.alerts().empty());
}

}  // namespace
