// The calibration, status and printer-tool windows against the stand-in printer: the
// calibration over a pseudo-terminal (it is refused on TCP), the others over loopback TCP.
#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/CCalibrationTabCtrl.h"
#include "maintenance/CCalibrationTabDialog.h"
#include "maintenance/CCalibration_2.h"
#include "maintenance/CCheckPrinterStatusTabCtrl.h"
#include "maintenance/CCheckPrinterStatusTabDlg.h"
#include "maintenance/CPrinterTool_ZII_Dlg.h"
#include "maintenance/CStatusCmdPage.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"

#include <QCheckBox>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

using ztest::click;

namespace {

// Records the fixed waits like the test clock, but a wait of the protocol lets the stand-in
// printer answer first: it returns once the simulator has logged the reply (bounded).
class SimClock : public ztest::TestClock {
public:
    void sleep(int milliseconds) override
    {
        ztest::TestClock::sleep(milliseconds);
        if (milliseconds >= kProtocolWaitMs && beforeRead)
            beforeRead();
    }
    static constexpr int kProtocolWaitMs = 30;
    std::function<void()> beforeRead;
};

class MaintenanceSimTest : public ::testing::Test {
protected:
    void SetUp() override { g_menuMode = 1; }
    void TearDown() override
    {
        ztest::SimProcess::closeLink();
    }

    void connectTcp(int port)
    {
        ASSERT_GT(port, 0);
        ASSERT_TRUE(sim.openLink());
    }

    ztest::MemoryProfileStore profile;
    SimClock clock;
    ztest::FakeProcess process;
    platform::ScopedService<platform::ProfileStore> profileScope{profile};
    platform::ScopedService<platform::Clock> clockScope{clock};
    platform::ScopedService<platform::Process> processScope{process};
    ui::TestHooks hooks;
    ztest::SimProcess sim;
};

TEST_F(MaintenanceSimTest, CalibrationOverAPseudoTerminalSavesTheProposedThreshold)
{
    const QString pty = sim.startPty({"--sensing", "gap"});
    ASSERT_FALSE(pty.isEmpty());
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM4"), pty);
    g_comm.SetPortName(QStringLiteral("COM4:"));
    g_comm.m_nBaudRate = 115200;
    ASSERT_TRUE(g_comm.Open());
    clock.clearSleeps();
    clock.beforeRead = [this] {
        ASSERT_TRUE(sim.waitForLog("pty sent 64 bytes"));
        QThread::msleep(20);  // the line passes the bytes on to the slave side
    };

    QString proposed;
    hooks.scriptDialog<CCalibrationTabDialog>([&](CCalibrationTabDialog& window) {
        auto& page = *static_cast<CCalibration_2*>(window.m_tabCtrl->m_pPage[1]);
        click(page, 1152);
        proposed = page.GetDlgItemText(1384);
        EXPECT_TRUE(page.GetDlgItem(1154)->isEnabled());
        EXPECT_EQ(page.GetDlgItemText(1353), "1200");
        click(page, 1154);
        click(window, ui::IDOK);
    });
    CCalibrationTabDialog window;
    EXPECT_EQ(window.DoModal(), ui::IDOK);

    EXPECT_EQ(proposed, "352");
    EXPECT_TRUE(hooks.messages().empty());
    EXPECT_EQ(clock.sleeps().front(), 4800);
    EXPECT_TRUE(sim.waitForLog("calibration: saved threshold 352, gap count 7"));
    EXPECT_TRUE(sim.log().contains("calibration: sensing request, 1200 dots, gap sensing"));
}

TEST_F(MaintenanceSimTest, StatusQueriesOverTcpTickWhatThePrinterReports)
{
    connectTcp(sim.startTcp({"--status", "paper-out,head-open,paused"}));
    hooks.scriptDialog<CCheckPrinterStatusTabDlg>([&](CCheckPrinterStatusTabDlg& window) {
        CStatusCmdPage& cp = *window.m_tabCtrl->m_pPage[0];
        CStatusCmdPage& cu = *window.m_tabCtrl->m_pPage[1];
        click(cp, cp.buttonId());
        click(cu, cu.buttonId());
        QStringList ticked;
        for (CStatusCmdPage* page : {&cp, &cu}) {
            for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
                if (box->isChecked())
                    ticked << box->text();
            }
        }
        EXPECT_EQ(ticked, (QStringList{"Paper Empty", "Cover Open", "Issued label is paused",
                                       "Paper Empty", "Cover Open"}));
        click(window, ui::IDOK);
    });
    CCheckPrinterStatusTabDlg window;
    EXPECT_EQ(window.DoModal(), ui::IDOK);
    EXPECT_TRUE(hooks.messages().empty());
    EXPECT_TRUE(sim.waitForLog("status: ^cu query answered c0"));
    EXPECT_TRUE(sim.log().contains("status: ^cp query answered c0 20"));
}

TEST_F(MaintenanceSimTest, PrinterToolsOverTcpReachThePrinter)
{
    connectTcp(sim.startTcp());
    hooks.scriptDialog<CPrinterTool_ZII_Dlg>([&](CPrinterTool_ZII_Dlg& tools) {
        for (int id : {1201, 1202, 1203, 1204, 1205})
            click(tools, id);
        click(tools, ui::IDOK);
    });
    CPrinterTool_ZII_Dlg tools;
    EXPECT_EQ(tools.DoModal(), ui::IDOK);

    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "Not supported on Ethernet connection.");
    EXPECT_TRUE(sim.waitForLog("maintenance: factory settings restored"));
    const QByteArray log = sim.log();
    EXPECT_TRUE(log.contains("maintenance: configuration label printed"));
    EXPECT_TRUE(log.contains("maintenance: object list of \"*:*.*\" printed"));
    EXPECT_TRUE(log.contains("maintenance: media calibrated"));
    EXPECT_FALSE(log.contains("diagnostics"));
}

}  // namespace
