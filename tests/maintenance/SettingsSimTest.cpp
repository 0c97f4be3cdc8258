// The simulator's settings: its commands one at a time among other tools' bytes, and the real
// window round trip against the simulator over loopback TCP.
#include "SettingPageFixture.h"

#include "IdentityModule.h"
#include "SettingsModule.h"
#include "SimDispatcher.h"
#include "maintenance/CExtendTabCtrl.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "maintenance/SettingCommands.h"
#include "tests/support/SimProcess.h"

#include <random>
#include <string>

namespace {

std::string bytes(const QByteArray& b)
{
    return b.toStdString();
}

class SettingsModuleTest : public ::testing::Test {
protected:
    std::string feed(const std::string& data) { return dispatcher.feed(data.data(), data.size(), state); }
    std::string query(std::uint8_t item) { return feed(bytes(setting::SettingQuery(item))); }

    SettingsModule settings;
    IdentityModule identity;
    SimDispatcher dispatcher{{&settings, &identity}};
    SimPrinterState state;
};

TEST_F(SettingsModuleTest, TheBasicTextChangesWhatTheQueriesAnswer)
{
    EXPECT_EQ(query(0x01), "812");
    EXPECT_EQ(query(0x0E), "N");
    EXPECT_EQ(query(0x0B), "");  // the serial parameters belong to another module
    EXPECT_EQ(query(0x04), "");

    // Split anywhere, with the model query inside the same stream.
    const std::string text =
        "~SD25\r\n~TA-10\r\n^XA\r\n^PW832\r\n^LL1200\r\n^POI\r\n^PR6,6\r\n^MTD\r\n^MNM\r\n"
        "^LT5\r\n^XZ\r\n^XA^JUS^XZ\r\n^PI0\r\n^XA\r\n^MMP,N\r\n^MFL,L\r\n^PMY\r\n^XZ\r\n";
    std::string answers;
    for (std::size_t i = 0; i < text.size(); i += 5)
        answers += feed(text.substr(i, 5));
    EXPECT_EQ(answers, "KX-21\r\n");
    const std::pair<std::uint8_t, const char*> expected[] = {
        {0x01, "832"}, {0x02, "1200"}, {0x03, "B"}, {0x05, "6"}, {0x06, "25"}, {0x07, "D"},
        {0x08, "M"},   {0x09, "-10"},  {0x0A, "5"}, {0x0C, "P"}, {0x0E, "L"},
    };
    for (const auto& [item, reply] : expected)
        EXPECT_EQ(query(item), reply) << int(item);
    EXPECT_TRUE(settings.settings().mirror);
    EXPECT_EQ(settings.settings().saves, 1);
    EXPECT_EQ(feed(bytes(setting::ParameterQuery(setting::ParamOrientation))), std::string(1, '\1'));
}

TEST_F(SettingsModuleTest, LocksRefuseTheirSettingAndShowInTheLockStatus)
{
    feed(bytes(setting::SettingLock(true, setting::LockPrintSpeed)));
    feed(bytes(setting::SettingLock(true, setting::LockLabelWidth)));
    feed(bytes(setting::SettingLock(true, setting::LockMediaType)));
    const std::string status = feed(bytes(setting::LockStatusQuery()));
    ASSERT_EQ(status.size(), 4u);
    EXPECT_EQ(setting::LockByte(status.data(), 4), 0x45);

    feed("^XA\r\n^PW100\r\n^PR2\r\n^LL300\r\n^XZ\r\n");
    EXPECT_EQ(query(0x01), "812");
    EXPECT_EQ(query(0x05), "4");
    EXPECT_EQ(query(0x02), "300");

    feed(bytes(setting::SettingLock(false, setting::LockLabelWidth)));
    feed("^PW100\r\n");
    EXPECT_EQ(query(0x01), "100");
}

TEST_F(SettingsModuleTest, TheEmulationSwitchChangesTheProbesAnswer)
{
    EXPECT_EQ(feed(bytes(setting::LanguageProbe())), "2");
    feed(bytes(setting::EmulationSwitch(setting::kEmulationKeft)));
    EXPECT_EQ(state.language, '3');
    EXPECT_EQ(feed(bytes(setting::LanguageProbe())), "3");
    feed(std::string("\x1b\xaf" "PES\0", 6));  // no language: nothing changes
    EXPECT_EQ(feed(bytes(setting::LanguageProbe())), "3");

    feed(bytes(setting::ParameterSet(setting::ParamOrientation, 1)));
    EXPECT_EQ(query(0x03), "B");
    EXPECT_EQ(feed(bytes(setting::ParameterQuery(setting::ParamPowerSaveTime))), "");
}

TEST_F(SettingsModuleTest, StrayAndOverlongBytesNeverStallTheStream)
{
    EXPECT_EQ(feed("^PW" + std::string(13, '1') + "\r\n^PI0\r\n"), "KX-21\r\n");
    EXPECT_EQ(query(0x01), "812");
    EXPECT_EQ(feed("^JUF"), "");  // another tool's command, taken without waiting
    EXPECT_EQ(settings.settings().saves, 0);
    EXPECT_EQ(feed("^P"), "");
    EXPECT_EQ(feed("I0\r\n"), "KX-21\r\n");
    EXPECT_EQ(feed("~SD31\r\n^MNX\r\n^PWabc\r\n"), "");
    EXPECT_EQ(query(0x06), "20");

    state.silent = true;
    EXPECT_EQ(query(0x01), "");
    EXPECT_EQ(feed(bytes(setting::LockStatusQuery())), "");
    state.silent = false;

    std::mt19937 random(2024);
    for (int round = 0; round < 2000; ++round) {
        std::string junk(random() % 40, '\0');
        for (char& c : junk)
            c = "\x1b\x1c\x19\x1a?/^~PWLSDTA0123,\r\n"[random() % 22];
        feed(junk);
    }
    feed("\r\n\r\n");
    EXPECT_FALSE(query(0x01).empty());
}

// ---- the real window against the simulator -------------------------------------------------

class SimRoundTripTest : public SettingPageTest {
protected:
    void TearDown() override
    {
        g_comm.MarkTcpForClose();
        SettingPageTest::TearDown();
    }
};

TEST_F(SimRoundTripTest, SetOnTheBasicPageThenReopenAndGetShowsTheSameValues)
{
    ztest::SimProcess sim;
    const int port = sim.startTcp();
    ASSERT_GT(port, 0);
    g_comm.Close();
    ASSERT_TRUE(sim.openLink());

    auto basic = [](CUserSettingDialog& d) {
        auto* page = dynamic_cast<CUserSetting_ZII_BasicTab*>(d.m_tabCtrl->m_pPage[1].get());
        EXPECT_NE(page, nullptr);
        return page;
    };
    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
        CUserSetting_ZII_BasicTab* p = basic(d);
        ASSERT_NE(p, nullptr);
        for (int box : {1049, 1050, 1052, 1053, 1054, 1055, 1056, 1057, 1059})
            click(*p, box);
        type(*p, 1060, "832");
        type(*p, 1061, "1200");
        choose(*p, 1062, "Bottom to Top");
        choose(*p, 1064, "6.0");
        choose(*p, 1065, "25");
        choose(*p, 1066, "Direct");
        choose(*p, 1067, "Mark Sensing");
        type(*p, 1068, "-10");
        type(*p, 1069, "5");
        p->CheckDlgButton(1091, true);
        p->CheckDlgButton(1094, true);
        click(*p, 1514);
        click(d, 1004);
    });
    CUserSettingDialog first;
    EXPECT_EQ(first.DoModal(), ui::IDOK);
    ASSERT_TRUE(sim.waitForLog("lock 7, locks 41"));
    EXPECT_TRUE(sim.log().contains("applied ^PW832"));
    EXPECT_TRUE(sim.log().contains("settings saved"));

    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
        CUserSetting_ZII_BasicTab* p = basic(d);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->GetDlgItemText(1060), "0");
        click(*p, 1086);
        EXPECT_EQ(p->GetDlgItemText(1060), "832");
        EXPECT_EQ(p->GetDlgItemText(1061), "1200");
        EXPECT_EQ(chosen(*p, 1062), "Bottom to Top");
        EXPECT_EQ(chosen(*p, 1064), "6.0");
        EXPECT_EQ(chosen(*p, 1065), "25");
        EXPECT_EQ(chosen(*p, 1066), "Direct");
        EXPECT_EQ(chosen(*p, 1067), "Mark Sensing");
        EXPECT_EQ(p->GetDlgItemText(1068), "-10");
        EXPECT_EQ(p->GetDlgItemText(1069), "5");
        std::vector<bool> locks;
        for (int box : {1087, 1091, 1092, 1094, 1095, 1096})
            locks.push_back(p->IsDlgButtonChecked(box));
        EXPECT_EQ(locks, (std::vector<bool>{false, true, false, true, false, false}));
        d.reject();
    });
    CUserSettingDialog second;
    EXPECT_EQ(second.DoModal(), ui::IDCANCEL);
    EXPECT_TRUE(sim.log().contains("lock status 41"));
}

}  // namespace
