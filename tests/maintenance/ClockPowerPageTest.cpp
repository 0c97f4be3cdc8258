#include "PageFixture.h"

#include "maintenance/CUserSetting_ZII_TimeTab.h"
#include "maintenance/UserSetting_ZII_PowerTab.h"

#include <QDateEdit>
#include <QTimeEdit>
#include <random>

namespace {

constexpr int kSetClock = 1518, kComputerClock = 1519, kPickedClock = 1520;
constexpr int kDate = 1521, kTime = 1522, kClockSet = 1514;
constexpr int kPowerOff = 1136, kPowerOffTime = 1138, kPowerSave = 1137, kPowerSaveTime = 1513;
constexpr int kPowerGet = 1139, kPowerSet = 1140;

using ClockPageTest = PageTest;
using PowerPageTest = PageTest;

TEST_F(ClockPageTest, SetSendsTheClockOnlyWhenChecked)
{
    clock.setLocalTime(QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)));
    auto p = makePage<CUserSetting_ZII_TimeTab>();
    EXPECT_TRUE(p->IsDlgButtonChecked(kComputerClock));
    EXPECT_FALSE(enabled(*p, kComputerClock));
    EXPECT_FALSE(enabled(*p, kDate));
    click(*p, kClockSet);
    EXPECT_TRUE(sent().isEmpty());

    check(*p, kSetClock);
    EXPECT_TRUE(enabled(*p, kPickedClock));
    EXPECT_FALSE(enabled(*p, kDate));
    click(*p, kClockSet);
    EXPECT_EQ(sent(), QByteArray("^XA\r\n^ST03,05,2026,14,07,09,M\r\n^XZ\r\n^XA^JUS^XZ\r\n"));

    check(*p, kPickedClock);
    EXPECT_TRUE(enabled(*p, kDate));
    EXPECT_TRUE(enabled(*p, kTime));
    p->item<QDateEdit>(kDate)->setDate(QDate(2025, 12, 31));
    p->item<QTimeEdit>(kTime)->setTime(QTime(23, 59, 58));
    clearSent();
    click(*p, kClockSet);
    EXPECT_EQ(sent(), QByteArray("^XA\r\n^ST12,31,2025,23,59,58,M\r\n^XZ\r\n^XA^JUS^XZ\r\n"));
    EXPECT_TRUE(messageTexts().isEmpty());

    check(*p, kSetClock, false);
    EXPECT_FALSE(enabled(*p, kDate));
}

TEST_F(PowerPageTest, GetShowsTheParametersInMinutesAndSeconds)
{
    auto p = makePage<UserSetting_ZII_PowerTab>();
    EXPECT_EQ(p->GetDlgItemText(kPowerOffTime), QStringLiteral("0"));
    EXPECT_FALSE(enabled(*p, kPowerSet));
    struct Case {
        QByteArray enable, time, save, seconds;
        QString off, minutes, saveChoice, secondsShown;
    };
    const std::vector<Case> cases = {
        {"\x01", "\x10\x0e", QByteArray("\x00", 1), "\x1e", "Enable", "60", "Disable", "30"},
        {"\x02", "\x2c\x01", "\x01", "\xff", "Disable", "5", "Enable", "255"},
        {QByteArray("\x00", 1), QByteArray("\x59\x00", 2), "\x01", "\x0a", "Disable", "1", "Enable", "10"},
    };
    for (const Case& c : cases) {
        for (const QByteArray& r : {c.enable, c.time, c.save, c.seconds})
            reply(r);
        clearSent();
        click(*p, kPowerGet);
        EXPECT_EQ(sent(), hex("1b191a13" "1b191a14" "1b191a15" "1b191a16"));
        EXPECT_EQ(pageWaits(), (std::vector<int>{50, 50, 50, 50}));
        EXPECT_EQ((QStringList{choice(*p, kPowerOff), p->GetDlgItemText(kPowerOffTime),
                               choice(*p, kPowerSave), p->GetDlgItemText(kPowerSaveTime)}),
                  (QStringList{c.off, c.minutes, c.saveChoice, c.secondsShown}));
    }
    for (int id : {kPowerOff, kPowerOffTime, kPowerSave, kPowerSaveTime, kPowerSet})
        EXPECT_TRUE(enabled(*p, id));

    // Without replies the shown values stay; a one-byte time reply does not borrow byte 1
    // of the reply before it.
    reply("\x01\x7f");
    reply("\x78");
    noReply();
    noReply();
    click(*p, kPowerGet);
    EXPECT_EQ(p->GetDlgItemText(kPowerOffTime), QStringLiteral("2"));
    EXPECT_EQ(choice(*p, kPowerSave), QStringLiteral("Enable"));
    EXPECT_EQ(p->GetDlgItemText(kPowerSaveTime), QStringLiteral("10"));
}

