// The menu pages, their enabling rules and the page host of the main dialog.
#include "test_main_dialog_fixture.h"

#include "maintenance/CCalibrationTabDialog.h"
#include "maintenance/CCheckPrinterStatusTabDlg.h"
#include "maintenance/CPrinterTool_ZII_Dlg.h"
#include "shell/CMain_OstrelMenuView.h"
#include "shell/CMain_ZIIMenuView.h"
#include "shell/CPrefsStatic.h"
#include "shell/CZentrovaApp.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QFrame>
#include <QPointer>

using namespace shelltest;

namespace {

// Parameter cases print as their names in test listings.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<int> kPage1Buttons = {1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073, 1076, 1077};
const std::vector<int> kPage0Buttons = {1008, 1152, 1007, 1009, 1294, 1295, 1022};

class MenuTest : public ShellTest {
protected:
    std::set<int> enabled(int page) const
    {
        std::set<int> ids;
        for (int id : page == 1 ? kPage1Buttons : kPage0Buttons) {
            QAbstractButton* b = pageButton(page, id);
            EXPECT_NE(b, nullptr) << id;
            if (b && b->isEnabled())
                ids.insert(id);
        }
        return ids;
    }
};

struct RuleCase {
    const char* name;
    bool connected;
    const char* language;
    const char* model;  // nullptr: no current record
    std::set<int> enabled;
};

class ZiiRuleTest : public MenuTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(ZiiRuleTest, ButtonsFollowTheLinkTheLanguageAndTheRecord)
{
    openDialog();
    g_language = QString::fromLatin1(GetParam().language);
    g_curModelInfo = GetParam().model ? record(QString::fromLatin1(GetParam().model)) : nullptr;
    dlg->EnableMenuPage(GetParam().connected);
    EXPECT_EQ(enabled(1), GetParam().enabled);
}

const std::set<int> kAllTen(kPage1Buttons.begin(), kPage1Buttons.end());

INSTANTIATE_TEST_SUITE_P(
    Rule, ZiiRuleTest,
    ::testing::Values(
        RuleCase{"NotConnected", false, "Ostrel", "RN-5", {}},
        RuleCase{"NotConnectedKeft", false, "KEFT", nullptr, {}},
        RuleCase{"OstrelRfidModel", true, "Ostrel", "RN-5", kAllTen},
        RuleCase{"OstrelNoRfid", true, "Ostrel", "KX-21", {1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073}},
        RuleCase{"Keft", true, "KEFT", "RN-5", {1008, 1019, 1020}},
        RuleCase{"KeftNoRecord", true, "KEFT", nullptr, {1019, 1020}},
        RuleCase{"Dovra", true, "Dovra", "KX-22", {1008, 1019, 1020}},
        RuleCase{"OstrelNoRecord", true, "Ostrel", nullptr, {1152, 1007, 1073, 1019, 1020}},
        RuleCase{"LowerCaseDovraIsNotDovra", true, "dovra", "KX-21",
                 {1008, 1016, 1152, 1007, 1019, 1017, 1020, 1073}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenuTest, ClosingTheUserSettingsAfterASwitchToDovraDisablesTheLanguageTools)
{
    openDialog();
    g_language = QStringLiteral("Ostrel");
    g_curModelInfo = record(QStringLiteral("RN-5"));
    dlg->UpdateConnectionControls(true);
    ASSERT_EQ(enabled(1), kAllTen);

    // What the user-setting window's "Close" does after the Advanced page's switch.
    g_language = QStringLiteral("Dovra");
    CZentrovaApp::m_pMainWnd = dlg.get();
    auto* page = qobject_cast<CMain_ZIIMenuView*>(CZentrovaApp::m_pMainWnd->m_arrPages.at(g_menuMode)->m_pWnd);
    ASSERT_NE(page, nullptr);
    page->EnableMenuButtons(true);
    CZentrovaApp::m_pMainWnd = nullptr;

    EXPECT_EQ(enabled(1), (std::set<int>{1008, 1019, 1020}));
}

TEST_F(MenuTest, MenuModeZeroShowsTheOstrelPageWhoseButtonsFollowTheLinkAlone)
{
    g_menuMode = 0;
    openDialog();
    EXPECT_TRUE(dlg->m_arrPages[0]->m_pWnd->isVisibleTo(dlg.get()));
    EXPECT_FALSE(dlg->m_arrPages[1]->m_pWnd->isVisibleTo(dlg.get()));
    EXPECT_EQ(dlg->m_wndCaption->m_crGradient, QColor(0x80, 0xEC, 0x80));
    EXPECT_TRUE(enabled(0).empty());

    g_language = QStringLiteral("KEFT");
    dlg->UpdateConnectionControls(true);
    EXPECT_EQ(enabled(0), std::set<int>(kPage0Buttons.begin(), kPage0Buttons.end()));
    dlg->UpdateConnectionControls(false);
    EXPECT_TRUE(enabled(0).empty());
}

struct CalibrationCase {
    const char* name;
    int menuMode;
    std::int32_t portType;
    bool refused;
};

class CalibrationTest : public MenuTest, public ::testing::WithParamInterface<CalibrationCase> {};

TEST_P(CalibrationTest, CalibrationIsRefusedOnATcpLink)
{
    g_menuMode = GetParam().menuMode;
    openDialog();
    g_language = QStringLiteral("Ostrel");
    dlg->EnableMenuPage(true);
    g_comm.m_nPortType = GetParam().portType;

    bool opened = false;
    if (!GetParam().refused) {
        hooks.scriptDialog<CCalibrationTabDialog>([&](CCalibrationTabDialog& d) {
            opened = true;
            EXPECT_EQ(d.windowTitle(), "Manual Calibration");
        });
    }
    QAbstractButton* button = pageButton(GetParam().menuMode, 1152);
    ASSERT_TRUE(button->isEnabled());
    button->click();

    EXPECT_EQ(opened, !GetParam().refused);
    EXPECT_EQ(hooks.pendingScripts(), 0);
    if (GetParam().refused) {
        ASSERT_EQ(hooks.messages().size(), 1u);
        EXPECT_EQ(hooks.messages()[0].text, "Calibration is not supported on Ethernet connection.");
        EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
    } else {
        EXPECT_TRUE(hooks.messages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Links, CalibrationTest,
                         ::testing::Values(CalibrationCase{"Page1Tcp", 1, PORT_ETHERNET, true},
                                           CalibrationCase{"Page0Tcp", 0, PORT_ETHERNET, true},
                                           CalibrationCase{"Page1Serial", 1, PORT_COM, false},
                                           CalibrationCase{"Page1Usb", 1, PORT_USB, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TesterCase {
    const char* name;
    int menuMode;
    int button;
};

class CommandTesterTest : public MenuTest, public ::testing::WithParamInterface<TesterCase> {};

TEST_P(CommandTesterTest, TesterButtonRunsTheCommandTester)
{
    g_menuMode = GetParam().menuMode;
    openDialog();
    g_language = QStringLiteral("Ostrel");
    dlg->EnableMenuPage(true);
    bool ran = false;
    QWidget* statusParent = nullptr;
    hooks.scriptDialog<CQuensa_CmdTesterDlg>([&](CQuensa_CmdTesterDlg& tester) {
        ran = true;
        // The tester's "Check Printer Status" opens the status window over it.
        hooks.scriptDialog<CCheckPrinterStatusTabDlg>(
            [&](CCheckPrinterStatusTabDlg& status) { statusParent = status.parentWidget(); });
        tester.item<QAbstractButton>(1079)->click();
        EXPECT_EQ(statusParent, &tester);
        tester.EndDialog(ui::IDOK);
    });

    pageButton(GetParam().menuMode, GetParam().button)->click();

    EXPECT_TRUE(ran);
    EXPECT_EQ(hooks.pendingScripts(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, CommandTesterTest,
                         ::testing::Values(TesterCase{"Page1", 1, 1073}, TesterCase{"Page0", 0, 1022}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenuTest, PrinterToolButtonRunsThePrinterTools)
{
    openDialog();
    g_language = QStringLiteral("Ostrel");
    g_curModelInfo = record(QStringLiteral("KX-21"));
    dlg->EnableMenuPage(true);
    bool ran = false;
    hooks.scriptDialog<CPrinterTool_ZII_Dlg>([&](CPrinterTool_ZII_Dlg& tools) {
        ran = true;
        EXPECT_EQ(tools.windowTitle(), "Printer Tools");
    });

    QAbstractButton* button = pageButton(1, 1017);
    ASSERT_TRUE(button->isEnabled());
    button->click();

    EXPECT_TRUE(ran);
    EXPECT_EQ(hooks.pendingScripts(), 0);
}

TEST_F(MenuTest, CommunicationToolRunsTheCommunicationWindow)
{
    openDialog();
    g_language = QStringLiteral("Dovra");
    dlg->EnableMenuPage(true);
    bool ran = false;
    hooks.scriptDialog<CCommunicationDlg>([&](CCommunicationDlg& window) {
        ran = true;
        EXPECT_EQ(window.windowTitle(), "Communication Window");
        window.EndDialog(ui::IDOK);
    });

    pageButton(1, 1020)->click();

    EXPECT_TRUE(ran);
    EXPECT_EQ(hooks.pendingScripts(), 0);
}

// ---- page host ----------------------------------------------------------------------------

TEST_F(MenuTest, OpeningPlacesBothPagesInTheFrameAndShowsPageOneUnderItsCaption)
{
    openDialog();
    ASSERT_EQ(dlg->m_arrPages.size(), 2u);
    auto* frame = dlg->item<QFrame>(1023);
    EXPECT_EQ(dlg->m_rcPage, frame->geometry().adjusted(2, 2, -2, -2));

    for (int i = 0; i < 2; ++i) {
        const _PageInfo& page = *dlg->m_arrPages[i];
        EXPECT_EQ(page.m_nType, 1);
        EXPECT_EQ(page.m_nParam, i);
        EXPECT_EQ(page.m_pWnd->parentWidget(), dlg.get());
        EXPECT_EQ(page.m_pWnd->geometry(), dlg->m_rcPage);
        EXPECT_EQ(page.m_strCaption, "Zentrova (Version 1.2.3)");
    }
    EXPECT_NE(qobject_cast<CMain_OstrelMenuView*>(dlg->m_arrPages[0]->m_pWnd), nullptr);
    EXPECT_NE(qobject_cast<CMain_ZIIMenuView*>(dlg->m_arrPages[1]->m_pWnd), nullptr);
    EXPECT_FALSE(dlg->m_arrPages[0]->m_pWnd->isVisibleTo(dlg.get()));
    EXPECT_TRUE(dlg->m_arrPages[1]->m_pWnd->isVisibleTo(dlg.get()));

    EXPECT_EQ(dlg->m_wndCaption->text(), "Zentrova (Version 1.2.3)");
    EXPECT_EQ(dlg->windowTitle(), "Zentrova (Version 1.2.3)");
    EXPECT_EQ(dlg->GetDlgItemText(1066), "Copyright (C) 2026 QUORVIN BRESSANT");
    // The main dialog's own 1022 is still "Disconnect", not page 0's tester button.
    EXPECT_EQ(dlg->GetDlgItemText(1022), "Disconnect");
}

TEST_F(MenuTest, PagesCanBeAddedOnlyBeforeTheWindowExists)
{
    dlg = std::make_unique<CZentrovaDlg>();
    EXPECT_EQ(dlg->AddPage(nullptr, QStringLiteral("Empty"), 7), nullptr);
    ASSERT_EQ(dlg->m_arrPages.size(), 1u);
    EXPECT_EQ(dlg->m_arrPages[0]->m_pWnd, nullptr);
    dlg->AddMenuPages();
    dlg->OnInitDialog();

    EXPECT_EQ(dlg->AddPage(&CMain_ZIIMenuView::staticMetaObject, QStringLiteral("Late"), 2), nullptr);
    EXPECT_EQ(dlg->m_arrPages.size(), 3u);

    // A record without an object still puts its caption on the banner.
    dlg->ShowPage(dlg->m_arrPages[0].get(), true);
    EXPECT_EQ(dlg->m_wndCaption->text(), "Empty");
    dlg->ShowPage(dlg->m_arrPages[0].get(), false);
    EXPECT_EQ(dlg->m_wndCaption->text(), "");
}

TEST_F(MenuTest, DestroyingThePagesDeletesTheirWindows)
{
    openDialog();
    QPointer<QWidget> page0 = dlg->m_arrPages[0]->m_pWnd;
    QPointer<QWidget> page1 = dlg->m_arrPages[1]->m_pWnd;
    EXPECT_TRUE(dlg->DestroyPages());
    EXPECT_TRUE(page0.isNull());
    EXPECT_TRUE(page1.isNull());
    EXPECT_EQ(dlg->m_arrPages[1]->m_pWnd, nullptr);
    // The rule of a destroyed page has nothing to act on.
    dlg->EnableMenuPage(true);
}

TEST_F(MenuTest, WithoutAProductNameTheCaptionsAreTheFixedTitle)
{
    version.m_resource.productName.clear();
    openDialog();
    EXPECT_EQ(dlg->m_strZiiTitle, "Zentrova");
    EXPECT_EQ(dlg->m_strOstrelTitle, "Zentrova");
    EXPECT_EQ(dlg->windowTitle(), "Zentrova");
    EXPECT_EQ(dlg->GetDlgItemText(1066), "");
}

}  // namespace
