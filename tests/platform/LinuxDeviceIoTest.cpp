#include "platform/linux/LinuxDeviceIo.h"


#include "platform/Services.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

using namespace platform;
using ztest::MemoryProfileStore;
using ztest::PtyPair;

namespace {

struct PortNameCase {
    const char* name;
    const char* device;  // "" when the name maps to nothing
};

TEST(PortDevicePathTest, MapsWindowsNamesToDeviceFiles)
{
    MemoryProfileStore profile;
    profile.setString("Ports", "COM5", "/dev/ttyUSB0");
    profile.setString("Ports", "LPT3", "/dev/usb/lp0");
    const PortNameCase cases[] = {
        {"COM1:", "/dev/ttyS0"},
        {"COM9:", "/dev/ttyS8"},
        {"COM3", "/dev/ttyS2"},
        {"\\\\.\\COM10", "/dev/ttyS9"},
        {"\\\\.\\COM20", "/dev/ttyS19"},
        {"com2:", "/dev/ttyS1"},
        {"LPT1:", "/dev/lp0"},
        {"LPT2:", "/dev/lp1"},
        {"COM5:", "/dev/ttyUSB0"},
        {"\\\\.\\COM5", "/dev/ttyUSB0"},
        {"LPT3:", "/dev/usb/lp0"},
        {"COM0:", ""},
        {"COM", ""},
        {"COM:", ""},
        {"COMX:", ""},
        {"COM01:", ""},
        {"COM1::", ""},
        {"\\\\.\\COM10:", ""},
        {"LPT1x", ""},
        {"USB", ""},
        {"ETHERNET", ""},
        {"", ""},
    };
    for (const PortNameCase& c : cases) {
        EXPECT_EQ(LinuxDeviceIo::portDevicePath(QString::fromLatin1(c.name), profile),
                  QString::fromLatin1(c.device))
            << c.name;
    }
}

TEST(ParallelStatusTest, OnlyAReadyPrinterReadsSelectedAlone)
{
    // Status register bits: 0x80 not busy, 0x20 paper out, 0x10 selected, 0x08 no error.
    struct Case {
        int lp;
        std::uint8_t status;
    };
    const Case cases[] = {
        {0x98, kParallelSelected},
        {0xD8, kParallelSelected},  // the acknowledge line does not matter
        {0x18, kParallelSelected | kParallelBusy},
        {0xB0, kParallelSelected | kParallelPaperEmpty},
        {0x88, 0},
        {0x80, kParallelOffline},
        {0x00, kParallelBusy | kParallelOffline},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinuxDeviceIo::parallelStatus(c.lp), c.status) << std::hex << c.lp;
}

TEST(LinuxDeviceIoTest, UnknownNamesAndHandlesFail)
{
    MemoryProfileStore profile;
    ScopedService<ProfileStore> useProfile(profile);
    LinuxDeviceIo io;
    EXPECT_EQ(io.open("ETHERNET", ShareMode::Exclusive), kInvalidHandle);
    EXPECT_EQ(io.open("USB", ShareMode::Exclusive), kInvalidHandle);

    profile.setString("Ports", "COM4", "/nonexistent/ttyX");
    EXPECT_EQ(io.open("COM4:", ShareMode::Exclusive), kInvalidHandle);

    char byte = 0;
    std::uint32_t done = 7;
    EXPECT_FALSE(io.read(kNoHandle, &byte, 1, &done));
    EXPECT_EQ(done, 0u);
    EXPECT_FALSE(io.write(kInvalidHandle, &byte, 1, &done));
    EXPECT_FALSE(io.close(42));
}

// A serial port that is really the slave of a pseudo-terminal, mapped as COM7.
class SerialPortTest : public ::testing::Test {
protected:
    static constexpr int kStallMs = 150;
    static constexpr int kPauseMs = 400;

    void SetUp() override
    {
        m_profile.setString("Ports", "COM7", m_printer.slavePath());
    }

    Handle openPort(ShareMode share = ShareMode::Exclusive)
    {
        return m_io.open(QStringLiteral("COM7:"), share);
    }

    static SerialTimeouts firstByteWithin(std::uint32_t ms)
    {
        return {kMaxTimeout, kMaxTimeout, ms, 0, 0};
    }

