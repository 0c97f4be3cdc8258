// The communication window and the test printers against the stand-in printer on loopback
// TCP: what the printer received and logged, and what the window shows.
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"
#include "workbench/CCharacterSetCommand.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CZII_TwobytesCodeDlg.h"
#include "workbench/CharacterSetCommands.h"
#include "workbench/CommunicationDlgIds.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace comm_dlg;
using ztest::click;

namespace {

class CommunicationOnTheSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int port = sim.startTcp();
        ASSERT_GT(port, 0);
        ASSERT_TRUE(sim.openLink());
    }

    void TearDown() override
    {
        ztest::SimProcess::closeLink();
    }

    QByteArray received(qsizetype count) { return sim.waitForReceived(count); }

    ztest::SimProcess sim;
    ztest::TestClock clock;
    platform::ScopedService<platform::Clock> clockScope{clock};
    ui::TestHooks hooks;
};

TEST_F(CommunicationOnTheSimulator, SendsATextAndReadShowsTheAnswerInBothViews)
{
    CCommunicationDlg window;
    window.OnInitDialog();
    window.item<QPlainTextEdit>(IDC_SEND_EDIT)->setPlainText("^PI0\n");
    click(window, IDC_SEND);
    EXPECT_EQ(received(6), "^PI0\r\n");

    click(window, IDC_READ);
    EXPECT_EQ(window.GetDlgItemText(IDC_RECEIVED), "K X - 2\t1 . . ");
    click(window, IDC_HEX);
    EXPECT_EQ(window.GetDlgItemText(IDC_RECEIVED), "4b 58 2d 32\t31 0d 0a ");
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CommunicationOnTheSimulator, TestPrintersReachThePrinterWhole)
{
    CCharacterSetCommand charset;
    charset.OnInitDialog();
    charset.item<QLineEdit>(1016)->setText("2");  // V Multi
    click(charset, 1025);                          // Under 80H
    ASSERT_TRUE(sim.waitForLog("character set 0, code table 0"));

    CZII_TwobytesCodeDlg zpl;
    zpl.OnInitDialog();
    zpl.item<QLineEdit>(twobyte_dlg::IDC_START_BLOCK)->setText("B0");
    zpl.item<QLineEdit>(twobyte_dlg::IDC_END_BLOCK)->setText("B1");
    click(zpl, twobyte_dlg::IDC_PRINT_CHARACTERS);

    const auto& ks = twobyte::CodePageAt(0);
    const QByteArray labels = twobyte::ZplLabel(ks, 0xB0, "35", "35") +
                              twobyte::ZplLabel(ks, 0xB1, "35", "35");
    const QByteArray expected = "SW780\rCS0,0\rT20,20,3,2,1,10,0,N,N,'" +
                                ostrel::CodesUnder80H() + "'\rP1\rSW830\r" + labels;
    EXPECT_EQ(received(expected.size()), expected);
    EXPECT_TRUE(hooks.messages().empty());
}

}  // namespace
