// The pages of the interface, clock, power, language and printer information and the
// print-quality window, through the real window against the simulator over loopback TCP:
// Set, reopen, Get, the same values.
#include "SettingPageFixture.h"

#include "ClockPowerModule.h"
#include "InterfaceModule.h"
#include "MemorySwitchModule.h"
#include "PrinterInfoModule.h"
#include "SampleLabelModule.h"
#include "SimDispatcher.h"
#include "maintenance/CExtendTabCtrl.h"
#include "maintenance/CLanguageSetting.h"
#include "maintenance/CPrinterInfo.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_QualityDlg.h"
#include "maintenance/CUserSetting_ZII_SerialTab.h"
#include "maintenance/CUserSetting_ZII_TimeTab.h"
#include "maintenance/UserSetting_ZII_PowerTab.h"
#include "maintenance/InterfaceCommands.h"
#include "maintenance/MemorySwitch.h"
#include "maintenance/SettingCommands.h"
#include "tests/support/SimProcess.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QTimeEdit>
#include <random>

namespace {

// ---- the modules on their own ---------------------------------------------------------------

class PageModulesTest : public ::testing::Test {
protected:
    std::string feed(const QByteArray& data) { return dispatcher.feed(data.constData(), data.size(), state); }

    InterfaceModule interface;
    ClockPowerModule clockPower;
    MemorySwitchModule switches;
    PrinterInfoModule info;
    SampleLabelModule labels;
    SimDispatcher dispatcher{{&interface, &clockPower, &switches, &info, &labels}};
    SimPrinterState state;
};

TEST_F(PageModulesTest, StateSurvivesAndCommandsSplitAnywhere)
{
    const QByteArray stream = QByteArray("^XA^SC19200,7,E,2,R,N^JUS^XZ\r\n") + memswitch::Write(1, 12)
                              + memswitch::Commit(1) + setting::ParameterSet(setting::ParamPowerOffTime, 2700)
                              + iface::ModuleRecordP(0, 2, "4321", "LAB-7", true) + iface::ModuleRecordL(true)
                              + QByteArray("^XA\r\n^ST01,02,2026,03,04,05,M\r\n^XZ\r\n");
    for (std::size_t i = 0; i < std::size_t(stream.size()); i += 3)
        EXPECT_EQ(feed(stream.mid(qsizetype(i), 3)), "");
    EXPECT_EQ(feed(setting::SettingQuery(setting::QuerySerial)), "19200,7,E,2,R");
    EXPECT_EQ(feed(memswitch::Read(1, 2)), "\x0c");
    EXPECT_EQ(feed(memswitch::Read(3, 2)), std::string(1, '\0'));
    EXPECT_EQ(feed(setting::ParameterQuery(setting::ParamPowerOffTime)), "\x8c\x0a");
    EXPECT_EQ(feed(iface::ModuleQuery('d')), "7BdLAB-7");
    EXPECT_EQ(feed(iface::ModuleQuery('c')), "7Bc3");
    EXPECT_EQ(feed(iface::ModuleQuery('L')), "1");
    EXPECT_EQ(feed("^PI3,0,0\r\n"), "1234\r\n");
    feed("*MBY\x0f\x0c");
    EXPECT_EQ(feed("^PI3,0,0\r\n^PI3,0,1\r\n"), "0\r\n56789\r\n");
    // Items of other modules are not taken.
    EXPECT_EQ(feed(setting::SettingQuery(setting::QueryLabelWidth)), "");
    EXPECT_EQ(feed(setting::ParameterQuery(setting::ParamOrientation)), "");
    state.silent = true;
    EXPECT_EQ(feed(setting::SettingQuery(setting::QuerySerial)), "");
}

TEST_F(PageModulesTest, StrayBytesNeverStallTheStream)
{
    std::mt19937 random(114);
    for (int round = 0; round < 3000; ++round) {
        std::string junk(random() % 40, '\0');
        for (char& c : junk)
            c = "\x1b\x1c\x1f\x19\x1a?OJipxl^~*MBRSAY,0123\r\n"[random() % 28];
        dispatcher.feed(junk.data(), junk.size(), state);
    }
    // A long run of bytes ends whatever was half taken.
    feed(QByteArray(200, 'z'));
    EXPECT_EQ(feed(memswitch::Read(1, 1)).size(), 1u);
    EXPECT_EQ(feed("^PI2\r\n"), "V2.10.05\r\n");
}

// ---- the real window against the simulator ------------------------------------------------

class PagesSimTest : public SettingPageTest {
protected:
    void SetUp() override
    {
        SettingPageTest::SetUp();
        port = sim.startTcp();
        ASSERT_GT(port, 0);
        g_comm.Close();
        ASSERT_TRUE(sim.openLink());
    }
    void TearDown() override
    {
        g_comm.MarkTcpForClose();
        SettingPageTest::TearDown();
    }