TEST_F(PowerPageTest, SetSendsFourParametersAndRefusesOutOfRangeTimes)
{
    auto p = makePage<UserSetting_ZII_PowerTab>();
    for (const QByteArray& r : {QByteArray("\x01"), QByteArray("\x10\x0e"), QByteArray("\x01"), QByteArray("\x1e")})
        reply(r);
    click(*p, kPowerGet);
    pick(*p, kPowerSave, QStringLiteral("Disable"));

    struct Case {
        QString minutes, seconds;
        QByteArray sent;
        QString message;
    };
    const std::vector<Case> cases = {
        {"90", "30", hex("1b1919130" "1" "1b1919141815" "1b19191500" "1b1919161e"), ""},
        {"1", "255", hex("1b19191301" "1b191914" "3c00" "1b19191500" "1b191916ff"), ""},
        {"0", "30", {}, "Enter an integer between 1 and 90."},
        {"91", "30", {}, "Enter an integer between 1 and 90."},
        {"5", "9", {}, "Enter an integer between 10 and 255."},
        {"5", "256", {}, "Enter an integer between 10 and 255."},
    };
    for (const Case& c : cases) {
        type(*p, kPowerOffTime, c.minutes);
        type(*p, kPowerSaveTime, c.seconds);
        clearSent();
        hooks.clearMessages();
        click(*p, kPowerSet);
        EXPECT_EQ(sent(), c.sent) << c.minutes.toStdString() << " " << c.seconds.toStdString();
        EXPECT_EQ(messageTexts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_TRUE(pageWaits().empty());
    }
}

TEST_F(PowerPageTest, UnansweredEnableListsAreNotSent)
{
    auto p = makePage<UserSetting_ZII_PowerTab>();
    for (int i = 0; i < 4; ++i)
        noReply();
    click(*p, kPowerGet);
    type(*p, kPowerOffTime, QStringLiteral("2"));
    type(*p, kPowerSaveTime, QStringLiteral("20"));
    clearSent();
    click(*p, kPowerSet);
    EXPECT_EQ(sent(), hex("1b191914" "7800" "1b19191614"));
}

TEST_F(PowerPageTest, RandomRepliesKeepTheListsValid)
{
    std::mt19937 random(16);
    auto p = makePage<UserSetting_ZII_PowerTab>();
    for (int length = 0; length <= 300; ++length) {
        for (int q = 0; q < 4; ++q) {
            QByteArray bytes(length, Qt::Uninitialized);
            for (char& b : bytes)
                b = static_cast<char>(random());
            reply(bytes);
        }
        click(*p, kPowerGet);
        EXPECT_LE(p->m_nPowerOffMinutes, 65535u / 60);
        EXPECT_LE(p->m_nPowerSaveSeconds, 255u);
        for (int id : {kPowerOff, kPowerSave})
            EXPECT_LT(p->item<QComboBox>(id)->currentIndex(), 2);
        printer->replies.clear();
    }
}

}  // namespace
