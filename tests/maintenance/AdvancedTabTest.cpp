// The Advanced page: its lists, Get with the language probe, and Set with the emulation switch.
#include "SettingPageFixture.h"

#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/ZplSettingTexts.h"

#include <memory>
#include <random>

namespace {

constexpr int kCheckFeed = 1050, kCheckHandling = 1051, kCheckBackfeed = 1052,
              kCheckMirrorField = 1053;
constexpr int kMirror = 1515, kHandling = 1516, kFeed = 1517, kBackfeed = 1028,
              kEmulation = 1029;
constexpr int kGet = 1086, kSet = 1514;

class AdvancedTabTest : public SettingPageTest {
protected:
    CUserSetting_ZII_AdvancedTab& open() { return createPage(page); }

    QStringList entries(int id)
    {
        QStringList list;
        for (int i = 0; i < combo(*page, id)->count(); ++i)
            list << combo(*page, id)->itemText(i);
        return list;
    }

    std::unique_ptr<CUserSetting_ZII_AdvancedTab> page;
};

TEST_F(AdvancedTabTest, OpensWithItsStartChoicesAndKeftOnlyForFamily201)
{
    CUserSetting_ZII_AdvancedTab& p = open();
    EXPECT_EQ(chosen(p, kHandling), "Tear Off");
    EXPECT_EQ(chosen(p, kFeed), "No feed");
    EXPECT_EQ(chosen(p, kBackfeed), "Default settings");
    EXPECT_EQ(chosen(p, kEmulation), "Dovra");
    EXPECT_EQ(entries(kEmulation), (QStringList{"Dovra", "Ostrel"}));
    for (int id : {kCheckHandling, kCheckFeed, kCheckBackfeed, kHandling, kFeed, kBackfeed,
                   kMirror, kEmulation, kSet})
        EXPECT_FALSE(p.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(p.IsDlgButtonChecked(kCheckBackfeed));
    EXPECT_TRUE(p.GetDlgItem(kCheckMirrorField)->isEnabled());
    click(p, kCheckMirrorField);
    EXPECT_TRUE(p.GetDlgItem(kMirror)->isEnabled());
    EXPECT_FALSE(p.GetDlgItem(kSet)->isEnabled());

    useModel("KX-30");
    open();
    EXPECT_EQ(entries(kEmulation), (QStringList{"Dovra", "Ostrel", "KEFT"}));
}

TEST_F(AdvancedTabTest, GetReadsTheMediaSettingsAndTheLanguage)
{
    CUserSetting_ZII_AdvancedTab& p = open();
    g_language = QStringLiteral("Dovra");
    reply("C");
    reply("C");
    reply("2");
    click(p, kGet);
    EXPECT_EQ(std::vector<QByteArray>(printer->writes.begin(), printer->writes.end()),
              (std::vector<QByteArray>{hex("1b1c3f0c"), hex("1b1c3f0e"), hex("1baf504547")}));
    EXPECT_EQ(pageWaits(), (std::vector<int>{50, 50, 100}));
    EXPECT_EQ(chosen(p, kHandling), "Cutter");
    EXPECT_EQ(chosen(p, kFeed), "Calibrate Media");
    EXPECT_EQ(chosen(p, kEmulation), "Ostrel");
    EXPECT_EQ(g_language, "Ostrel");
    EXPECT_TRUE(p.IsDlgButtonChecked(kCheckHandling) && p.IsDlgButtonChecked(kCheckFeed));
    for (int id : {kCheckHandling, kCheckFeed, kHandling, kFeed, kEmulation, kSet})
        EXPECT_TRUE(p.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_FALSE(p.GetDlgItem(kBackfeed)->isEnabled());

    // A valid reply after a longer one counts by the bytes it brought.
    reply("Tx");
    reply("L");
    noReply();
    click(p, kGet);
    EXPECT_EQ(chosen(p, kHandling), "Cutter");
    EXPECT_EQ(chosen(p, kFeed), "Set Label Length");
    EXPECT_EQ(g_language, "Ostrel");
}

TEST_F(AdvancedTabTest, AProbeWithoutReplyLeavesDovraAndTheNextSetSwitchesToIt)
{
    CUserSetting_ZII_AdvancedTab& p = open();
    reply("P");
    reply("N");
    noReply();
    click(p, kGet);
    EXPECT_EQ(chosen(p, kEmulation), "Dovra");
    EXPECT_EQ(g_language, "Ostrel");

    printer->writes.clear();
    clock.clearSleeps();
    p.CheckDlgButton(kCheckMirrorField, true);
    click(p, kSet);
    EXPECT_EQ(std::vector<QByteArray>(printer->writes.begin(), printer->writes.end()),
              (std::vector<QByteArray>{
                  "^XA\r\n^MMP,N\r\n^MFN,N\r\n^PMN\r\n^XZ\r\n^XA^JUS^XZ\r\n",
                  hex("1baf50455331")}));
    EXPECT_EQ(g_language, "Dovra");
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(AdvancedTabTest, SetTextsAndTheSwitchOnEverySet)
{
    useModel("KX-30");
    CUserSetting_ZII_AdvancedTab& p = open();
    reply("T");
    reply("F");
    reply("3");
    click(p, kGet);
    EXPECT_EQ(g_language, "KEFT");
    EXPECT_EQ(chosen(p, kEmulation), "KEFT");

    struct Case {
        const char* name;
        bool handling, feed, mirrorBox, mirror;
        const char* feedEntry;
        const char* emulation;
        QByteArray text;
        QByteArray emulationSwitch;
        const char* language;
    };
    const std::vector<Case> cases = {
        {"LabelLength", false, true, false, false, "Set Label Length", "KEFT",
         "^XA\r\n^MFL,L\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n", hex("1baf50455333"), "KEFT"},
        {"NoBoxStillSwitches", false, false, false, false, "No feed", "KEFT",
         "^XA\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n", hex("1baf50455333"), "KEFT"},
        // The trailer follows the language before the switch.
        {"MirrorToOstrel", true, false, true, true, "No feed", "Ostrel",
         "^XA\r\n^MMT,N\r\n^PMY\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n", hex("1baf50455332"), "Ostrel"},
        {"BackToKeft", false, true, false, false, "Feed to Next Label", "KEFT",
         "^XA\r\n^MFF,F\r\n^XZ\r\n^XA^JUS^XZ\r\n", hex("1baf50455333"), "KEFT"},
    };
    for (const Case& c : cases) {
        printer->writes.clear();
        p.CheckDlgButton(kCheckHandling, c.handling);
        p.CheckDlgButton(kCheckFeed, c.feed);
        p.CheckDlgButton(kCheckMirrorField, c.mirrorBox);
        p.CheckDlgButton(kMirror, c.mirror);
        choose(p, kFeed, c.feedEntry);
        choose(p, kEmulation, c.emulation);
        click(p, kSet);
        ASSERT_EQ(printer->writes.size(), 2u) << c.name;
        EXPECT_EQ(printer->writes[0], c.text) << c.name;
        EXPECT_EQ(printer->writes[1], c.emulationSwitch) << c.name;
        EXPECT_EQ(g_language, c.language) << c.name;
    }
}

TEST_F(AdvancedTabTest, KeftOnAPageWithoutItChoosesNothingAndSetSendsNoSwitch)
{
    CUserSetting_ZII_AdvancedTab& p = open();
    reply("T");
    reply("N");
    reply("3");
    click(p, kGet);
    EXPECT_EQ(g_language, "KEFT");
    EXPECT_EQ(chosen(p, kEmulation), "<none>");

    printer->writes.clear();
    click(p, kSet);
    ASSERT_EQ(printer->writes.size(), 1u);
    EXPECT_EQ(printer->writes[0], "^XA\r\n^MMT,N\r\n^MFN,N\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n");
    EXPECT_EQ(g_language, "KEFT");
}

TEST_F(AdvancedTabTest, RandomRepliesChangeOnlyWhatTheyValidlySay)
{
    useModel("KX-30");
    CUserSetting_ZII_AdvancedTab& p = open();
    std::mt19937 random(8103);
    for (int length = 0; length <= 256; ++length) {
        QByteArray replies[3];
        for (QByteArray& r : replies) {
            r = QByteArray(length, '\0');
            for (char& c : r)
                c = static_cast<char>(random() % 3 == 0 ? "TPCFLN123"[random() % 9] : random());
            r.isEmpty() ? noReply() : reply(r);
        }
        const QString handling = chosen(p, kHandling), feed = chosen(p, kFeed),
                      emulation = chosen(p, kEmulation), language = g_language;
        click(p, kGet);
        const auto text = [&](int i) { return QByteArray(replies[i].constData()); };
        const QByteArray h = text(0), f = text(1), l = text(2);
        EXPECT_EQ(chosen(p, kHandling), h == "T" ? "Tear Off" : h == "P" ? "Peel Off"
                                                            : h == "C" ? "Cutter" : handling);
        EXPECT_EQ(chosen(p, kFeed), f == "F" ? "Feed to Next Label" : f == "C" ? "Calibrate Media"
                                    : f == "L" ? "Set Label Length" : f == "N" ? "No feed" : feed);
        const bool known = l == "1" || l == "2" || l == "3";
        EXPECT_EQ(g_language, known ? setting::EmulationLanguage(l[0]) : language);
        EXPECT_EQ(chosen(p, kEmulation), known ? setting::EmulationLanguage(l[0]) : emulation);
    }
}

}  // namespace
