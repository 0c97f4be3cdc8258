// The stand-in printer: command dispatch, and the real binary on TCP and on a pty.
#include "IdentityModule.h"
#include "SimDispatcher.h"
#include "tests/support/SimProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kProbe("\x1b\xaf" "PEG", 5);
const std::string kQuery("^PI0\r\n");

// ---- request detection --------------------------------------------------------------------

struct ScanCase {
    const char* name;
    std::vector<std::string> chunks;
    std::string expected;  // the answers, with the default language '2' and model KX-21
};

void PrintTo(const ScanCase& c, std::ostream* os)
{
    *os << c.name;
}

class SimDispatcherTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(SimDispatcherTest, AnswersRequestsAnywhereInTheStream)
{
    IdentityModule identity;
    SimDispatcher dispatcher({&identity});
    SimPrinterState state;
    std::string answers;
    for (const std::string& chunk : GetParam().chunks)
        answers += dispatcher.feed(chunk.data(), chunk.size(), state);
    EXPECT_EQ(answers, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, SimDispatcherTest,
    ::testing::Values(
        ScanCase{"Probe", {kProbe}, "2"},
        ScanCase{"Query", {kQuery}, "KX-21\r\n"},
        ScanCase{"ProbeByteByByte", {"\x1b", "\xaf", "P", "E", "G"}, "2"},
        ScanCase{"QuerySplit", {"^P", "I0\r", "\n"}, "KX-21\r\n"},
        ScanCase{"QueryAfterOtherBytes", {"~JC\r\n" + kQuery}, "KX-21\r\n"},
        ScanCase{"SplitAfterLongChunk", {std::string(5000, 'x') + "^PI0\r", "\n"},
                 "KX-21\r\n"},
        ScanCase{"BothInOrder", {kQuery + "zz" + kProbe}, "KX-21\r\n2"},
        ScanCase{"RepeatedQuery", {kQuery + kQuery}, "KX-21\r\nKX-21\r\n"},
        ScanCase{"NearMisses", {"^PI1\r\n", std::string("\x1b\xaf" "PES1", 6), "^PI0\n"}, ""},
        ScanCase{"InterruptedQuery", {"^PI", "X0\r\n"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the binary ---------------------------------------------------------------------------

constexpr int kWaitMs = 5000;  // bound on every wait for the simulator

using ztest::SimProcess;

int connectTo(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends the chunks as separate writes, a moment apart, so the peer sees them split.
void sendChunks(int fd, const std::vector<std::string>& chunks)
{
    for (const std::string& chunk : chunks) {
        ASSERT_EQ(write(fd, chunk.data(), chunk.size()), static_cast<ssize_t>(chunk.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Whatever arrives until `count` bytes are in or `waitMs` has passed.
std::string receive(int fd, std::size_t count, int waitMs = kWaitMs)
{
    std::string received;
    const QDeadlineTimer deadline(waitMs);
    while (received.size() < count && !deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

struct ExchangeCase {
    const char* name;
    std::vector<std::string> chunks;
    std::string reply;
};

const ExchangeCase kExchanges[] = {
    {"probe", {kProbe}, "3"},
    {"query", {kQuery}, "PV-9\r\n"},
    {"probe split", {"\x1b\xaf", "PE", "G"}, "3"},
    {"query split after other bytes", {"~JC\r\n^P", "I0\r", "\n"}, "PV-9\r\n"},
    {"probe then query", {kProbe, kQuery}, "3PV-9\r\n"},
};

TEST(PrinterSimTcp, AnswersEachConnectionInTurnAndLogsWhatItReceived)
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("sim.log"));
    SimProcess sim({"--port", "0", "--language", "3", "--model", "PV-9", "--log", logPath});
    const int port = sim.tcpPort();
    ASSERT_GT(port, 0);

    for (const ExchangeCase& c : kExchanges) {
        SCOPED_TRACE(c.name);
        const int fd = connectTo(port);
        ASSERT_GE(fd, 0);
        sendChunks(fd, c.chunks);
        EXPECT_EQ(receive(fd, c.reply.size()), c.reply);
        close(fd);
    }

    sim.process().terminate();
    ASSERT_TRUE(sim.process().waitForFinished(kWaitMs));
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("1b af 50 45 47")) << text.constData();
    EXPECT_TRUE(text.contains("5e 50 49 30 0d 0a")) << text.constData();
    EXPECT_TRUE(text.contains("tcp#5")) << text.constData();
}

TEST(PrinterSimTcp, AnswersOstrelAndKx21ByDefault)
{
    SimProcess sim({"--port", "0", "--log", "/dev/null"});
    const int fd = connectTo(sim.tcpPort());
    ASSERT_GE(fd, 0);
    sendChunks(fd, {kProbe, kQuery});
    EXPECT_EQ(receive(fd, 8), "2KX-21\r\n");
    close(fd);
}

TEST(PrinterSimTcp, SilentPrinterAnswersNothing)
{
    SimProcess sim({"--port", "0", "--silent", "--log", "/dev/null"});
    const int fd = connectTo(sim.tcpPort());
    ASSERT_GE(fd, 0);
    sendChunks(fd, {kProbe, kQuery});
    EXPECT_EQ(receive(fd, 1, 300), "");
    close(fd);
}

TEST(PrinterSimPty, AnswersOnThePseudoTerminalAcrossReopens)
{
    SimProcess sim({"--pty", "--model", "KX-30", "--log", "/dev/null"});
    const QByteArray path = sim.announced(QStringLiteral("pty: ")).toLocal8Bit();
    ASSERT_FALSE(path.isEmpty());

    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        const int fd = open(path.constData(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios mode{};
        ASSERT_EQ(tcgetattr(fd, &mode), 0);
        cfmakeraw(&mode);
        ASSERT_EQ(tcsetattr(fd, TCSANOW, &mode), 0);
        sendChunks(fd, {"\x1b\xafPE", "G^PI0", "\r\n"});
        EXPECT_EQ(receive(fd, 8), "2KX-30\r\n");
        close(fd);
    }
}

TEST(PrinterSimProcess, StopsCleanlyOnInterruptAndTerminate)
{
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        SimProcess sim({"--port", "0", "--pty", "--log", "/dev/null"});
        ASSERT_GT(sim.tcpPort(), 0);
        ASSERT_EQ(kill(static_cast<pid_t>(sim.process().processId()), signal), 0);
        ASSERT_TRUE(sim.process().waitForFinished(kWaitMs));
        EXPECT_EQ(sim.process().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(sim.process().exitCode(), 0);
    }
}

TEST(PrinterSimProcess, RejectsBadArgumentsAndExplainsItself)
{
    const struct {
        QStringList arguments;
        int exitCode;
    } cases[] = {
        {{"--language", "4"}, 1},
        {{"--port", "70000"}, 1},
        {{"--unknown"}, 1},
        {{"stray"}, 1},
        {{"--pause-after", "100", "--pause-after", "50"}, 1},  // counts must grow
        {{"--pause-after", "10", "--pause-after", "20", "--pause-ms", "1", "--pause-ms", "2", "--pause-ms", "3"}, 1},
        {{"--pause-after", "x"}, 1},
        {{"--hang-up-after", "0"}, 1},
        {{"--help"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        SimProcess sim(c.arguments);
        ASSERT_TRUE(sim.process().waitForFinished(kWaitMs));
        EXPECT_EQ(sim.process().exitCode(), c.exitCode);
        const QByteArray out = sim.process().readAllStandardOutput();
        EXPECT_EQ(out.contains("--model"), c.exitCode == 0);
        EXPECT_FALSE(out.startsWith("listening on"));
        if (c.exitCode == 0) {
            // Its own name, the defaults and how to use it, not a bare list.
            EXPECT_TRUE(out.startsWith("Usage: zentrova-printer-sim [options]")) << out.left(60).constData();
            EXPECT_TRUE(out.simplified().contains("Default KX-21."));
            EXPECT_TRUE(out.contains("Examples:"));
            EXPECT_TRUE(out.contains("--pause-after") && out.contains("--hang-up-after"));
        }
    }
}

}  // namespace
