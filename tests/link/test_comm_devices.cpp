// The link on the real device layer: a serial port and a USB printer, each a
// pseudo-terminal whose master plays the printer.
#include "LinkFixture.h"

#include "platform/linux/LinuxDeviceIo.h"
#include "platform/linux/LinuxUsbPrinters.h"
#include "core/ModelTable.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

namespace {

constexpr int kWaitMs = 2000;

QByteArray everyByte()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    return bytes;
}

// The link on LinuxDeviceIo; the doubles of LinkTest stay for the clock, the message
// boxes and the exit.
class CommDeviceTest : public LinkTest {
protected:
    ztest::PtyPair line;
    ztest::MemoryProfileStore profile;
    platform::ScopedService<platform::ProfileStore> profileScope{profile};
    platform::LinuxDeviceIo devices;
    platform::ScopedService<platform::DeviceIo> devicesScope{devices};
    CComm link;  // destroyed before the device layer it uses
};

TEST_F(CommDeviceTest, WriteToAPrinterThatStallsDeliversEveryByteExactlyOnce)
{
    platform::LinuxDeviceIo impatient(100);  // gives a stalled line up after 100 ms
    platform::ScopedService<platform::DeviceIo> useImpatient(impatient);
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    CComm port;
    port.SetPortName(QStringLiteral("COM7:"));
    port.m_nBaudRate = 115200;
    ASSERT_TRUE(port.Open());

    QByteArray job(256 * 1024, '\0');
    for (int i = 0; i < job.size(); ++i)
        job[i] = char(i * 7 + i / 251);
    // The printer takes nothing for longer than the write waits, then everything.
    QByteArray received;
    std::thread printer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        received = line.readMaster(int(job.size()), 3000);
        received += line.drainMaster(200);  // nothing may follow
    });
    EXPECT_EQ(port.Write(job.constData(), int(job.size())), 1);
    printer.join();
    EXPECT_EQ(received.size(), job.size());
    EXPECT_TRUE(received == job);
    EXPECT_EQ(process.exitCalls(), 0);
    port.Close();
}

// A UART whose last bytes never leave within the drain wait (its flow control holds them
// for longer than a write waits for a paused printer).
class StuckQueueIo : public platform::LinuxDeviceIo {
public:
    StuckQueueIo() : platform::LinuxDeviceIo(kStallLimitMs, 300) {}

protected:
    int outputQueued(int) override { return 64; }
};

TEST_F(CommDeviceTest, BytesTheDriverTookCountAsWrittenEvenWhenTheyHaveNotLeft)
{
    StuckQueueIo stuck;
    platform::ScopedService<platform::DeviceIo> useStuck(stuck);
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    CComm port;
    port.SetPortName(QStringLiteral("COM7:"));
    port.m_nBaudRate = 115200;
    ASSERT_TRUE(port.Open());
    clock.clearSleeps();

    const QByteArray job = everyByte().repeated(4);
    EXPECT_EQ(port.Write(job.constData(), int(job.size())), 1);
    // No retry: a second copy of the tail would print twice.
    QByteArray got = line.readMaster(int(job.size()), kWaitMs);
    got += line.drainMaster(200);  // nothing may follow
    EXPECT_EQ(got, job);
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_TRUE(alerts.alerts().empty());
    port.Close();
}

TEST_F(CommDeviceTest, SerialFramingTheLineCannotCarryDoesNotOpen)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    link.SetPortName(QStringLiteral("COM7:"));
    link.m_nBaudRate = 9600;
    for (std::uint32_t dataBits : {7u, 8u}) {
        SCOPED_TRACE(dataBits);
        link.m_nDataBits = dataBits;
        link.m_nStopBits = 1;  // one and a half
        EXPECT_FALSE(link.Open());
        link.m_nStopBits = 2;
        EXPECT_TRUE(link.Open());
        link.Close();
    }
}

TEST_F(CommDeviceTest, SerialPortCarriesBytesBothWaysUnchanged)
{
    for (const char* name : {"COM7:", "COM12:"}) {
        SCOPED_TRACE(name);
        const QString key = QString::fromLatin1(name).chopped(1);
        profile.setString(QStringLiteral("Ports"), key, line.slavePath());
        link.SetPortName(QString::fromLatin1(name));
        link.m_nBaudRate = 115200;
        ASSERT_TRUE(link.Open());

        EXPECT_EQ(link.Write(everyByte().constData(), 256), 1);
        EXPECT_EQ(line.readMaster(256, kWaitMs), everyByte());

        ASSERT_TRUE(line.writeMaster(QByteArray("OK\r\n\0\xff", 6)));
        ASSERT_TRUE(line.waitSlaveReadable(kWaitMs));
        char reply[64];
        EXPECT_EQ(QByteArray(reply, link.Read(reply, sizeof reply)), QByteArray("OK\r\n\0\xff", 6));
        link.Close();
    }
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommDeviceTest, SerialReplyLongerThanAskedWaitsForTheNextRead)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    link.SetPortName(QStringLiteral("COM7:"));
    ASSERT_TRUE(link.Open());
    ASSERT_TRUE(line.writeMaster("0123456789"));
    ASSERT_TRUE(line.waitSlaveReadable(kWaitMs));

    char reply[16];
    std::fill(std::begin(reply), std::end(reply), '#');
    EXPECT_EQ(link.Read(reply, 4), 4);
    EXPECT_EQ(QByteArray(reply, 6), QByteArray("0123##"));
    EXPECT_EQ(QByteArray(reply, link.Read(reply, sizeof reply)), QByteArray("456789"));
}

