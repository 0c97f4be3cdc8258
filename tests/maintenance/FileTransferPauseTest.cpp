// The file transfer over a real pseudo-terminal whose reader stops in the middle, as a
// printer does for a paper change or its pause button: the pieces get the time the
// transfer's own time-outs give them, and every byte arrives exactly once.
#include "core/ModelTable.h"
#include "link/Comm.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

// Far below the device layer's own stall limit, so the pause need not be long to outlast
// it and every retry the link makes after it.
constexpr int kStallLimitMs = 100;
constexpr int kPauseMs = 8 * kStallLimitMs;

// The operator, who reads the closing message while the printer takes in what is still on
// its way; only then does the transfer re-open the port (which clears the line).
class OperatorReading : public platform::Alerts {
public:
    explicit OperatorReading(std::shared_future<void> printerDone) : m_printerDone(std::move(printerDone)) {}
    void show(const QString& text, platform::AlertIcon) override
    {
        texts << text;
        m_printerDone.wait_for(std::chrono::seconds(10));
    }
    QStringList texts;

private:
    std::shared_future<void> m_printerDone;
};

TEST(FileTransferPauseTest, PrinterThatStopsReadingForAWhileGetsEveryByteOnce)
{
    ztest::PtyPair line;
    ztest::MemoryProfileStore profile;
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    platform::LinuxDeviceIo io(kStallLimitMs);
    ztest::TestClock clock;
    ztest::FakeProcess process;
    platform::ScopedService<platform::ProfileStore> profileScope(profile);
    platform::ScopedService<platform::DeviceIo> ioScope(io);
    platform::ScopedService<platform::Clock> clockScope(clock);
    platform::ScopedService<platform::Process> processScope(process);
    ui::TestHooks hooks;

    g_comm.SetPortName(QStringLiteral("COM7:"));
    g_comm.m_nBaudRate = 115200;
    ASSERT_TRUE(g_comm.Open());

    // More than the pseudo-terminal holds, so the transfer runs into the pause; the first
    // byte marks no text encoding.
    QByteArray job(1 << 20, '\0');
    for (qsizetype i = 0; i < job.size(); ++i)
        job[i] = char('A' + (i * 7 + i / 4093) % 26);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("job.prn"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(job), job.size());
    }

    QByteArray received;
    std::promise<void> done;
    OperatorReading alerts(done.get_future().share());
    platform::ScopedService<platform::Alerts> alertsScope(alerts);
    std::thread printer([&] {
        received = line.readMaster(64 * 1024, 5000);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));  // the paper change
        received += line.readMaster(int(job.size() - received.size()), 10000);
        done.set_value();
    });

    CFileTransferDlg dlg;
    dlg.OnInitDialog();
    hooks.answerFileDialog(path);
    ztest::click(dlg, IDC_SELECT_FILE);
    try {
        ztest::click(dlg, IDC_DOWNLOAD);
    } catch (const ztest::ProcessExit&) {
        ADD_FAILURE() << "the transfer ended the program";
    }
    printer.join();

    EXPECT_EQ(alerts.texts.join(u'|').toStdString(), "File download is completed.");
    EXPECT_EQ(received.size(), job.size());
    EXPECT_TRUE(received == job);
    EXPECT_EQ(line.drainMaster(50), QByteArray());  // nothing sent twice
    g_comm.Close();
}

}  // namespace
