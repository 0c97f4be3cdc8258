// The user-setting window: its page set, the tab strip, and "Close" against the close box on
// the menu page that opened it.
#include "tests/shell/test_main_dialog_fixture.h"

#include "maintenance/CHardwareInfoSetting.h"
#include "maintenance/CLanguageSetting.h"
#include "maintenance/CPrinterInfo.h"
#include "maintenance/CPrinterPageSetting.h"
#include "maintenance/CSerialSetting.h"
#include "maintenance/CExtendTabCtrl.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "shell/CZentrovaApp.h"
#include "tests/support/FakeDeviceIo.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>

namespace {

// Parameter cases print as their names in test listings.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

QStringList tabTitles(const CUserSettingDialog& d)
{
    QStringList titles;
    for (int i = 0; i < d.m_tabCtrl->itemCount(); ++i)
        titles << d.m_tabCtrl->tabBar()->tabText(i);
    return titles;
}

void pressTab(CExtendTabCtrl& tabs, int index)
{
    const QPoint at = tabs.tabBar()->tabRect(index).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, tabs.tabBar()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs.tabBar(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, tabs.tabBar()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tabs.tabBar(), &release);
}

class UserSettingDialogTest : public shelltest::ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        io.addDevice(QStringLiteral("COM1:"));
        g_comm.SetPortName(QStringLiteral("COM1:"));
        ASSERT_TRUE(g_comm.Open());
    }

    std::set<int> enabledMenuButtons() const
    {
        std::set<int> ids;
        for (int id : {1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073, 1076, 1077}) {
            if (QAbstractButton* b = pageButton(1, id); b && b->isEnabled())
                ids.insert(id);
        }
        return ids;
    }

    ztest::FakeDeviceIo io;
    platform::ScopedService<platform::DeviceIo> ioScope{io};
};

struct PageSetCase {
    const char* name;
    int menuMode;
    const char* language;
    const char* model;  // nullptr: a record with the clock flag and family 201
    QStringList titles;
};

class PageSetTest : public UserSettingDialogTest,
                    public ::testing::WithParamInterface<PageSetCase> {};

TEST_P(PageSetTest, TitlesAndPagesFollowTheMenuModeTheLanguageAndTheRecord)
{
    _VANTOPRT_INFO clockAnd201;
    clockAnd201.m_nMenuViewId = 201;
    clockAnd201.m_bRtc = 1;
    g_menuMode = GetParam().menuMode;
    g_language = QString::fromLatin1(GetParam().language);
    g_curModelInfo = GetParam().model ? record(QString::fromLatin1(GetParam().model)) : &clockAnd201;

    CUserSettingDialog d;
    d.OnInitDialog();
    EXPECT_EQ(d.windowTitle(), "User Setting Manager");
    EXPECT_EQ(tabTitles(d), GetParam().titles);
    CExtendTabCtrl& tabs = *d.m_tabCtrl;
    ASSERT_EQ(tabs.m_nPageCount, GetParam().titles.size());
    for (int i = 0; i < tabs.m_nPageCount; ++i) {
        EXPECT_EQ(tabs.m_pPage[i]->parentWidget(), &tabs) << i;
        EXPECT_EQ(tabs.m_pPage[i]->isVisibleTo(&d), i == 0) << i;
    }
    if (GetParam().menuMode == 1) {
        EXPECT_NE(dynamic_cast<CUserSetting_ZII_BasicTab*>(tabs.m_pPage[1].get()), nullptr);
        EXPECT_NE(dynamic_cast<CUserSetting_ZII_AdvancedTab*>(tabs.m_pPage[2].get()), nullptr);
    } else {
        EXPECT_NE(dynamic_cast<CSerialSetting*>(tabs.m_pPage[0].get()), nullptr);
        EXPECT_NE(dynamic_cast<CLanguageSetting*>(tabs.m_pPage[1].get()), nullptr);
        EXPECT_NE(dynamic_cast<CPrinterPageSetting*>(tabs.m_pPage[2].get()), nullptr);
        EXPECT_NE(dynamic_cast<CHardwareInfoSetting*>(tabs.m_pPage[3].get()), nullptr);
        EXPECT_NE(dynamic_cast<CPrinterInfo*>(tabs.m_pPage[4].get()), nullptr);
    }
    EXPECT_TRUE(io.device(QStringLiteral("COM1:")).writes.empty());  // opening sends nothing
}

const QStringList kDovraTabs = {"Interface", "Basic", "Advanced", "Others"};

