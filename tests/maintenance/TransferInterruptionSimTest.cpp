// The file transfer and the picture download, through the real windows, against the
// stand-in printer over loopback TCP and a pseudo-terminal, with the shipped limits and the
// real clock: a printer that stops reading for a while (a paper change) gets every byte
// once, and one that hangs up midway gets a failure message and nothing more in that press.
#include "link/Comm.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/CPcxFileDownloaderDlg.h"
#include "maintenance/CPcxImageDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "TransferFixture.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using ztest::click;

constexpr qsizetype kMiB = 1 << 20;
// Longer than any of the link's own short limits: the send's 10 s, the device's 5 s.
constexpr int kPaperChangeMs = 30000;

// The operator reads each message for a second before confirming it.
class SlowOperator : public platform::Alerts {
public:
    void show(const QString& text, platform::AlertIcon icon) override
    {
        messages.push_back({text, icon, {}});
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    std::vector<ui::RecordedMessage> messages;
};

// Bytes no image library reads (so the picture download sends them as they are) and in
// which no command of the printer's can start by chance.
QByteArray job(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('a' + random.bounded(26));
    return bytes;
}

class TransferInterruptionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        g_comm.m_bUsbHold = false;
        if (g_comm.m_nPortType == PORT_ETHERNET)
            ztest::SimProcess::closeLink();
        else
            g_comm.Close();
    }

    void openTcp(const QStringList& simArguments)
    {
        ASSERT_GT(sim.startTcp(simArguments), 0);
        ASSERT_TRUE(sim.openLink());
    }

    // The stand-in printer on a pseudo-terminal, reached as COM7: at 115200 baud.
    void openSerial(const QStringList& simArguments)
    {
        const QString path = sim.startPty(simArguments);
        ASSERT_FALSE(path.isEmpty());
        profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), path);
        g_comm.SetPortName(QStringLiteral("COM7:"));
        g_comm.m_nBaudRate = 115200;
        ASSERT_TRUE(g_comm.Open());
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    // One DownLoad press of the file transfer; false when it ended the program.
    bool sendFile(CFileTransferDlg& window)
    {
        try {
            click(window, IDC_DOWNLOAD);
            return true;
        } catch (const ztest::ProcessExit&) {
            return false;
        }
    }

    void choosePicture(CPcxFileDownloaderDlg& window, const QString& path)
    {
        hooks.answerFileDialog(path);
        hooks.scriptDialog<CPcxImageDlg>([](CPcxImageDlg& preview) { click(preview, ui::IDOK); });
        click(window, IDC_SELECT_FILE);
    }

    bool downloadPicture(CPcxFileDownloaderDlg& window)
    {
        try {
            click(window, IDC_DOWNLOAD);
            return true;
        } catch (const ztest::ProcessExit&) {
            return false;
        }
    }

    // What the printer has taken by the time it holds `count` bytes, or after `ms`.
    QByteArray waitForReceived(qsizetype count, int ms, const QString& peer = QString())
    {
        const QDeadlineTimer deadline(ms);
        QByteArray bytes = sim.receivedBytes(peer);
        while (bytes.size() < count && !deadline.hasExpired()) {
            QThread::msleep(100);
            bytes = sim.receivedBytes(peer);
        }
        return bytes;
    }

    QStringList texts() const { return ztest::messageTexts(hooks); }

    // The file the printer wrote for the picture it stored under `name`.
    QString storedPicture(const QString& name) const
    {
        const QDir dumps(dir.filePath("dumps"));
        return dumps.filePath(dumps.entryList({name + ".*"}).value(0));
    }

    QTemporaryDir dir;
    ztest::MemoryProfileStore profile;
    platform::LinuxDeviceIo io;  // the shipped limits
    ztest::TestClock clock;
    ztest::FakeProcess process;
    TestFolders folders{dir.path()};
    platform::ScopedService<platform::ProfileStore> profileScope{profile};
    platform::ScopedService<platform::DeviceIo> ioScope{io};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Process> processScope{process};
    platform::ScopedService<platform::Folders> foldersScope{folders};
    ui::TestHooks hooks;
    ztest::SimProcess sim;
};

TEST_F(TransferInterruptionTest, TcpFileTransferWaitsOutAPaperChange)
{
    openTcp({"--pause-after", QString::number(kMiB), "--pause-ms", QString::number(kPaperChangeMs)});
    const QByteArray file = job(8 * kMiB, 1);
    CFileTransferDlg window;
    window.OnInitDialog();
    hooks.answerFileDialog(write("job.prn", file));
    click(window, IDC_SELECT_FILE);

    ASSERT_TRUE(sendFile(window));
    EXPECT_EQ(texts(), QStringList{"File download is completed."});
    const QByteArray received = waitForReceived(file.size(), 60000);
    EXPECT_EQ(received.size(), file.size());
    EXPECT_TRUE(received == file);
    EXPECT_FALSE(sim.log().contains("tcp#2"));
}

