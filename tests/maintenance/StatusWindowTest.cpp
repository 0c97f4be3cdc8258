// The status window and its pages on a fake serial printer.
#include "tests/workbench/WorkbenchFixture.h"

#include "maintenance/CCheckPrinterStatusTabCtrl.h"
#include "maintenance/CCheckPrinterStatusTabDlg.h"
#include "maintenance/CStatusCmdPage.h"
#include "maintenance/StatusCommands.h"

#include <QCheckBox>
#include <QTabBar>

namespace {

const QString kReadFail = QStringLiteral("Status Data Read Fail!");

class StatusWindowTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        window.OnInitDialog();
    }

    CStatusCmdPage& page(int index) { return *window.m_tabCtrl->m_pPage[index]; }

    // The captions of the page's ticked boxes, in box order.
    QStringList ticked(CStatusCmdPage& p)
    {
        const QStringList captions = status::BoxCaptions(p.query());
        QStringList out;
        for (int i = 0; i < captions.size(); ++i) {
            auto* box = p.item<QCheckBox>(p.firstBoxId() + i);
            EXPECT_NE(box, nullptr) << i;
            EXPECT_EQ(box->text(), captions[i]);
            if (box->isChecked())
                out << captions[i];
        }
        return out;
    }

    void query(CStatusCmdPage& p, const QByteArray& reply)
    {
        printer->replies = {reply};
        printer->written.clear();
        clock.clearSleeps();
        click(p, p.buttonId());
    }

    CCheckPrinterStatusTabDlg window;
};

TEST_F(StatusWindowTest, OpensOnTheCpTabWithTwoTabsAndFourPages)
{
    EXPECT_EQ(window.windowTitle(), "Check Printer Status");
    EXPECT_EQ(window.GetDlgItemText(ui::IDOK), "Close");
    ui::TabStrip& tabs = *window.m_tabCtrl;
    ASSERT_EQ(tabs.itemCount(), 2);
    EXPECT_EQ(tabs.tabBar()->tabText(0), "^cp Command");
    EXPECT_EQ(tabs.tabBar()->tabText(1), "^cu Command");
    const char* buttons[] = {"^CP Command Test", "^CU Command Test", "^ee Command Test",
                             "CPS Command Test"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page(i).parentWidget(), &window);
        EXPECT_EQ(page(i).isVisibleTo(&window), i == 0) << i;
        EXPECT_EQ(text(page(i), page(i).buttonId()), buttons[i]);
        EXPECT_TRUE(ticked(page(i)).isEmpty());
    }
    EXPECT_TRUE(printer->written.isEmpty());

    tabs.tabBar()->setCurrentIndex(1);
    EXPECT_FALSE(page(0).isVisibleTo(&window));
    EXPECT_TRUE(page(1).isVisibleTo(&window));
    EXPECT_EQ(page(1).geometry(), page(0).geometry());
    EXPECT_TRUE(printer->written.isEmpty());
}

TEST_F(StatusWindowTest, CpAndCuQueriesTickTheReportedConditions)
{
    query(page(0), QByteArray("\xc0\xa0", 2));
    EXPECT_EQ(printer->written, "^cp\r");
    ASSERT_FALSE(clock.sleeps().empty());
    EXPECT_EQ(clock.sleeps().front(), 50);
    EXPECT_EQ(ticked(page(0)),
              (QStringList{"Paper Empty", "Cover Open", "On Building label", "Issued label is paused"}));
    query(page(0), QByteArray("\0\0", 2));
    EXPECT_EQ(ticked(page(0)), QStringList{"Status OK"});
    query(page(0), QByteArray("\0\x10", 2));
    EXPECT_TRUE(ticked(page(0)).isEmpty());

    query(page(1), QByteArray("\x04", 1));
    EXPECT_EQ(printer->written, "^cu\r");
    EXPECT_EQ(ticked(page(1)), QStringList{"Ribbon End Error"});
    query(page(1), QByteArray("\0", 1));
    EXPECT_EQ(ticked(page(1)), QStringList{"Status OK"});
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(StatusWindowTest, ShortReplyKeepsTheTicksAndAHandTickLastsUntilTheNextQuery)
{
    query(page(0), QByteArray("\x80\0", 2));
    page(0).CheckDlgButton(page(0).firstBoxId() + 9, true);  // "Status OK" by hand
    printer->replies = {QByteArray("\x40", 1), QByteArray("\x40", 1)};
    click(page(0), page(0).buttonId());
    EXPECT_EQ(messageTexts(), QStringList{kReadFail});
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    EXPECT_TRUE(printer->replies.empty());  // the late byte went to the drain
    EXPECT_EQ(ticked(page(0)), (QStringList{"Paper Empty", "Status OK"}));

    hooks.clearMessages();
    query(page(0), QByteArray());
    EXPECT_EQ(messageTexts(), QStringList{kReadFail});
    EXPECT_EQ(ticked(page(0)), (QStringList{"Paper Empty", "Status OK"}));

    query(page(0), QByteArray("\0\x40", 2));
    EXPECT_EQ(ticked(page(0)), QStringList{"On Printing label"});
}

TEST_F(StatusWindowTest, PagesWithoutATabWorkWhenShown)
{
    query(page(2), "09\r\n");
    EXPECT_EQ(printer->written, "^ee\r");
    EXPECT_EQ(clock.sleeps().front(), 30);
    EXPECT_EQ(ticked(page(2)), QStringList{"Name Not Found"});
    query(page(2), "00\n\r");
    EXPECT_EQ(messageTexts(), QStringList{kReadFail});
    EXPECT_EQ(ticked(page(2)), QStringList{"Name Not Found"});

    query(page(3), QByteArray("\x01", 1));
    EXPECT_EQ(printer->written, "CPS\r");
    EXPECT_EQ(ticked(page(3)), QStringList{"Cover Open"});

    // "^ee" is for serial links only.
    io.addDevice(QStringLiteral("LPT1:"));
    g_comm.SetPortName(QStringLiteral("LPT1:"));
    ASSERT_TRUE(g_comm.Open());
    hooks.clearMessages();
    click(page(2), page(2).buttonId());
    EXPECT_EQ(messageTexts(), QStringList{"This Command is applied in Serial Interface only!"});
    EXPECT_TRUE(io.device(QStringLiteral("LPT1:")).written.isEmpty());
}

}  // namespace
