// The Basic page: its text, the order of a Set on the wire, and Get against scripted replies.
#include "SettingPageFixture.h"

#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "maintenance/SettingCommands.h"
#include "maintenance/ZplSettingTexts.h"
#include "ui/WaitCursor.h"

#include <QApplication>
#include <QKeyEvent>
#include <memory>
#include <random>

namespace {

constexpr int kCheckWidth = 1049, kCheckHeight = 1050, kCheckOrientation = 1052,
              kCheckSpeed = 1053, kCheckDarkness = 1054, kCheckPrintMode = 1055,
              kCheckMediaType = 1056, kCheckTearOff = 1057, kCheckOffset = 1059;
constexpr int kFieldBoxes[] = {kCheckWidth,     kCheckHeight,    kCheckOrientation,
                               kCheckSpeed,     kCheckDarkness,  kCheckPrintMode,
                               kCheckMediaType, kCheckTearOff,   kCheckOffset};
constexpr int kWidth = 1060, kHeight = 1061, kOrientation = 1062, kSpeed = 1064,
              kDarkness = 1065, kPrintMode = 1066, kMediaType = 1067, kTearOff = 1068,
              kOffset = 1069;
constexpr int kFields[] = {kWidth, kHeight, kOrientation, kSpeed, kDarkness,
                           kPrintMode, kMediaType, kTearOff, kOffset};
constexpr int kLockBoxes[] = {1087, 1091, 1092, 1094, 1095, 1096};  // items 3, 1, 2, 7, 6, 5
constexpr int kGet = 1086, kSet = 1514;

// ---- the text, without a window --------------------------------------------------------------

zplsetting::BasicSettings everyField()
{
    zplsetting::BasicSettings s;
    s.width = s.height = s.orientation = s.speed = s.darkness = s.printMode = s.mediaType =
        s.tearOff = s.printOffset = true;
    s.labelWidth = 812;
    s.labelHeight = 1218;
    s.orientationPosition = 0;
    s.speedEntry = QStringLiteral("4.0");
    s.darknessPosition = 20;
    s.printModePosition = 0;
    s.mediaTypePosition = 0;
    return s;
}

TEST(BasicSettingTextTest, TheExampleOfEveryFieldOnOstrel)
{
    EXPECT_EQ(zplsetting::BasicSettingText(everyField(), "Ostrel", 101),
              "~SD20\r\n~TA0\r\n^XA\r\n^PW812\r\n^LL1218\r\n^PON\r\n^PR4,4\r\n^MTT\r\n^MNY\r\n"
              "^LT0\r\n^XZ\r\n^XA^JUS^XZ\r\n");
}

TEST(BasicSettingTextTest, LanguageFamilyAndValuesShapeTheLines)
{
    struct Case {
        const char* name;
        std::function<void(zplsetting::BasicSettings&)> change;
        const char* language;
        int family;
        QString text;
    };
    const auto only = [](std::function<void(zplsetting::BasicSettings&)> set) {
        return [set](zplsetting::BasicSettings& s) {
            s = zplsetting::BasicSettings();
            set(s);
        };
    };
    const std::vector<Case> cases = {
        {"DovraSpeedAndTrailer", only([](auto& s) { s.speed = true; s.speedEntry = "4.0"; }),
         "Dovra", 101, "^XA\r\n^PR4\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n"},
        {"KeftSpeed", only([](auto& s) { s.speed = true; s.speedEntry = "7.0"; }), "KEFT", 201,
         "^XA\r\n^PR7\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n"},
        {"WidthTruncated", only([](auto& s) { s.width = true; s.labelWidth = 812.9f; }),
         "Ostrel", 101, "^XA\r\n^PW812\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"HugeWidthSaturates", only([](auto& s) { s.width = true; s.labelWidth = 3e38f; }),
         "Ostrel", 101, "^XA\r\n^PW2147483647\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"OnlyDarkness", only([](auto& s) { s.darkness = true; s.darknessPosition = 5; }),
         "Ostrel", 101, "~SD05\r\n^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"DarknessWithoutEntryHasNoLine", only([](auto& s) { s.darkness = true; }), "Ostrel",
         101, "^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"SpeedWithoutEntryHasNoLine", only([](auto& s) { s.speed = true; }), "Ostrel", 101,
         "^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"OrientationWithoutEntryIsTopToBottom", only([](auto& s) { s.orientation = true; }),
         "Ostrel", 101, "^XA\r\n^PON\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"BottomToTop",
         only([](auto& s) { s.orientation = true; s.orientationPosition = 1; }), "Ostrel", 101,
         "^XA\r\n^POI\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"Family201LeavesOrientationOut",
         only([](auto& s) { s.orientation = true; s.orientationPosition = 1; }), "Ostrel", 201,
         "^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"DirectMarkNegativeOffsets",
         only([](auto& s) {
             s.printMode = s.mediaType = s.tearOff = s.printOffset = true;
             s.printModePosition = 1;
             s.mediaTypePosition = 2;
             s.tearOffDots = -12;
             s.printOffsetDots = -3;
         }),
         "Ostrel", 101, "~TA-12\r\n^XA\r\n^MTD\r\n^MNM\r\n^LT-3\r\n^XZ\r\n^XA^JUS^XZ\r\n"},
        {"NothingChecked", only([](auto&) {}), "Ostrel", 101, ""},
    };
    for (const Case& c : cases) {
        zplsetting::BasicSettings s = everyField();
        c.change(s);
        EXPECT_EQ(zplsetting::BasicSettingText(s, c.language, c.family), c.text) << c.name;
    }
}

// ---- the page ------------------------------------------------------------------------------

class BasicTabTest : public SettingPageTest {
protected:
    CUserSetting_ZII_BasicTab& open()
    {
        return createPage(page);
    }