    PtyPair m_printer{false};  // starts cooked: opening the port must make it raw
    MemoryProfileStore m_profile;
    ScopedService<ProfileStore> m_useProfile{m_profile};
    LinuxDeviceIo m_io{kStallMs, kPauseMs};
};

TEST_F(SerialPortTest, CarriesBytesBothWaysUnchanged)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    EXPECT_NE(h, kNoHandle);

    // CR, LF and control bytes pass untouched: the line is raw.
    const QByteArray command("~JC\r\n\x00\x03\xff", 8);
    std::uint32_t done = 0;
    ASSERT_TRUE(m_io.write(h, command.constData(), std::uint32_t(command.size()), &done));
    EXPECT_EQ(done, std::uint32_t(command.size()));
    EXPECT_EQ(m_printer.readMaster(int(command.size()), 2000), command);

    ASSERT_TRUE(m_io.setCommTimeouts(h, firstByteWithin(2000)));
    const QByteArray reply("PI0\r\n\x11", 6);
    ASSERT_TRUE(m_printer.writeMaster(reply));
    char buffer[64] = {};
    ASSERT_TRUE(m_io.read(h, buffer, sizeof buffer, &done));
    QByteArray got(buffer, done);
    // A first-byte read may return part of the reply; collect the rest.
    while (got.size() < reply.size() && m_io.read(h, buffer, sizeof buffer, &done) && done > 0)
        got.append(buffer, done);
    EXPECT_EQ(got, reply);

    std::uint32_t zero = 5;
    EXPECT_TRUE(m_io.write(h, command.constData(), 0, &zero));
    EXPECT_EQ(zero, 0u);
    EXPECT_TRUE(m_io.close(h));
    EXPECT_FALSE(m_io.close(h));
}

TEST_F(SerialPortTest, ExclusiveOpenIsRefusedWhileHeld)
{
    Handle first = openPort();
    ASSERT_NE(first, kInvalidHandle);
    EXPECT_EQ(openPort(), kInvalidHandle);
    EXPECT_EQ(openPort(ShareMode::Shared), kInvalidHandle);
    ASSERT_TRUE(m_io.close(first));

    Handle again = openPort();
    EXPECT_NE(again, kInvalidHandle);
    EXPECT_EQ(again, first);  // the freed slot is reused: handles stay small
    m_io.close(again);
}

TEST_F(SerialPortTest, PseudoTerminalReportsCtsAndDsrOn)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    EXPECT_TRUE(m_io.setCommMask(h, kEventCts | kEventDsr));
    std::uint32_t status = 0;
    ASSERT_TRUE(m_io.getModemStatus(h, &status));
    EXPECT_EQ(status & (kModemCtsOn | kModemDsrOn), kModemCtsOn | kModemDsrOn);
    m_io.close(h);
}

TEST_F(SerialPortTest, SettingsRoundTrip)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    SerialSettings s;
    ASSERT_TRUE(m_io.getCommState(h, &s));

    struct Case {
        std::uint32_t baud;
        std::uint8_t stopBits;
        bool ctsFlow;
    };
    for (const Case& c : {Case{9600, 0, true}, Case{19200, 2, false}, Case{38400, 2, true},
                          Case{57600, 0, false}, Case{115200, 0, true}}) {
        s.baudRate = c.baud;
        s.byteSize = 8;
        s.parity = 0;
        s.stopBits = c.stopBits;
        s.parityCheck = false;
        s.outxCtsFlow = c.ctsFlow;
        s.outxDsrFlow = true;
        s.dtrEnable = true;
        s.rtsEnable = true;
        s.xonXoffOut = false;
        s.xonXoffIn = false;
        ASSERT_TRUE(m_io.setCommState(h, s)) << c.baud;
        SerialSettings back;
        ASSERT_TRUE(m_io.getCommState(h, &back));
        EXPECT_EQ(back.baudRate, c.baud);
        EXPECT_EQ(back.byteSize, 8);
        EXPECT_EQ(back.parity, 0);
        EXPECT_EQ(back.stopBits, c.stopBits) << c.baud;
        EXPECT_EQ(back.outxCtsFlow, c.ctsFlow);
        EXPECT_TRUE(back.outxDsrFlow);
        EXPECT_FALSE(back.xonXoffOut);
        EXPECT_FALSE(back.xonXoffIn);
    }

    s.baudRate = 12345;
    EXPECT_FALSE(m_io.setCommState(h, s));
    s.baudRate = 9600;
    s.parity = 5;
    EXPECT_FALSE(m_io.setCommState(h, s));

    const SerialTimeouts t{kMaxTimeout, 0, 0, 2, 0};
    ASSERT_TRUE(m_io.setCommTimeouts(h, t));
    SerialTimeouts back;
    ASSERT_TRUE(m_io.getCommTimeouts(h, &back));
    EXPECT_EQ(back.readInterval, kMaxTimeout);
    EXPECT_EQ(back.writeTotalMultiplier, 2u);
    EXPECT_TRUE(m_io.purge(h, kPurgeAll));
    m_io.close(h);
}