INSTANTIATE_TEST_SUITE_P(
    Rule, PageSetTest,
    ::testing::Values(
        PageSetCase{"Dovra101", 1, "Dovra", "KX-21", kDovraTabs},
        PageSetCase{"DovraClockModel", 1, "Dovra", "RN-5", kDovraTabs},
        PageSetCase{"Keft201", 1, "KEFT", "KX-30", kDovraTabs + QStringList{"Power"}},
        PageSetCase{"OstrelClock101", 1, "Ostrel", "RN-5",
                    {"Interface", "Basic", "Advanced", "Real-Time Clock", "Language", "Others"}},
        PageSetCase{"Ostrel201", 1, "Ostrel", "KX-30",
                    {"Interface", "Basic", "Advanced", "Language", "Others", "Power"}},
        PageSetCase{"OstrelClockAnd201", 1, "Ostrel", nullptr,
                    {"Interface", "Basic", "Advanced", "Real-Time Clock", "Language", "Others",
                     "Power"}},
        PageSetCase{"MenuModeZero", 0, "Ostrel", "KX-30",
                    {"Interface", "Language", "Print && Page", "Hardware Info", "Printer Info"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UserSettingDialogTest, TheClickedTabShowsItsPageUnderTheTabs)
{
    g_language = QStringLiteral("Ostrel");
    g_curModelInfo = record(QStringLiteral("KX-30"));
    CUserSettingDialog d;
    d.OnInitDialog();
    d.resize(d.sizeHint());
    d.show();
    CExtendTabCtrl& tabs = *d.m_tabCtrl;
    const QRect item = tabs.tabBar()->tabRect(0);
    const QRect area = tabs.m_pPage[0]->geometry();
    EXPECT_EQ(area.left(), item.left());
    EXPECT_EQ(area.top(), item.bottom() + 2);
    EXPECT_EQ(area.right(), tabs.width() - 2);
    EXPECT_EQ(area.bottom(), tabs.height() - 2);
    // Six tabs all fit the strip at the window's own size: none hides behind scroll arrows.
    EXPECT_LE(tabs.tabBar()->tabRect(5).right(), tabs.tabBar()->width());

    pressTab(tabs, 2);
    EXPECT_EQ(tabs.m_nCurrentPage, 2);
    EXPECT_FALSE(tabs.m_pPage[0]->isVisible());
    EXPECT_TRUE(tabs.m_pPage[2]->isVisible());
    EXPECT_EQ(tabs.m_pPage[2]->geometry(), area);

    pressTab(tabs, 2);  // the page shown already: nothing changes
    EXPECT_EQ(tabs.m_nCurrentPage, 2);
    EXPECT_TRUE(tabs.m_pPage[2]->isVisible());

    // A tab chosen with the keyboard brings its page as well.
    tabs.tabBar()->setCurrentIndex(5);
    EXPECT_EQ(tabs.m_nCurrentPage, 5);
    EXPECT_TRUE(tabs.m_pPage[5]->isVisible());
    EXPECT_FALSE(tabs.m_pPage[2]->isVisible());
}

struct CloseCase {
    const char* name;
    bool closeButton;
};

class CloseTest : public UserSettingDialogTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, CloseRerunsTheMenuRuleAfterTheSwitchToDovraTheCloseBoxDoesNot)
{
    openDialog();
    g_language = QStringLiteral("Ostrel");
    g_curModelInfo = record(QStringLiteral("RN-5"));
    dlg->UpdateConnectionControls(true);
    CZentrovaApp::m_pMainWnd = dlg.get();
    const std::set<int> allTen = enabledMenuButtons();
    ASSERT_EQ(allTen.size(), 10u);

    int cursorWhileOpen = -1;
    QStringList tabsFirst;
    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
        cursorWhileOpen = ui::WaitCursor::depth();
        tabsFirst = tabTitles(d);
        auto* advanced = dynamic_cast<CUserSetting_ZII_AdvancedTab*>(d.m_tabCtrl->m_pPage[2].get());
        ASSERT_NE(advanced, nullptr);
        advanced->item<QAbstractButton>(1086)->click();  // no reply: "Dovra" stays chosen
        advanced->item<QAbstractButton>(1514)->click();
        EXPECT_EQ(g_language, "Dovra");
        if (GetParam().closeButton)
            d.item<QAbstractButton>(1004)->click();
        else
            d.reject();
    });
    pageButton(1, 1008)->click();
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_EQ(cursorWhileOpen, 1);
    EXPECT_EQ(ui::WaitCursor::depth(), 0);
    EXPECT_EQ(tabsFirst.size(), 6);
    EXPECT_TRUE(io.device(QStringLiteral("COM1:")).written.endsWith(
        QByteArray::fromHex("1baf50455331")));
    if (GetParam().closeButton)
        EXPECT_EQ(enabledMenuButtons(), (std::set<int>{1008, 1019, 1020}));
    else
        EXPECT_EQ(enabledMenuButtons(), allTen);

    // The next opening shows the page set of the new language.
    QStringList tabsAgain;
    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) { tabsAgain = tabTitles(d); });
    pageButton(1, 1008)->click();
    EXPECT_EQ(tabsAgain, kDovraTabs);
    CZentrovaApp::m_pMainWnd = nullptr;
}

TEST_P(CloseTest, PageZeroButtonOpensTheMenuModeZeroSetWithoutTheWaitCursor)
{
    g_menuMode = 0;
    openDialog();
    g_curModelInfo = record(QStringLiteral("KX-21"));
    dlg->UpdateConnectionControls(true);
    CZentrovaApp::m_pMainWnd = dlg.get();
    QAbstractButton* button = pageButton(0, 1008);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());

    bool ran = false;
    int cursorWhileOpen = -1;
    QStringList tabs;
    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
        ran = true;
        cursorWhileOpen = ui::WaitCursor::depth();
        tabs = tabTitles(d);
        EXPECT_NE(dynamic_cast<CPrinterPageSetting*>(d.m_tabCtrl->m_pPage[2].get()), nullptr);
        // Only page 0's rule, run by "Close", enables this one again.
        pageButton(0, 1022)->setEnabled(false);
        if (GetParam().closeButton)
            d.item<QAbstractButton>(1004)->click();
        else
            d.reject();
    });
    button->click();
    CZentrovaApp::m_pMainWnd = nullptr;

    EXPECT_TRUE(ran);
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_EQ(cursorWhileOpen, 0);
    EXPECT_EQ(tabs, (QStringList{"Interface", "Language", "Print && Page", "Hardware Info",
                                 "Printer Info"}));
    EXPECT_EQ(pageButton(0, 1022)->isEnabled(), GetParam().closeButton);
}

INSTANTIATE_TEST_SUITE_P(Ends, CloseTest,
                         ::testing::Values(CloseCase{"CloseButton", true},
                                           CloseCase{"CloseBox", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