TEST_F(CommDeviceTest, SerialLineHungUpDuringTransferTakesTheFatalPath)
{
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    link.SetPortName(QStringLiteral("COM7:"));
    ASSERT_TRUE(link.Open());
    const QByteArray piece(2048, 'p');
    EXPECT_EQ(link.Write(piece.constData(), piece.size()), 1);
    EXPECT_EQ(line.readMaster(piece.size(), kWaitMs), piece);

    line.closeMaster();
    try {
        link.Write(piece.constData(), piece.size());
        ADD_FAILURE() << "the program did not end";
    } catch (const ztest::ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(alerts.texts(), QStringList{kWriteFailed});
}

// A sysfs tree with one usbmisc printer whose device node is the pseudo-terminal.
class CommUsbDeviceTest : public CommDeviceTest {
protected:
    void SetUp() override
    {
        BuildModelTable();
        _VANTOPRT_INFO* info = nullptr;
        ASSERT_TRUE(g_modelTable.Lookup(QStringLiteral("KX-22"), info));
        ASSERT_TRUE(root.isValid());

        const QString device = root.filePath(QStringLiteral("sys/devices/usb1/1-1"));
        ASSERT_TRUE(QDir().mkpath(device + QStringLiteral("/1-1:1.0")));
        ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("sys/class/usbmisc/lp0"))));
        ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("dev/usb"))));
        writeFile(device + QStringLiteral("/idVendor"), info->m_strVid.toLower() + u'\n');
        writeFile(device + QStringLiteral("/idProduct"), info->m_strPid.toLower() + u'\n');
        writeFile(device + QStringLiteral("/serial"), QStringLiteral("ZX0001\n"));
        serialFile = device + QStringLiteral("/serial");
        ASSERT_TRUE(QFile::link(device + QStringLiteral("/1-1:1.0"),
                                root.filePath(QStringLiteral("sys/class/usbmisc/lp0/device"))));
        ASSERT_TRUE(QFile::link(line.slavePath(), root.filePath(QStringLiteral("dev/usb/lp0"))));

        expectedPath = QStringLiteral("\\\\?\\usb#vid_%1&pid_%2#ZX0001_1-1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}")
                           .arg(info->m_strVid.toLower(), info->m_strPid.toLower());
        link.SetPortName(QStringLiteral("USB"));
    }
    void TearDown() override { ClearModelTable(); }

    static void writeFile(const QString& path, const QString& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    QString serialFile;
    QTemporaryDir root;
    platform::LinuxUsbPrinters printers{root.filePath(QStringLiteral("sys")), root.filePath(QStringLiteral("dev"))};
    platform::ScopedService<platform::UsbPrinters> printersScope{printers};
    QString expectedPath;
};

TEST_F(CommUsbDeviceTest, EachOperationFindsThePrinterAndReleasesIt)
{
    ASSERT_TRUE(link.Open());  // as Connect proves the printer is there
    link.Close();
    EXPECT_EQ(link.Write(everyByte().constData(), 256), 1);
    EXPECT_EQ(line.readMaster(256, kWaitMs), everyByte());
    EXPECT_EQ(link.m_hPort, platform::kNoHandle);
    EXPECT_EQ(QString::fromLatin1(link.m_szUsbPath), expectedPath + QStringLiteral("\\USB0/4"));

    ASSERT_TRUE(line.writeMaster("\x01\x02"));
    ASSERT_TRUE(line.waitSlaveReadable(kWaitMs));
    char reply[8];
    EXPECT_EQ(QByteArray(reply, link.Read(reply, sizeof reply)), QByteArray("\x01\x02"));
    EXPECT_EQ(link.m_hPort, platform::kNoHandle);
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommUsbDeviceTest, PrinterWhoseSerialNumberHoldsOddCharactersIsOpened)
{
    for (const QString& serial : {QStringLiteral("AB}12"), QStringLiteral("C\\D"),
                                 QStringLiteral("caf\u00e9"), QStringLiteral("\u0416\u0416-7")}) {
        SCOPED_TRACE(serial.toStdString());
        writeFile(serialFile, serial + u'\n');
        EXPECT_TRUE(link.Open());
        link.Close();
        EXPECT_EQ(link.Write("~HS", 3), 1);
        EXPECT_EQ(line.readMaster(3, kWaitMs), QByteArray("~HS"));
    }
    EXPECT_TRUE(alerts.alerts().empty());
}

TEST_F(CommUsbDeviceTest, HeldPrinterTakesTheWholeTransferOnOneHandle)
{
    link.m_bUsbHold = true;
    ASSERT_TRUE(link.Open());
    const platform::Handle held = link.m_hPort;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(link.Write(everyByte().constData(), 256), 1);
    EXPECT_EQ(link.m_hPort, held);
    EXPECT_EQ(line.readMaster(1024, kWaitMs), everyByte().repeated(4));

    link.m_bUsbHold = false;
    link.Close();
    EXPECT_EQ(link.m_hPort, platform::kNoHandle);
}

TEST_F(CommUsbDeviceTest, PrinterUnpluggedDuringHeldTransferTakesTheFatalPath)
{
    link.m_bUsbHold = true;
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(link.Write("IS", 2), 1);
    EXPECT_EQ(line.readMaster(2, kWaitMs), QByteArray("IS"));

    line.closeMaster();
    try {
        link.Write("PCX", 3);
        ADD_FAILURE() << "the program did not end";
    } catch (const ztest::ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(alerts.texts(), QStringList{kWriteFailed});
}

}  // namespace