TEST_F(SerialPortTest, ReadTimeoutsBoundEveryRead)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    char buffer[16];
    std::uint32_t done = 99;

    // Return at once with what has arrived: nothing yet.
    ASSERT_TRUE(m_io.setCommTimeouts(h, {kMaxTimeout, 0, 0, 0, 0}));
    ASSERT_TRUE(m_io.read(h, buffer, sizeof buffer, &done));
    EXPECT_EQ(done, 0u);

    // A total limit returns what came before it, fewer bytes than asked.
    ASSERT_TRUE(m_io.setCommTimeouts(h, {0, 0, 300, 0, 0}));
    ASSERT_TRUE(m_printer.writeMaster("abc"));
    ASSERT_TRUE(m_io.read(h, buffer, sizeof buffer, &done));
    EXPECT_EQ(QByteArray(buffer, done), "abc");

    // No limit at all: a silent line still ends the read.
    ASSERT_TRUE(m_io.setCommTimeouts(h, {0, 0, 0, 0, 0}));
    ASSERT_TRUE(m_io.read(h, buffer, sizeof buffer, &done));
    EXPECT_EQ(done, 0u);
    m_io.close(h);
}

TEST_F(SerialPortTest, WriteToAStalledLineEndsShort)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    // The printer takes nothing: the pseudo-terminal fills up and stops accepting.
    const QByteArray job(4 << 20, 'x');
    for (const SerialTimeouts& t : {SerialTimeouts{kMaxTimeout, 0, 0, 0, 0},
                                    SerialTimeouts{kMaxTimeout, 0, 0, 0, 100}}) {
        ASSERT_TRUE(m_io.setCommTimeouts(h, t));
        std::uint32_t done = 0;
        EXPECT_TRUE(m_io.write(h, job.constData(), std::uint32_t(job.size()), &done));
        EXPECT_LT(done, std::uint32_t(job.size()));
    }
    m_io.close(h);
}

// A line whose modem lines and output queue a test decides: DSR as set, and a queue that
// empties only after a while (a UART held off by CTS).
class ControlledLineIo : public LinuxDeviceIo {
public:
    ControlledLineIo(int stallMs, int pauseMs) : LinuxDeviceIo(stallMs, pauseMs) {}
    std::atomic<bool> dsrOn{true};
    std::atomic<bool> hasModemLines{false};
    // While set, the queue holds this many bytes until `queuedForMs` after the first look.
    int queuedBytes = 0;
    int queuedForMs = 0;
    bool lastLookEmpty = true;

protected:
    int modemLines(int fd) override
    {
        if (!hasModemLines)
            return LinuxDeviceIo::modemLines(fd);
        return TIOCM_CTS | (dsrOn ? TIOCM_DSR : 0);
    }
    int outputQueued(int) override
    {
        const auto now = std::chrono::steady_clock::now();
        if (!firstLook)
            firstLook = now;
        const bool empty = queuedBytes == 0 || now - *firstLook >= std::chrono::milliseconds(queuedForMs);
        lastLookEmpty = empty;
        return empty ? 0 : queuedBytes;
    }

private:
    std::optional<std::chrono::steady_clock::time_point> firstLook;
};

struct PausedWriteCase {
    const char* name;
    bool modemLines;  // false: the pseudo-terminal's own (none)
    bool dsrOn;
    bool everyByte;   // the write waits for the printer to read on
};

