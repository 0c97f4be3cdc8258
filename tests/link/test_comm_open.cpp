// Opening and closing serial and parallel ports, and the port-name rules.
#include "LinkFixture.h"

namespace {

class CommOpenTest : public LinkTest {};

TEST_F(CommOpenTest, PortNameSelectsTransportAndFileName)
{
    const struct {
        const char* portName;
        const char* fileName;
        std::int32_t portType;
    } cases[] = {
        {"COM1:", "COM1:", PORT_COM},
        {"COM9:", "COM9:", PORT_COM},
        {"COM10:", "\\\\.\\COM10", PORT_COM},
        {"COM20:", "\\\\.\\COM20", PORT_COM},
        {"LPT1:", "LPT1:", PORT_LPT},
        {"LPT4:", "LPT4:", PORT_LPT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portName);
        ztest::FakeDeviceIo devices;
        platform::ScopedService<platform::DeviceIo> scope(devices);
        devices.addDevice(QString::fromLatin1(c.fileName));
        CComm link;
        link.SetPortName(QString::fromLatin1(c.portName));

        EXPECT_TRUE(link.Open());
        EXPECT_EQ(devices.openRequests(), QStringList{QString::fromLatin1(c.fileName)});
        EXPECT_EQ(link.m_nPortType, c.portType);
        EXPECT_NE(link.m_hPort, platform::kNoHandle);
    }
}

TEST_F(CommOpenTest, UnknownPortNameOpensNothingAndKeepsPortType)
{
    io.addDevice(QStringLiteral("LPT2:"));
    for (const char* name : {"com1:", "lpt1:", "usb", "USB1", "Usb", "Ethernet", "ETHERNE", "FILE:", ""}) {
        SCOPED_TRACE(name);
        openPort(QStringLiteral("LPT2:"));
        comm.SetPortName(QString::fromLatin1(name));
        const QStringList requestsBefore = io.openRequests();

        EXPECT_FALSE(comm.Open());
        EXPECT_EQ(comm.m_nPortType, PORT_LPT);
        EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
        EXPECT_EQ(io.openRequests(), requestsBefore);
        EXPECT_EQ(io.openHandleCount(), 0);  // Open always begins by closing
        EXPECT_TRUE(alerts.alerts().empty());
    }
}

TEST_F(CommOpenTest, SerialOpenWaitsSetsUpPurgesAndCloseUndoesIt)
{
    ztest::FakeDevice& port = io.addDevice(QStringLiteral("COM3:"));
    comm.SetPortName(QStringLiteral("COM3:"));

    ASSERT_TRUE(comm.Open());
    EXPECT_EQ(port.calls, (QStringList{"open(Exclusive)", "setCommMask(0x18)", "getModemStatus()",
                                       "getCommState()", "setCommState()", "setCommTimeouts()",
                                       "purge(0xf)"}));
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{100, 100}));

    port.calls.clear();
    ASSERT_TRUE(comm.Open());  // the second open needs the first handle closed
    EXPECT_EQ(port.calls.mid(0, 4), (QStringList{"setCommMask(0x0)", "purge(0xf)", "close()", "open(Exclusive)"}));

    port.calls.clear();
    comm.Close();
    EXPECT_EQ(port.calls, (QStringList{"setCommMask(0x0)", "purge(0xf)", "close()"}));
    EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
    EXPECT_EQ(comm.m_nPortType, PORT_COM);

    port.calls.clear();
    comm.Close();
    EXPECT_TRUE(port.calls.isEmpty());
}