TEST_F(TransferInterruptionTest, SerialPictureDownloadWithoutWriteTimeOutsWaitsOutAPaperChange)
{
    openSerial({"--dump-dir", dir.filePath("dumps"), "--pause-after", "300000", "--pause-ms",
                QString::number(kPaperChangeMs)});
    const QByteArray picture = job(kMiB, 2);
    CPcxFileDownloaderDlg window;
    window.OnInitDialog();
    choosePicture(window, write("junk.pcx", picture));

    ASSERT_TRUE(downloadPicture(window)) << "the download ended the program";
    EXPECT_EQ(texts(), QStringList{"PCX file download is completed."});
    ASSERT_TRUE(sim.waitForLog("picture printed: 'junk' 1 label(s)", 20000)) << sim.log().right(600).toStdString();
    QFile stored(storedPicture("junk"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll() == picture);
    const QByteArray received = sim.receivedBytes();
    EXPECT_EQ(received.count("IS"), 1);  // nothing went twice
}

TEST_F(TransferInterruptionTest, SerialFileTransferKeepsWhatThePrinterHasNotTakenWhenThePortReopens)
{
    // The printer stops with 10 KiB still to come; the operator confirms the message after a
    // second, long before it reads on, and the port is opened again meanwhile.
    const qsizetype size = 256 * 1024;
    openSerial({"--pause-after", QString::number(size - 10 * 1024), "--pause-ms", "10000"});
    SlowOperator operatorReading;
    platform::ScopedService<platform::Alerts> alertsScope(operatorReading);
    const QByteArray file = job(size, 3);
    CFileTransferDlg window;
    window.OnInitDialog();
    hooks.answerFileDialog(write("job.prn", file));
    click(window, IDC_SELECT_FILE);

    ASSERT_TRUE(sendFile(window)) << "the transfer ended the program";
    ASSERT_EQ(operatorReading.messages.size(), 1u);
    EXPECT_EQ(operatorReading.messages[0].text, "File download is completed.");
    EXPECT_EQ(operatorReading.messages[0].icon, platform::AlertIcon::Information);
    const QByteArray received = waitForReceived(file.size(), 60000);
    EXPECT_EQ(received.size(), file.size());
    EXPECT_TRUE(received == file);
}

TEST_F(TransferInterruptionTest, TcpFileTransferCutOffByAHangUpFailsAndTheNextPressSendsItAll)
{
    openTcp({"--hang-up-after", "100000"});
    const QByteArray file = job(8 * kMiB, 4);
    CFileTransferDlg window;
    window.OnInitDialog();
    hooks.answerFileDialog(write("job.prn", file));
    click(window, IDC_SELECT_FILE);

    ASSERT_TRUE(sendFile(window));
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "File download is failed.");
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    ASSERT_TRUE(sim.waitForLog("hangs up after 100000 bytes"));
    EXPECT_FALSE(sim.log().contains("tcp#2")) << "the press went on over a second connection";

    hooks.clearMessages();
    ASSERT_TRUE(sendFile(window));
    EXPECT_EQ(texts(), QStringList{"File download is completed."});
    const QByteArray received = waitForReceived(file.size(), 60000, QStringLiteral("tcp#2"));
    EXPECT_EQ(received.size(), file.size());
    EXPECT_TRUE(received == file);
}

TEST_F(TransferInterruptionTest, TcpPictureStoreCutOffByAHangUpFailsAndIsNeverPrinted)
{
    // Larger than the loopback buffers hold, so the hang-up meets the store's own send.
    openTcp({"--dump-dir", dir.filePath("dumps"), "--hang-up-after", "50000"});
    const QByteArray picture = job(8 * kMiB, 5);
    CPcxFileDownloaderDlg window;
    window.OnInitDialog();
    choosePicture(window, write("junk.pcx", picture));

    ASSERT_TRUE(downloadPicture(window));
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "PCX file download is failed.");
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    ASSERT_TRUE(sim.waitForLog("hangs up after 50000 bytes"));
    QThread::msleep(200);  // anything still on its way is logged by now
    const QByteArray firstPress = sim.log();
    EXPECT_FALSE(firstPress.contains("tcp#2")) << "the press went on over a second connection";
    EXPECT_FALSE(firstPress.contains("picture recalled"));
    EXPECT_FALSE(firstPress.contains("picture printed"));

    hooks.clearMessages();
    ASSERT_TRUE(downloadPicture(window));
    EXPECT_EQ(texts(), QStringList{"PCX file download is completed."});
    ASSERT_TRUE(sim.waitForLog("picture printed: 'junk' 1 label(s)", 10000));
    EXPECT_TRUE(sim.log().contains("tcp#2 picture stored: 'junk' 8388608 bytes"));
    QFile stored(storedPicture("junk"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll() == picture);
}

}  // namespace