    // Every reply of a Get that finds the values of the example, lock byte 0x45.
    void scriptGoodReplies()
    {
        for (const char* r : {"812", "1218", "B", "4", "15", "D", "G", "-7", "3"})
            reply(r);
        reply(QByteArray("\x00\x00\x34\x45", 4));
    }

    std::vector<bool> lockBoxes() const
    {
        std::vector<bool> boxes;
        for (int id : kLockBoxes)
            boxes.push_back(page->IsDlgButtonChecked(id));
        return boxes;
    }

    std::unique_ptr<CUserSetting_ZII_BasicTab> page;
};

TEST_F(BasicTabTest, OpensWithFieldsAndSetDisabledAndNoChoice)
{
    CUserSetting_ZII_BasicTab& p = open();
    for (int id : kFields)
        EXPECT_FALSE(p.GetDlgItem(id)->isEnabled()) << id;
    for (int id : kFieldBoxes)
        EXPECT_TRUE(p.GetDlgItem(id)->isEnabled() && !p.IsDlgButtonChecked(id)) << id;
    EXPECT_FALSE(p.GetDlgItem(kSet)->isEnabled());
    for (int id : {kOrientation, kSpeed, kDarkness, kPrintMode, kMediaType})
        EXPECT_EQ(chosen(p, id), "<none>") << id;
    EXPECT_EQ(p.GetDlgItemText(kWidth), "0");
    EXPECT_EQ(combo(p, kSpeed)->count(), 6);  // KX-21: 2.0 to 7.0
    EXPECT_EQ(combo(p, kDarkness)->itemText(0), "0");
    EXPECT_EQ(combo(p, kDarkness)->itemText(30), "30");
    EXPECT_TRUE(printer->writes.empty());

    // A field box enables its field, and "Set to Printer" stays enabled once a box was used.
    click(p, kCheckHeight);
    EXPECT_TRUE(p.GetDlgItem(kHeight)->isEnabled());
    EXPECT_TRUE(p.GetDlgItem(kSet)->isEnabled());
    click(p, kCheckHeight);
    EXPECT_FALSE(p.GetDlgItem(kHeight)->isEnabled());
    EXPECT_TRUE(p.GetDlgItem(kSet)->isEnabled());
    EXPECT_TRUE(p.IsNothingChecked());
}

TEST_F(BasicTabTest, SetSendsTheClearingsTheTextAndAfter500MsTheLocks)
{
    CUserSetting_ZII_BasicTab& p = open();
    for (int id : kFieldBoxes)
        click(p, id);
    type(p, kWidth, "812");
    type(p, kHeight, "1218");
    choose(p, kOrientation, "Top to Bottom");
    choose(p, kSpeed, "4.0");
    choose(p, kDarkness, "20");
    choose(p, kPrintMode, "Transfer");
    choose(p, kMediaType, "Web Sensing");
    type(p, kTearOff, "0");
    type(p, kOffset, "0");
    p.CheckDlgButton(1091, true);  // speed locked
    p.CheckDlgButton(1094, true);  // media type locked
    clock.clearSleeps();
    click(p, kSet);
    EXPECT_EQ(ui::WaitCursor::depth(), 0);

    const std::vector<QByteArray> expected = {
        hex("1b1c1f0003"), hex("1b1c1f0001"), hex("1b1c1f0002"),
        hex("1b1c1f0007"), hex("1b1c1f0006"), hex("1b1c1f0005"),
        "~SD20\r\n~TA0\r\n^XA\r\n^PW812\r\n^LL1218\r\n^PON\r\n^PR4,4\r\n^MTT\r\n^MNY\r\n"
        "^LT0\r\n^XZ\r\n^XA^JUS^XZ\r\n",
        hex("1b1c1f0003"), hex("1b1c1f0101"), hex("1b1c1f0002"),
        hex("1b1c1f0107"), hex("1b1c1f0006"), hex("1b1c1f0005"),
    };
    EXPECT_EQ(std::vector<QByteArray>(printer->writes.begin(), printer->writes.end()), expected);
    EXPECT_EQ(clock.sleeps(), std::vector<int>{500});
}

TEST_F(BasicTabTest, DovraDarknessRunsFromMinus15AndSendsTheListPosition)
{
    g_language = QStringLiteral("Dovra");
    CUserSetting_ZII_BasicTab& p = open();
    EXPECT_EQ(combo(p, kDarkness)->itemText(0), "-15");
    EXPECT_EQ(combo(p, kDarkness)->itemText(30), "15");
    click(p, kCheckDarkness);
    for (const auto& [entry, line] : {std::pair{"-15", "~SD00"}, {"0", "~SD15"}, {"15", "~SD30"}}) {
        printer->writes.clear();
        choose(p, kDarkness, entry);
        click(p, kSet);
        ASSERT_EQ(printer->writes.size(), 13u);
        EXPECT_EQ(printer->writes[6], QByteArray(line) + "\r\n^XA\r\n^XZ\r\n^XA\r\n^JUS\r\n^XZ\r\n");
    }

    // A reply of 15 to the darkness query chooses the entry "0".
    printer->writes.clear();
    for (const char* r : {"", "", "", "", "15"})
        r[0] ? reply(r) : noReply();
    click(p, kGet);
    EXPECT_EQ(chosen(p, kDarkness), "0");
}

TEST_F(BasicTabTest, Family201SendsTheOrientationAsParameter23AfterTheLocks)
{
    useModel("KX-30");
    CUserSetting_ZII_BasicTab& p = open();
    click(p, kCheckOrientation);
    choose(p, kOrientation, "Bottom to Top");
    click(p, kSet);
    ASSERT_EQ(printer->writes.size(), 14u);
    EXPECT_EQ(printer->writes[6], "^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n");
    EXPECT_EQ(printer->writes[13], hex("1b19192301"));

    // Get reads it back through parameter query 23.
    printer->writes.clear();
    reply("812");
    reply("1218");
    reply(QByteArray("\x00", 1));
    click(p, kGet);
    EXPECT_EQ(printer->writes[2], hex("1b191a23"));
    EXPECT_EQ(chosen(p, kOrientation), "Top to Bottom");
}

// The lists start unchosen: a Set of them sends only what the page says for no choice, the
// top-to-bottom orientation.
TEST_F(BasicTabTest, SetOfListsNeverChosenSendsOnlyTheDefaultOrientation)
{
    for (const char* model : {"KX-21", "KX-30"}) {
        useModel(model);
        CUserSetting_ZII_BasicTab& p = open();
        for (int id : {kCheckOrientation, kCheckSpeed, kCheckDarkness, kCheckPrintMode, kCheckMediaType})
            click(p, id);
        printer->writes.clear();
        click(p, kSet);
        const bool family201 = QByteArray(model) == "KX-30";
        ASSERT_EQ(printer->writes.size(), family201 ? 14u : 13u) << model;
        EXPECT_EQ(printer->writes[6], family201 ? "^XA\r\n^XZ\r\n^XA^JUS^XZ\r\n"
                                                : "^XA\r\n^PON\r\n^XZ\r\n^XA^JUS^XZ\r\n") << model;
        if (family201)
            EXPECT_EQ(printer->writes[13], hex("1b19192300"));
    }
}

TEST_F(BasicTabTest, NoFieldBoxCheckedSendsOnlyTheLocks)
{
    CUserSetting_ZII_BasicTab& p = open();
    click(p, kCheckWidth);
    click(p, kCheckWidth);
    p.CheckDlgButton(1087, true);
    click(p, kSet);
    ASSERT_EQ(printer->writes.size(), 12u);
    EXPECT_EQ(printer->writes[6], hex("1b1c1f0103"));
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(BasicTabTest, GetAppliesGoodRepliesWithItsWaitsAndTheLockByte)
{
    CUserSetting_ZII_BasicTab& p = open();
    scriptGoodReplies();
    click(p, kGet);

    const std::vector<QByteArray> queries = {
        hex("1b1c3f01"), hex("1b1c3f02"), hex("1b1c3f03"), hex("1b1c3f05"), hex("1b1c3f06"),
        hex("1b1c3f07"), hex("1b1c3f08"), hex("1b1c3f09"), hex("1b1c3f0a"), hex("1b1c2f"),
    };
    EXPECT_EQ(std::vector<QByteArray>(printer->writes.begin(), printer->writes.end()), queries);
    std::vector<int> waits;
    for (int i = 0; i < 9; ++i)
        waits.insert(waits.end(), {70, 80});
    waits.insert(waits.end(), {70, 30});
    EXPECT_EQ(pageWaits(), waits);

    EXPECT_EQ(p.GetDlgItemText(kWidth), "812");
    EXPECT_EQ(p.GetDlgItemText(kHeight), "1218");
    EXPECT_EQ(chosen(p, kOrientation), "Bottom to Top");
    EXPECT_EQ(chosen(p, kSpeed), "4.0");
    EXPECT_EQ(chosen(p, kDarkness), "15");
    EXPECT_EQ(chosen(p, kPrintMode), "Direct");
    EXPECT_EQ(chosen(p, kMediaType), "Web Sensing");  // "G" as "W"
    EXPECT_EQ(p.GetDlgItemText(kTearOff), "-7");
    EXPECT_EQ(p.GetDlgItemText(kOffset), "3");
    // 0x45: speed, width and media type locked; darkness, tear-off and offset not.
    EXPECT_EQ(lockBoxes(), (std::vector<bool>{true, true, false, true, false, false}));
    for (int id : kFieldBoxes)
        EXPECT_TRUE(p.IsDlgButtonChecked(id)) << id;
    for (int id : kFields)
        EXPECT_TRUE(p.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(p.GetDlgItem(kSet)->isEnabled());
}

TEST_F(BasicTabTest, GetKeepsWhatBadOrMissingRepliesDoNotSay)
{
    CUserSetting_ZII_BasicTab& p = open();
    scriptGoodReplies();
    click(p, kGet);

    struct Case {
        const char* name;
        std::vector<QByteArray> replies;  // empty entry: no reply
    };
    const std::vector<Case> cases = {
        {"Silent", {"", "", "", "", "", "", "", "", "", ""}},
        {"WrongLetters", {"", "", "TB", "", "", "X", "W\r\n", "", "", "LS"}},
        {"OutOfRange", {"", "", "b", "9", "31", "d", "w", "", "", QByteArray("\0\0\x30", 3)}},
        {"NegativeDarkness", {"", "", "", "", "-1", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        for (const QByteArray& r : c.replies)
            r.isEmpty() ? noReply() : reply(r);
        click(p, kGet);
        EXPECT_EQ(p.GetDlgItemText(kWidth), "812") << c.name;
        EXPECT_EQ(chosen(p, kOrientation), "Bottom to Top") << c.name;
        EXPECT_EQ(chosen(p, kSpeed), "4.0") << c.name;
        EXPECT_EQ(chosen(p, kDarkness), "15") << c.name;
        EXPECT_EQ(chosen(p, kPrintMode), "Direct") << c.name;
        EXPECT_EQ(chosen(p, kMediaType), "Web Sensing") << c.name;
        EXPECT_EQ(p.GetDlgItemText(kTearOff), "-7") << c.name;
        EXPECT_EQ(lockBoxes(), (std::vector<bool>{true, true, false, true, false, false})) << c.name;
        EXPECT_TRUE(messageTexts().isEmpty()) << c.name;
    }
}

TEST_F(BasicTabTest, GetOnASilentPrinterStillChecksAndEnablesEveryField)
{
    CUserSetting_ZII_BasicTab& p = open();
    click(p, kGet);
    for (int id : kFieldBoxes)
        EXPECT_TRUE(p.IsDlgButtonChecked(id)) << id;
    for (int id : {kOrientation, kSpeed, kDarkness, kPrintMode, kMediaType})
        EXPECT_EQ(chosen(p, id), "<none>") << id;
    EXPECT_EQ(lockBoxes(), std::vector<bool>(6, false));
    EXPECT_EQ(p.GetDlgItemText(kWidth), "0");
    EXPECT_TRUE(p.GetDlgItem(kSet)->isEnabled());
}

// Random replies of every length to every query of a Get: nothing but what a valid reply says.
TEST_F(BasicTabTest, RandomRepliesChangeOnlyWhatTheyValidlySay)
{
    CUserSetting_ZII_BasicTab& p = open();
    std::mt19937 random(8102);
    for (int length = 0; length <= 300; ++length) {
        std::vector<QByteArray> replies;
        for (int q = 0; q < 10; ++q) {
            QByteArray r(length, '\0');
            for (char& c : r)
                c = static_cast<char>(random() % 4 == 0 ? "TBDGWCM0123456789-"[random() % 18]
                                                        : random());
            replies.push_back(r);
            length == 0 ? noReply() : reply(r);
        }
        click(p, kGet);
        if (length > 256)
            continue;  // the page reads 256 bytes; the rest answers the next query
        // Each field is what its own reply gives, or what it was.
        const auto text = [&](int q) {
            return setting::ReplyText(replies[q].constData(), int(replies[q].size()));
        };
        EXPECT_EQ(p.m_fLabelWidth,
                  float(setting::DecimalReply(replies[0].constData(), int(replies[0].size()))));
        if (text(2) == "T" || text(2) == "B")
            EXPECT_EQ(chosen(p, kOrientation), text(2) == "T" ? "Top to Bottom" : "Bottom to Top");
        if (text(6) == "W" || text(6) == "G")
            EXPECT_EQ(chosen(p, kMediaType), "Web Sensing");
        const auto locks = setting::LockByte(replies[9].constData(), int(replies[9].size()));
        if (locks)
            EXPECT_EQ(p.IsDlgButtonChecked(1087), setting::IsLocked(*locks, setting::LockLabelWidth));
    }
}

TEST_F(BasicTabTest, LettersInANumberEditPromptAndTheSetGoesOnWithTheStoredValue)
{
    CUserSetting_ZII_BasicTab& p = open();
    scriptGoodReplies();
    click(p, kGet);
    printer->writes.clear();
    for (int id : kFieldBoxes)
        if (id != kCheckWidth)
            click(p, id);
    type(p, kWidth, "8x2");
    click(p, kSet);
    EXPECT_EQ(messageTexts(), QStringList{"Enter a number."});
    ASSERT_EQ(printer->writes.size(), 13u);
    EXPECT_TRUE(printer->writes[6].contains("^PW812\r\n"));
    EXPECT_EQ(p.GetDlgItemText(kWidth), "812");  // the stored value is shown again

    hooks.clearMessages();
    type(p, kTearOff, "many");
    click(p, kSet);
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
}

TEST_F(BasicTabTest, TheNumberEditsTakeOnlyTheirKeys)
{
    CUserSetting_ZII_BasicTab& p = open();
    p.CheckAllFields();
    auto press = [&](int id, int key, Qt::KeyboardModifiers mods, const QString& text) {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(p.GetDlgItem(id), &event);
    };
    for (int id : {kWidth, kHeight, kTearOff, kOffset}) {
        type(p, id, "");
        press(id, Qt::Key_4, Qt::NoModifier, "4");
        press(id, Qt::Key_2, Qt::KeypadModifier, "2");
        press(id, Qt::Key_Period, Qt::NoModifier, ".");
        press(id, Qt::Key_Period, Qt::KeypadModifier, ".");
        press(id, Qt::Key_A, Qt::NoModifier, "a");
        press(id, Qt::Key_Minus, Qt::NoModifier, "-");
        press(id, Qt::Key_Plus, Qt::KeypadModifier, "+");
    }
    EXPECT_EQ(p.GetDlgItemText(kWidth), "42.");
    EXPECT_EQ(p.GetDlgItemText(kHeight), "42.");
    EXPECT_EQ(p.GetDlgItemText(kTearOff), "42.-+");
    EXPECT_EQ(p.GetDlgItemText(kOffset), "42..a-+");  // not filtered
}

}  // namespace
