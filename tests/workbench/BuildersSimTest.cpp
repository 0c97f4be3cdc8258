// The barcode and text builders run through the real tester against the stand-in printer
// on loopback TCP: the lines appended and the bytes the printer received.
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"
#include "workbench/C1D_BarcodeCommand.h"
#include "workbench/C2D_BarcodeCommand.h"
#include "workbench/CFontFinder.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CTextCommand.h"
#include "workbench/CVectorTextCommand.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

using ztest::choose;
using ztest::click;
using ztest::type;

namespace {

constexpr int kInsert = 1120;
constexpr int kTestPrint = 1121;
constexpr int kClose = ui::IDOK;

class BuildersOnTheSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int port = sim.startTcp();
        ASSERT_GT(port, 0);
        ASSERT_TRUE(sim.openLink());
        tester.OnInitDialog();
        tester.m_editCommand->setPlainText("SIZE\n");
    }

    void TearDown() override
    {
        EXPECT_EQ(hooks.pendingScripts(), 0);
        ztest::SimProcess::closeLink();
    }

    QByteArray received(qsizetype count) { return sim.waitForReceived(count); }

    ztest::SimProcess sim;
    ztest::TestClock clock;
    platform::ScopedService<platform::Clock> clockScope{clock};
    ui::TestHooks hooks;
    CQuensa_CmdTesterDlg tester;
};

TEST_F(BuildersOnTheSimulator, InsertTwiceThenCloseAndTestPrintEachBuilder)
{
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        choose(d, 1234, 1);  // Code128
        type(d, 1246, "ZEN-001");
        click(d, kTestPrint);
        click(d, kInsert);
    });
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) {
        click(d, 1243);  // Q-Zone
        type(d, 1230, "250.5");
        click(d, kInsert);
    });
    hooks.scriptDialog<C1D_BarcodeCommand>([](C1D_BarcodeCommand& d) { click(d, kClose); });
    click(tester, 1078);

    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        choose(d, 1250, 2);  // QR Code
        choose(d, 1263, 2);  // Q
        d.item<QPlainTextEdit>(1273)->setPlainText("Zentrova \u00e9t\u00e9");
        click(d, kTestPrint);
        click(d, kInsert);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) {
        choose(d, 1257, 1);  // Model 2
        click(d, kInsert);
    });
    hooks.scriptDialog<C2D_BarcodeCommand>([](C2D_BarcodeCommand& d) { click(d, kClose); });
    click(tester, 1080);

    hooks.scriptDialog<CTextCommand>([](CTextCommand& d) {
        choose(d, 1284, 5);
        click(d, kTestPrint);
        click(d, kInsert);
    });
    hooks.scriptDialog<CTextCommand>([](CTextCommand& d) {
        choose(d, 1291, 1);
        type(d, 1294, "second");
        click(d, kInsert);
    });
    // The font finder opens inside the builder; its comparison label goes out as well.
    hooks.scriptDialog<CTextCommand>([](CTextCommand& d) {
        click(d, 1295);
        click(d, kClose);
    });
    hooks.scriptDialog<CFontFinder>([](CFontFinder& d) {
        click(d, 1335);
        click(d, 1339);
        click(d, 1340);
        click(d, kClose);
    });
    click(tester, 1076);

    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        type(d, 1319, "-5");
        click(d, kTestPrint);
        click(d, kInsert);
    });
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) {
        choose(d, 1325, 1);
        click(d, kInsert);
    });
    hooks.scriptDialog<CVectorTextCommand>([](CVectorTextCommand& d) { click(d, kClose); });
    click(tester, 1414);

    const QString label = QStringLiteral("QUORVIN BRESSANT Label Printer");
    EXPECT_EQ(tester.m_strCommand,
              QStringLiteral("SIZE\r\n"
                             "B1100,100,1,2,7,100,0,1,'ZEN-001'\r\n"
                             "B1250,100,1,2,7,100,0,1,12,'ZEN-001'\r\n"
                             "B2100,100,Q,1,Q,4,0,'Zentrova \u00e9t\u00e9'\r\n"
                             "B2100,100,Q,2,Q,4,0,'Zentrova \u00e9t\u00e9'\r\n"
                             "T20,20,5,1,1,0,0,N,N,'") +
                  label + "'\r\nT20,20,5,1,1,0,1,N,N,'second'\r\nV20,20,U,35,35,-5,N,N,N,0,L,0,'" +
                  label + "'\r\nV20,20,U,35,35,-5,N,N,N,0,C,0,'" + label + "'\r\n");
    EXPECT_EQ(tester.GetDlgItemText(1056), tester.m_strCommand);

    // The 2D builder's data goes out in the ANSI code page.
    const QByteArray expected =
        QByteArray("B1100,100,1,2,7,100,0,1,'ZEN-001'\rP1\r"
                   "B2100,100,Q,1,Q,4,0,'Zentrova ") +
        platform::codePage().fromWide(QStringLiteral("\u00e9t\u00e9")) +
        "'\rP1\r"
        "T20,20,5,1,1,0,0,N,N,'QUORVIN BRESSANT Label Printer'\rP1\r"
        "SL600,0,C\rT50,50,0,3,3,0,0,N,N,'TEST148'\rT50,350,5,1,1,0,0,N,N,'TEST148'\rP1\r"
        "V20,20,U,35,35,-5,N,N,N,0,L,0,'QUORVIN BRESSANT Label Printer'\rP1\r";
    EXPECT_EQ(received(expected.size()), expected);
    EXPECT_TRUE(hooks.messages().empty());
}

}  // namespace