void PrintTo(const PausedWriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class PausedWriteTest : public ::testing::TestWithParam<PausedWriteCase> {};

// A write without time-outs to a printer that stops reading for three stall limits: it
// waits for a printer that is there, and gives up on one switched off.
TEST_P(PausedWriteTest, WriteWithoutTimeOutsWaitsOnlyForAPrinterThatIsThere)
{
    const PausedWriteCase& c = GetParam();
    constexpr int kStallMs = 150;
    PtyPair printer;
    MemoryProfileStore profile;
    profile.setString("Ports", "COM7", printer.slavePath());
    ScopedService<ProfileStore> useProfile(profile);
    ControlledLineIo io(kStallMs, 60000);
    io.hasModemLines = c.modemLines;
    io.dsrOn = c.dsrOn;
    Handle h = io.open("COM7:", ShareMode::Exclusive);
    ASSERT_NE(h, kInvalidHandle);
    ASSERT_TRUE(io.setCommTimeouts(h, {kMaxTimeout, 0, 0, 0, 0}));

    const QByteArray job(1 << 20, 'x');  // more than the line holds
    QByteArray received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(3 * kStallMs));  // the paper change
        received = printer.drainMaster(500);
    });
    std::uint32_t done = 0;
    EXPECT_TRUE(io.write(h, job.constData(), std::uint32_t(job.size()), &done));
    reader.join();
    if (c.everyByte)
        EXPECT_EQ(done, std::uint32_t(job.size()));
    else
        EXPECT_LT(done, std::uint32_t(job.size()));
    EXPECT_EQ(received.size(), qsizetype(done));
    io.close(h);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PausedWriteTest,
    ::testing::Values(PausedWriteCase{"PseudoTerminalWithoutModemLines", false, true, true},
                      PausedWriteCase{"DsrOn", true, true, true},
                      PausedWriteCase{"DsrOff", true, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A write counts as done once its bytes have left the port: the wait for the queue runs
// within the write's own time, longer than the bytes' time on the line, and a write
// with a short time of its own still ends.
TEST(SerialDrainTest, WriteWaitsForItsBytesToLeaveWithinItsOwnTime)
{
    PtyPair printer;
    MemoryProfileStore profile;
    profile.setString("Ports", "COM7", printer.slavePath());
    ScopedService<ProfileStore> useProfile(profile);
    struct Case {
        const char* name;
        SerialTimeouts timeouts;
        bool drained;
    };
    // The queue stays longer than twice its time on the line and a quarter second.
    const int heldMs = 3 * LinuxDeviceIo::drainLimitMs(400, 38400, 10);
    for (const Case& c : {Case{"transfer time-outs", {0, 1, 20000, 1, 20000}, true},
                          Case{"no time-outs", {kMaxTimeout, 0, 0, 0, 0}, true},
                          Case{"2 ms a byte", {kMaxTimeout, 0, 0, 2, 0}, false}}) {
        SCOPED_TRACE(c.name);
        ControlledLineIo io(150, 60000);
        io.queuedBytes = 400;
        io.queuedForMs = heldMs;
        Handle h = io.open("COM7:", ShareMode::Exclusive);
        ASSERT_NE(h, kInvalidHandle);
        ASSERT_TRUE(io.setCommTimeouts(h, c.timeouts));
        std::uint32_t done = 0;
        EXPECT_TRUE(io.write(h, "abcd", 4, &done));
        EXPECT_EQ(done, 4u);
        EXPECT_EQ(io.lastLookEmpty, c.drained);
        EXPECT_EQ(printer.readMaster(4, 2000), "abcd");
        io.close(h);
    }
}

// Opening the port again after a transfer clears what the printer sent, but never what it
// has not read yet: on a pseudo-terminal that is what a UART would have sent already.
TEST_F(SerialPortTest, PurgeKeepsWhatThePrinterHasNotReadYet)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    const QByteArray job(8000, 'j');  // more than the far end's line discipline holds
    std::uint32_t done = 0;
    ASSERT_TRUE(m_io.write(h, job.constData(), std::uint32_t(job.size()), &done));
    ASSERT_EQ(done, std::uint32_t(job.size()));
    ASSERT_TRUE(m_printer.writeMaster("stale reply"));
    ASSERT_TRUE(m_printer.waitSlaveReadable(2000));

    EXPECT_TRUE(m_io.purge(h, kPurgeAll));
    ASSERT_TRUE(m_io.setCommTimeouts(h, {kMaxTimeout, 0, 0, 0, 0}));
    char buffer[32];
    ASSERT_TRUE(m_io.read(h, buffer, sizeof buffer, &done));
    EXPECT_EQ(done, 0u);  // the input is cleared
    EXPECT_EQ(m_printer.readMaster(int(job.size()), 2000), job);
    m_io.close(h);
}

TEST_F(SerialPortTest, VanishedDeviceFailsReadsAndWrites)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    ASSERT_TRUE(m_io.setCommTimeouts(h, firstByteWithin(500)));
    m_printer.closeMaster();

    char buffer[8];
    std::uint32_t done = 0;
    EXPECT_FALSE(m_io.read(h, buffer, sizeof buffer, &done));
    EXPECT_FALSE(m_io.write(h, "x", 1, &done));
    EXPECT_TRUE(m_io.close(h));
}