TEST_F(CommOpenTest, SerialSettingsComeFromTheLinkAndDriverFlagsAreOverridden)
{
    const struct {
        std::uint32_t baud, dataBits, parity, stopBits;
    } cases[] = {
        {9600, 8, 0, 0},
        {19200, 7, 2, 2},
        {115200, 8, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        ztest::FakeDevice& port = io.addDevice(QStringLiteral("COM2:"));
        port.settings.parityCheck = c.parity == 0;
        port.settings.outxDsrFlow = false;
        port.settings.dsrSensitivity = true;
        port.settings.xonXoffOut = port.settings.xonXoffIn = true;
        port.settings.nullStrip = port.settings.abortOnError = true;
        comm.m_nBaudRate = c.baud;
        comm.m_nDataBits = c.dataBits;
        comm.m_nParity = c.parity;
        comm.m_nStopBits = c.stopBits;
        comm.SetPortName(QStringLiteral("COM2:"));

        ASSERT_TRUE(comm.Open());
        const platform::SerialSettings& s = port.settings;
        EXPECT_EQ(s.baudRate, c.baud);
        EXPECT_EQ(s.byteSize, c.dataBits);
        EXPECT_EQ(s.parity, c.parity);
        EXPECT_EQ(s.stopBits, c.stopBits);
        EXPECT_EQ(s.parityCheck, c.parity != 0);
        EXPECT_TRUE(s.outxCtsFlow && s.outxDsrFlow && s.dtrEnable && s.rtsEnable);
        EXPECT_FALSE(s.dsrSensitivity || s.xonXoffOut || s.xonXoffIn || s.nullStrip || s.abortOnError);
        comm.Close();
    }
}

TEST_F(CommOpenTest, WriteTimeOutMultiplierFollowsBaudRate)
{
    const struct {
        std::uint32_t baud, multiplier;
    } cases[] = {{1200, 16}, {2400, 8}, {9600, 2}, {19200, 1}, {38400, 0}, {115200, 0}, {0, 0}};
    ztest::FakeDevice& port = io.addDevice(QStringLiteral("COM1:"));
    comm.SetPortName(QStringLiteral("COM1:"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        comm.m_nBaudRate = c.baud;
        ASSERT_TRUE(comm.Open());
        EXPECT_EQ(port.timeouts.writeTotalMultiplier, c.multiplier);
        EXPECT_EQ(port.timeouts.writeTotalConstant, 0u);
        EXPECT_EQ(port.timeouts.readInterval, platform::kMaxTimeout);
        EXPECT_EQ(port.timeouts.readTotalMultiplier, 0u);
        EXPECT_EQ(port.timeouts.readTotalConstant, 0u);
    }
}

TEST_F(CommOpenTest, RefusedSerialPortStaysHeldUntilClose)
{
    const struct {
        const char* what;
        std::function<void(ztest::FakeDevice&)> refuse;
        const char* lastCall;
    } cases[] = {
        {"CTS off", [](ztest::FakeDevice& d) { d.modemStatus = platform::kModemDsrOn; }, "getModemStatus()"},
        {"DSR off", [](ztest::FakeDevice& d) { d.modemStatus = platform::kModemCtsOn; }, "getModemStatus()"},
        {"both off", [](ztest::FakeDevice& d) { d.modemStatus = 0; }, "getModemStatus()"},
        {"modem query", [](ztest::FakeDevice& d) { d.failModemStatus = true; }, "getModemStatus()"},
        {"settings read", [](ztest::FakeDevice& d) { d.failGetState = true; }, "getCommState()"},
        {"settings write", [](ztest::FakeDevice& d) { d.failSetState = true; }, "setCommState()"},
        {"time-outs", [](ztest::FakeDevice& d) { d.failSetTimeouts = true; }, "setCommTimeouts()"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ztest::FakeDevice& port = io.addDevice(QStringLiteral("COM4:"));
        c.refuse(port);
        comm.SetPortName(QStringLiteral("COM4:"));

        EXPECT_FALSE(comm.Open());
        EXPECT_EQ(port.calls.last(), QString::fromLatin1(c.lastCall));
        EXPECT_TRUE(io.isOpen(QStringLiteral("COM4:")));
        EXPECT_NE(comm.m_hPort, platform::kNoHandle);

        comm.Close();
        EXPECT_FALSE(io.isOpen(QStringLiteral("COM4:")));
        EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
    }
}

TEST_F(CommOpenTest, PortThatCannotBeOpenedLeavesNoHandle)
{
    for (const char* name : {"COM5:", "LPT3:"}) {
        SCOPED_TRACE(name);
        io.addDevice(QString::fromLatin1(name)).refuseOpen = true;
        comm.SetPortName(QString::fromLatin1(name));
        clock.clearSleeps();

        EXPECT_FALSE(comm.Open());
        EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
        EXPECT_TRUE(clock.sleeps().empty());
    }
}

TEST_F(CommOpenTest, ParallelPortOpensOnlyWhenSelectedAndNothingElse)
{
    const struct {
        std::uint8_t status;
        bool opens;
    } cases[] = {
        {0x80, true},  {0x81, false}, {0x82, false}, {0x84, false}, {0x88, false},
        {0x90, false}, {0xA0, false}, {0xC0, false}, {0x00, false}, {0xFF, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        ztest::FakeDevice& port = io.addDevice(QStringLiteral("LPT1:"));
        port.parallelStatus = c.status;
        comm.SetPortName(QStringLiteral("LPT1:"));

        EXPECT_EQ(comm.Open(), c.opens);
        EXPECT_EQ(io.isOpen(QStringLiteral("LPT1:")), c.opens);
        EXPECT_EQ(comm.m_hPort != platform::kNoHandle, c.opens);
        if (c.opens) {
            EXPECT_EQ(port.calls, (QStringList{"open(Exclusive)", "getParallelStatus()", "purge(0xf)"}));
        }
        comm.Close();
        if (c.opens) {
            EXPECT_EQ(port.calls.mid(3), (QStringList{"purge(0xf)", "close()"}));
        }
    }

    io.addDevice(QStringLiteral("LPT1:")).failParallelStatus = true;
    EXPECT_FALSE(comm.Open());
    EXPECT_FALSE(io.isOpen(QStringLiteral("LPT1:")));
    EXPECT_EQ(comm.m_hPort, platform::kNoHandle);
}

}  // namespace