    // Opens the window, runs `script` on its page of class Page, and closes it.
    template <class Page>
    void withPage(std::function<void(Page&)> script)
    {
        hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
            Page* page = nullptr;
            for (int i = 0; i < d.m_tabCtrl->m_nPageCount && !page; ++i)
                page = dynamic_cast<Page*>(d.m_tabCtrl->m_pPage[i].get());
            ASSERT_NE(page, nullptr);
            script(*page);
            click(d, 1004);
        });
        CUserSettingDialog dialog;
        dialog.DoModal();
    }

    ztest::SimProcess sim;
    int port = 0;
};

TEST_F(PagesSimTest, InterfacePageSerialAndModuleRoundTrip)
{
    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        check(p, 1100);
        check(p, 1101);
        click(p, 1002);
        EXPECT_EQ(chosen(p, 1067), "9600") << sim.log().toStdString();
        EXPECT_EQ(p.GetDlgItemText(1130), "PRN-01");
        choose(p, 1067, "57600");
        choose(p, 1069, "Odd");
        choose(p, 1071, "Hardware");
        type(p, 1130, "LABELS-3");
        type(p, 1131, "4321");
        choose(p, 1072, "Mode 3");
        choose(p, 1074, "Disable");
        choose(p, 1073, "Passkey Entry");
        choose(p, 1075, "BLE");
        click(p, 1003);
        EXPECT_EQ(messageTexts(), (QStringList{"Set serial communication status is successful",
                                               "Please, turn off the printer and turn on the printer"}));
    });
    ASSERT_TRUE(sim.waitForLog("bluetooth module set role 1"));
    EXPECT_TRUE(sim.log().contains("serial parameters set 57600,8,O,1,D"));
    EXPECT_TRUE(sim.log().contains("bluetooth module set name LABELS-3 encryption 0 connection 3 pin 4321"));
    EXPECT_TRUE(sim.log().contains("bluetooth module set ssp 3"));

    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        EXPECT_EQ(chosen(p, 1067), "<none>");
        check(p, 1100);
        check(p, 1101);
        click(p, 1002);
        EXPECT_EQ(chosen(p, 1067), "57600");
        EXPECT_EQ(chosen(p, 1068), "8");
        EXPECT_EQ(chosen(p, 1069), "Odd");
        EXPECT_EQ(chosen(p, 1070), "1");
        EXPECT_EQ(chosen(p, 1071), "Hardware");
        EXPECT_EQ(p.GetDlgItemText(1130), "LABELS-3");
        EXPECT_EQ(p.GetDlgItemText(1131), "4321");
        EXPECT_EQ(chosen(p, 1072), "Mode 3");
        EXPECT_EQ(chosen(p, 1074), "Disable");
        EXPECT_EQ(chosen(p, 1075), "BLE");
        EXPECT_EQ(p.GetDlgItemText(1132), "00:1B:35:A1:02:7C");
    });
}

TEST_F(PagesSimTest, InterfacePageDongleAndFamily201RoundTrip)
{
    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        check(p, 1101);
        check(p, 1134);
        click(p, 1152);
        type(p, 1130, "DONGLE-9");
        type(p, 1131, "2468");
        choose(p, 1072, "Mode 1");
        click(p, 1003);
    });
    ASSERT_TRUE(sim.waitForLog("bluetooth dongle set 4 0"));
    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        check(p, 1101);
        check(p, 1134);
        click(p, 1002);
        EXPECT_EQ(p.GetDlgItemText(1130), "DONGLE-9");
        EXPECT_EQ(p.GetDlgItemText(1131), "2468");
        EXPECT_EQ(chosen(p, 1074), "Enable");
        EXPECT_EQ(chosen(p, 1072), "Mode 1");
    });

    useModel("KX-30");
    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        EXPECT_FALSE(p.GetDlgItem(1100)->isEnabled());
        check(p, 1101);
        click(p, 1002);
        choose(p, 1073, "SSP Mode");
        choose(p, 1075, "BLE");
        click(p, 1003);
    });
    ASSERT_TRUE(sim.waitForLog("bluetooth pairing mode set 1"));
    withPage<CUserSetting_ZII_SerialTab>([&](CUserSetting_ZII_SerialTab& p) {
        check(p, 1101);
        click(p, 1002);
        EXPECT_EQ(chosen(p, 1073), "SSP Mode");
        EXPECT_EQ(chosen(p, 1075), "BLE");
        EXPECT_FALSE(p.GetDlgItem(1131)->isEnabled());
    });
}