TEST_F(SerialPortTest, ParallelStatusNeedsAParallelPort)
{
    m_profile.setString("Ports", "LPT2", m_printer.slavePath());
    Handle h = m_io.open("LPT2:", ShareMode::Exclusive);
    ASSERT_NE(h, kInvalidHandle);
    std::uint8_t status = 0;
    EXPECT_FALSE(m_io.getParallelStatus(h, &status));
    m_io.close(h);
}

TEST(LinuxDeviceIoTest, PlainFileIsNoCommunicationsDevice)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("port");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    MemoryProfileStore profile;
    profile.setString("Ports", "COM8", path);
    ScopedService<ProfileStore> useProfile(profile);

    LinuxDeviceIo io;
    Handle h = io.open("COM8:", ShareMode::Exclusive);
    ASSERT_NE(h, kInvalidHandle);
    SerialSettings s;
    EXPECT_FALSE(io.getCommState(h, &s));
    EXPECT_FALSE(io.setCommState(h, s));
    EXPECT_FALSE(io.setCommTimeouts(h, SerialTimeouts{}));
    EXPECT_TRUE(io.purge(h, kPurgeAll));

    std::uint32_t done = 0;
    ASSERT_TRUE(io.write(h, "label", 5, &done));
    EXPECT_EQ(done, 5u);
    io.close(h);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "label");
}

}  // namespace

namespace {

TEST(SerialFramingTest, TermiosCarriesDataBitsParityAndStopBitsOrRefusesThem)
{
    struct Case {
        std::uint8_t dataBits, parity, stopBits;
        bool accepted;
        tcflag_t size;
        bool parenb, parodd, cstopb;
    };
    const Case cases[] = {
        {7, 0, 0, true, CS7, false, false, false}, {8, 0, 0, true, CS8, false, false, false},
        {7, 1, 0, true, CS7, true, true, false},   {8, 1, 0, true, CS8, true, true, false},
        {7, 2, 0, true, CS7, true, false, false},  {8, 2, 0, true, CS8, true, false, false},
        {7, 0, 2, true, CS7, false, false, true},  {8, 2, 2, true, CS8, true, false, true},
        {7, 0, 1, false, 0, false, false, false},  {8, 1, 1, false, 0, false, false, false},
        {5, 0, 1, true, CS5, false, false, true},  // the one size with 1.5 stop bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.dataBits) << "/" << int(c.parity) << "/"
                                        << int(c.stopBits));
        SerialSettings s;
        s.baudRate = 19200;
        s.byteSize = c.dataBits;
        s.parity = c.parity;
        s.stopBits = c.stopBits;
        s.parityCheck = c.parity != 0;
        termios t{};
        t.c_iflag = INPCK | IGNPAR | PARMRK;
        ASSERT_EQ(LinuxDeviceIo::applySettings(s, &t), c.accepted);
        if (!c.accepted)
            continue;
        EXPECT_EQ(t.c_cflag & CSIZE, c.size);
        EXPECT_EQ((t.c_cflag & PARENB) != 0, c.parenb);
        EXPECT_EQ((t.c_cflag & PARODD) != 0, c.parodd);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.cstopb);
        // A byte with a parity error is passed on as it came, never turned into 0x00.
        EXPECT_EQ(t.c_iflag & (INPCK | IGNPAR | PARMRK), 0u);
        EXPECT_EQ(::cfgetospeed(&t), speed_t(B19200));
    }
}

TEST(SerialFramingTest, DrainWaitGrowsWithTheBytesAndShrinksWithTheSpeed)
{
    // 1000 bytes of 10 bits at 9600 baud take 1042 ms on the line.
    EXPECT_GE(LinuxDeviceIo::drainLimitMs(1000, 9600, 10), 2 * 1042);
    EXPECT_LT(LinuxDeviceIo::drainLimitMs(1000, 115200, 10), LinuxDeviceIo::drainLimitMs(1000, 9600, 10));
    EXPECT_LT(LinuxDeviceIo::drainLimitMs(10, 9600, 10), LinuxDeviceIo::drainLimitMs(1000, 9600, 10));
    EXPECT_GE(LinuxDeviceIo::drainLimitMs(1, 0, 12), LinuxDeviceIo::drainLimitMs(1, 110, 12));
    EXPECT_GT(LinuxDeviceIo::drainLimitMs(0xFFFFFFFFu, 110, 12), 0);
}

TEST_F(SerialPortTest, PseudoTerminalHoldsEightBitsWithoutParityAndBothStopBitCounts)
{
    Handle h = openPort();
    ASSERT_NE(h, kInvalidHandle);
    for (std::uint8_t stop : {std::uint8_t(0), std::uint8_t(2)}) {
        SerialSettings s;
        ASSERT_TRUE(m_io.getCommState(h, &s));
        s.baudRate = 9600;
        s.byteSize = 8;
        s.parity = 0;
        s.stopBits = stop;
        ASSERT_TRUE(m_io.setCommState(h, s));
        SerialSettings back;
        ASSERT_TRUE(m_io.getCommState(h, &back));
        EXPECT_EQ(back.byteSize, 8);
        EXPECT_EQ(back.parity, 0);
        EXPECT_EQ(back.stopBits, stop);
    }
    SerialSettings s;
    ASSERT_TRUE(m_io.getCommState(h, &s));
    s.stopBits = 1;
    EXPECT_FALSE(m_io.setCommState(h, s));
    m_io.close(h);
}

// A device whose poll(2) always says "ready" (/dev/lp on many kernels).
class PollAlwaysReadyIo : public LinuxDeviceIo {
public:
    PollAlwaysReadyIo() : LinuxDeviceIo(150, 300) {}
    int polls = 0;
    int pauses = 0;

protected:
    int pollDevice(pollfd* pfd, int) override
    {
        ++polls;
        pfd->revents = pfd->events;
        return 1;
    }
    void pauseBetweenTries(int ms) override
    {
        ++pauses;
        LinuxDeviceIo::pauseBetweenTries(ms);
    }
};

TEST(ParallelWaitTest, ADeviceThatAlwaysPollsReadyIsWaitedForWithPauses)
{
    PtyPair printer;
    MemoryProfileStore profile;
    profile.setString("Ports", "LPT2", printer.slavePath());
    ScopedService<ProfileStore> useProfile(profile);
    PollAlwaysReadyIo io;
    Handle h = io.open("LPT2:", ShareMode::Exclusive);
    ASSERT_NE(h, kInvalidHandle);

    char buffer[8];
    std::uint32_t done = 0;
    EXPECT_TRUE(io.read(h, buffer, sizeof buffer, &done));  // the default first-byte wait
    EXPECT_EQ(done, 0u);
    EXPECT_GT(io.pauses, 0);
    EXPECT_LE(io.polls, io.pauses + 1);

    io.polls = io.pauses = 0;
    const QByteArray job(4 << 20, 'x');  // more than the line holds: the write must wait
    EXPECT_TRUE(io.write(h, job.constData(), std::uint32_t(job.size()), &done));
    EXPECT_LT(done, std::uint32_t(job.size()));
    EXPECT_GT(io.pauses, 0);
    EXPECT_LE(io.polls, io.pauses + 1);
    io.close(h);
}

}  // namespace