TEST_F(PagesSimTest, ClockPageSetsThePickedTime)
{
    withPage<CUserSetting_ZII_TimeTab>([&](CUserSetting_ZII_TimeTab& p) {
        check(p, 1518);
        check(p, 1520);
        p.item<QDateEdit>(1521)->setDate(QDate(2025, 12, 31));
        p.item<QTimeEdit>(1522)->setTime(QTime(23, 59, 58));
        click(p, 1514);
    });
    ASSERT_TRUE(sim.waitForLog("clock set 12,31,2025,23,59,58,M"));
    EXPECT_TRUE(sim.waitForLog("settings saved"));
}

TEST_F(PagesSimTest, PowerPageRoundTrip)
{
    useModel("KX-30");
    withPage<UserSetting_ZII_PowerTab>([&](UserSetting_ZII_PowerTab& p) {
        click(p, 1139);
        EXPECT_EQ(p.GetDlgItemText(1138), "30");
        choose(p, 1136, "Disable");
        type(p, 1138, "45");
        choose(p, 1137, "Enable");
        type(p, 1513, "200");
        click(p, 1140);
    });
    ASSERT_TRUE(sim.waitForLog("power-save time set 200"));
    EXPECT_TRUE(sim.log().contains("power-off time set 2700"));
    withPage<UserSetting_ZII_PowerTab>([&](UserSetting_ZII_PowerTab& p) {
        EXPECT_EQ(p.GetDlgItemText(1138), "0");
        click(p, 1139);
        EXPECT_EQ(chosen(p, 1136), "Disable");
        EXPECT_EQ(p.GetDlgItemText(1138), "45");
        EXPECT_EQ(chosen(p, 1137), "Enable");
        EXPECT_EQ(p.GetDlgItemText(1513), "200");
    });
}

TEST_F(PagesSimTest, LanguagePageRoundTrip)
{
    withPage<CLanguageSetting>([&](CLanguageSetting& p) {
        click(p, 1002);
        choose(p, 11, "WPC1254 - Turkish");
        choose(p, 13, "Germany");
        check(p, 1101);
        click(p, 1003);
    });
    ASSERT_TRUE(sim.waitForLog("memory switch 3 committed 2"));
    EXPECT_TRUE(sim.log().contains("memory switch 1 read on port 2"));
    withPage<CLanguageSetting>([&](CLanguageSetting& p) {
        click(p, 1002);
        EXPECT_EQ(chosen(p, 11), "WPC1254 - Turkish");
        EXPECT_EQ(chosen(p, 13), "Germany");
        EXPECT_TRUE(p.IsDlgButtonChecked(1101));
    });
}

TEST_F(PagesSimTest, PrinterInfoPageCountersResetsAndSerialNumber)
{
    withPage<CPrinterInfo>([&](CPrinterInfo& p) {
        click(p, 1002);
        EXPECT_EQ(p.m_strModel, "KX-21\r\n");
        EXPECT_EQ(p.m_strFirmware, "V2.10.05\r\n");
        EXPECT_EQ(p.GetDlgItemText(1236), "1234 meter");
        EXPECT_EQ(p.GetDlgItemText(1240), "17 times");
        click(p, 1116);
        click(p, 1118);
        type(p, 1119, "1234567890123");
        click(p, 1120);
    });
    ASSERT_TRUE(sim.waitForLog("usb serial number set 1234567890123"));
    withPage<CPrinterInfo>([&](CPrinterInfo& p) {
        click(p, 1002);
        EXPECT_EQ(p.GetDlgItemText(1236), "0 meter");
        EXPECT_EQ(p.GetDlgItemText(1237), "56789 meter");
        EXPECT_EQ(p.GetDlgItemText(1238), "1200 meter");
        EXPECT_EQ(p.GetDlgItemText(1240), "0 times");
        EXPECT_EQ(p.GetDlgItemText(1241), "340 times");
    });
    EXPECT_EQ(messageTexts(), (QStringList{"Get printer information is successful.",
                                           "Set USB serial number is successful",
                                           "Get printer information is successful."}));
}

TEST_F(PagesSimTest, PrintQualitySamplesAndSetting)
{
    hooks.scriptDialog<CUserSetting_ZII_QualityDlg>([&](CUserSetting_ZII_QualityDlg& d) {
        click(d, 1052);
        click(d, 1055);
        choose(d, 1057, "AD");
        click(d, 1514);
        d.reject();
    });
    CUserSetting_ZII_QualityDlg dialog;
    dialog.DoModal();
    ASSERT_TRUE(sim.waitForLog("label printed: ABCDEFG ABCDEFGHI Identifier: AL Darkness: 17 Speed: 7.0"));
    EXPECT_EQ(sim.log().count("label printed: "), 12);
    EXPECT_TRUE(sim.log().contains("label printed: ABCDEFG ABCDEFGHI Identifier: AA Darkness: 8 Speed: 2.0"));
    ASSERT_TRUE(sim.waitForLog("settings saved"));
}

}  // namespace
