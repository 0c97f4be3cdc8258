#include "PageFixture.h"

#include "maintenance/CLanguageSetting.h"
#include "maintenance/CPrinterInfo.h"

#include "tests/support/FakeUsbPrinters.h"
#include "ui/WaitCursor.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLayout>

#include <cstdlib>
#include <random>

namespace {

constexpr int kCodePage = 11, kIcs = 13, kLock = 1101, kLangGet = 1002, kLangSet = 1003;
constexpr int kHiddenGet = 1004, kHiddenSet = 1514;

constexpr int kModel = 1229, kFirmware = 1231, kMotorFeed = 1236, kMotorTotal = 1237;
constexpr int kTphEnergize = 1238, kTphTotal = 1239, kCutter = 1240, kCutterTotal = 1241;
constexpr int kCutterLabel = 1141, kCutterTotalLabel = 1142, kInfoGet = 1002;
constexpr int kInitMotor = 1116, kInitTph = 1117, kInitCutter = 1118;
constexpr int kUsbSerial = 1119, kSetUsbSerial = 1120;
const int kValues[] = {kModel, kFirmware, kMotorFeed, kMotorTotal, kTphEnergize, kTphTotal, kCutter, kCutterTotal};

using LanguagePageTest = PageTest;
using PrinterInfoPageTest = PageTest;

TEST_F(LanguagePageTest, GetReadsBothSwitchesOnTheLinksReplyPortAndTheLock)
{
    struct Case {
        const char* port;
        char digit;
    };
    for (const Case& c : {Case{"COM1:", '1'}, Case{"LPT1:", '2'}}) {
        openPort(QString::fromLatin1(c.port));
        auto p = makePage<CLanguageSetting>();
        EXPECT_FALSE(p->GetDlgItem(kHiddenGet)->isVisibleTo(&host));
        EXPECT_FALSE(p->GetDlgItem(kHiddenSet)->isVisibleTo(&host));
        EXPECT_FALSE(enabled(*p, kLangSet));
        EXPECT_FALSE(enabled(*p, kCodePage));
        reply("\x07");
        reply("\x02");
        reply(QByteArray("\x30\x30\x38\x30", 4));
        click(*p, kLangGet);
        EXPECT_EQ(sent(), QByteArray("*MBR1,") + c.digit + "*MBR3," + c.digit + "\x1b\x1c/");
        EXPECT_EQ(pageWaits(), (std::vector<int>{50, 50, 20, 50, 30}));
        EXPECT_EQ(choice(*p, kCodePage), QStringLiteral("PC865 + WPC1252 - European Combined"));
        EXPECT_EQ(choice(*p, kIcs), QStringLiteral("Germany"));
        EXPECT_TRUE(p->IsDlgButtonChecked(kLock));
        EXPECT_TRUE(enabled(*p, kLangSet));
    }
}

TEST_F(LanguagePageTest, GetOverUsbAsksForTheReplyOnUsb)
{
    ztest::FakeUsbPrinters usb;
    platform::ScopedService<platform::UsbPrinters> usbScope{usb};
    const QString path = QStringLiteral("\\\\?\\usb#vid_2f1a&pid_0a21#A1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    usb.addInterface(path);
    g_comm.Close();
    printer = &io.addDevice(path);
    io.addAlias(path + QStringLiteral("\\USB0/4"), path);
    g_comm.SetPortName(QStringLiteral("USB"));
    ASSERT_TRUE(g_comm.Open());
    ASSERT_EQ(g_comm.m_nPortType, PORT_USB);
    clearSent();
    auto p = makePage<CLanguageSetting>();
    reply("\x03");
    reply("\x0a");
    reply(QByteArray("\0\0\0\0", 4));
    click(*p, kLangGet);
    EXPECT_EQ(sent(), QByteArray("*MBR1,3*MBR3,3\x1b\x1c/"));
    EXPECT_EQ(choice(*p, kCodePage), QStringLiteral("PC860 - Portuguese"));
    EXPECT_EQ(choice(*p, kIcs), QStringLiteral("Japan"));
    g_comm.Close();
}

TEST_F(LanguagePageTest, RepliesOutOfTheListsMissingBytesAndLockBits)
{
    auto p = makePage<CLanguageSetting>();
    struct Case {
        QByteArray codePage, ics, lock;
        QString shownCodePage, shownIcs;
        bool locked;
    };
    const std::vector<Case> cases = {
        {"\x18", "\x0f", QByteArray("\0\0\x08\0", 4), "CP1256-Farsi", "China", true},
        {"\x19", "\x10", QByteArray("\0\0\x07\0", 4), "", "", false},
        {"\xff", QByteArray("\0", 1), QByteArray("\0\0\x38\0", 4), "", "U.S.A", true},
        {"\x00", "", QByteArray("\0\0\x30\0", 4), "", "", false},  // no byte: no selection
        {"\x01", "\x01", "\x08", "PC850 - Latin 1", "France", false},  // too short: unchanged
    };
    for (const Case& c : cases) {
        c.codePage.isEmpty() ? noReply() : reply(c.codePage);
        c.ics.isEmpty() ? noReply() : reply(c.ics);
        reply(c.lock);
        click(*p, kLangGet);
        EXPECT_EQ(choice(*p, kCodePage), c.shownCodePage) << c.shownCodePage.toStdString();
        EXPECT_EQ(choice(*p, kIcs), c.shownIcs) << c.shownIcs.toStdString();
        EXPECT_EQ(p->IsDlgButtonChecked(kLock), c.locked) << c.shownCodePage.toStdString();
    }
}

TEST_F(LanguagePageTest, SetSendsTheElevenStepsInOrder)
{
    auto p = makePage<CLanguageSetting>();
    reply("\x00");
    reply("\x00");
    reply(QByteArray("\0\0\0\0", 4));
    click(*p, kLangGet);
    pick(*p, kCodePage, QStringLiteral("WPC1254 - Turkish"));
    pick(*p, kIcs, QStringLiteral("Germany"));
    check(*p, kLock);
    clearSent();
    click(*p, kLangSet);
    const QByteArray expected = hex("1b1c1f0008") + QByteArray("*MBS1,\x0c") + QByteArray("*MBA\x01\r")
                                + QByteArray("*MBS3,\x02") + QByteArray("*MBA\x03\r") + hex("1b1c1f0108");
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(sent().size(), 36);
    EXPECT_EQ(printer->writes.size(), 6u);
    EXPECT_TRUE(pageWaits().empty());
    EXPECT_TRUE(messageTexts().isEmpty());

    // A list left without a selection keeps the printer's switch as it is.
    noReply();
    reply("\x03");
    reply(QByteArray("\0\0\0\0", 4));
    click(*p, kLangGet);
    check(*p, kLock, false);
    clearSent();
    click(*p, kLangSet);
    EXPECT_EQ(sent(), hex("1b1c1f0008") + QByteArray("*MBS3,\x03") + QByteArray("*MBA\x03\r") + hex("1b1c1f0008"));
}

// A switch whose list shows no choice after a Get is left as the printer holds it.
TEST_F(LanguagePageTest, SetOfAListWithoutAChoiceSendsOnlyTheLocks)
{
    auto p = makePage<CLanguageSetting>();
    reply("\x19");
    reply("\x02");
    reply(QByteArray("\0\0\x08\0", 4));
    click(*p, kLangGet);
    ASSERT_EQ(choice(*p, kCodePage), QString());
    clearSent();
    click(*p, kLangSet);
    EXPECT_EQ(sent(), hex("1b1c1f0008") + QByteArray("*MBS3,\x02*MBA\x03\r") + hex("1b1c1f0108"));
}

TEST_F(LanguagePageTest, RandomRepliesOfEveryLength)
{
    std::mt19937 random(107);
    auto p = makePage<CLanguageSetting>();
    for (int length = 0; length <= 300; ++length) {
        const bool lockedBefore = p->IsDlgButtonChecked(kLock);
        QByteArray lock(length, Qt::Uninitialized);
        for (char& b : lock)
            b = static_cast<char>(random());
        reply(QByteArray(1, char(random() % 40)));
        reply(QByteArray(1, char(random() % 24)));
        reply(lock);
        click(*p, kLangGet);
        EXPECT_LT(p->m_nCodePage, 25);
        EXPECT_LT(p->m_nIcs, 16);
        EXPECT_EQ(p->IsDlgButtonChecked(kLock), length > 2 ? (lock[2] & 0x08) != 0 : lockedBefore);
        printer->replies.clear();
    }
}

TEST_F(PrinterInfoPageTest, GetShowsModelFirmwareAndCountersWithAndWithoutReplies)
{
    auto p = makePage<CPrinterInfo>();
    for (const char* r : {"KX-21\r\n", "V2.10", "1234\r\n", "56789\r\n", "12\n\r", "56000\r\n", "17\r\n", "340\r\n"})
        reply(r);
    click(*p, kInfoGet);
    EXPECT_EQ(sent(), QByteArray("^PI0\r\n^PI2\r\n^PI3,0,0\r\n^PI3,0,1\r\n^PI3,1,0\r\n^PI3,1,1\r\n^PI3,2,0\r\n^PI3,2,1\r\n"));
    EXPECT_EQ(pageWaits(), std::vector<int>(8, 40));
    const auto shownValues = [&] {
        return QStringList{p->m_strModel,      p->m_strFirmware, p->m_strMotorFeed, p->m_strMotorTotal,
                           p->m_strTphEnergize, p->m_strTphTotal, p->m_strCutter,   p->m_strCutterTotal};
    };
    QStringList shown = shownValues();
    EXPECT_EQ(p->GetDlgItemText(kMotorFeed), QStringLiteral("1234 meter"));
    EXPECT_EQ(shown, (QStringList{"KX-21\r\n", "V2.10", "1234 meter", "56789 meter", "12\n meter",
                                  "56000 meter", "17 times", "340 times"}));
    EXPECT_EQ(messageTexts(), QStringList{"Get printer information is successful."});
    EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Information);

    // Only the last query decides; the others without reply give blanks and zeros.
    hooks.clearMessages();
    for (int i = 0; i < 7; ++i)
        noReply();
    reply("5\r\n");
    click(*p, kInfoGet);
    EXPECT_EQ(shownValues(), (QStringList{"", "", " meter", " meter", " meter", " meter", "0 times", "5 times"}));

    // No reply to the last one: failure, and the page stays blank.
    hooks.clearMessages();
    for (const char* r : {"KX-21", "V2", "1", "2", "3", "4", "5"})
        reply(r);
    noReply();
    click(*p, kInfoGet);
    for (int id : kValues)
        EXPECT_TRUE(p->GetDlgItemText(id).isEmpty()) << id;
    EXPECT_EQ(messageTexts(), QStringList{"Get printer information is failed."});
    EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Exclamation);
}

// Message boxes that note whether the hour-glass was still up when each one showed.
class CursorWatchingAlerts : public platform::Alerts {
public:
    void show(const QString& text, platform::AlertIcon) override
    {
        shown.push_back({text, ui::WaitCursor::depth()});
    }
    std::vector<std::pair<QString, int>> shown;
};

TEST_F(PrinterInfoPageTest, GetEndsTheWaitCursorBeforeItsMessage)
{
    auto p = makePage<CPrinterInfo>();
    CursorWatchingAlerts alerts;
    platform::ScopedService<platform::Alerts> alertsScope{alerts};
    for (const char* r : {"KX-21\r\n", "V2.10", "1", "2", "3", "4", "5", "6"})
        reply(r);
    click(*p, kInfoGet);
    for (int i = 0; i < 8; ++i)
        noReply();
    click(*p, kInfoGet);
    using Shown = std::pair<QString, int>;
    EXPECT_EQ(alerts.shown, (std::vector<Shown>{{"Get printer information is successful.", 0},
                                                {"Get printer information is failed.", 0}}));
}

TEST_F(PrinterInfoPageTest, ModelAndFirmwareWithLineEndsKeepTheirRowsOneLineHigh)
{
    auto p = makePage<CPrinterInfo>();
    host.show();
    p->show();
    QCoreApplication::sendPostedEvents();
    p->layout()->activate();
    const int oneLine = p->GetDlgItem(kMotorFeed)->height();
    const int modelTop = p->GetDlgItem(kModel)->y();
    for (const char* r : {"KX-21\r\n", "V2.10.05\r\n", "1\r\n", "2\r\n", "3\r\n", "4\r\n", "5\r\n", "6\r\n"})
        reply(r);
    click(*p, kInfoGet);
    ASSERT_EQ(p->m_strModel, QStringLiteral("KX-21\r\n"));
    QCoreApplication::sendPostedEvents();
    p->layout()->activate();
    for (int id : kValues)
        EXPECT_EQ(p->GetDlgItem(id)->height(), oneLine) << id;
    EXPECT_EQ(p->GetDlgItem(kModel)->y(), modelTop);
    // Each value stays level with its caption in the first column.
    const auto* grid = qobject_cast<QGridLayout*>(p->GetDlgItem(kModel)->parentWidget()->layout());
    ASSERT_NE(grid, nullptr);
    for (int row = 0; row < 8; ++row) {
        const QRect caption = grid->itemAtPosition(row, 0)->widget()->geometry();
        const QRect value = grid->itemAtPosition(row, 1)->widget()->geometry();
        EXPECT_LE(std::abs(caption.center().y() - value.center().y()), 1) << row;
    }
}

TEST_F(PrinterInfoPageTest, ResetsSendSixBytesEachAndFamily201RenamesTheCutterRows)
{
    auto p = makePage<CPrinterInfo>();
    EXPECT_EQ(p->GetDlgItemText(kCutterLabel), QStringLiteral("Auto-Cutter History :"));
    click(*p, kInitMotor);
    EXPECT_EQ(sent(), hex("2a4d42590f0c"));
    click(*p, kInitTph);
    click(*p, kInitCutter);
    EXPECT_EQ(sent(), hex("2a4d42590f0c" "2a4d42590f0d" "2a4d42590f0e"));
    EXPECT_TRUE(printer->replies.empty());
    EXPECT_TRUE(messageTexts().isEmpty());

    record.m_nMenuViewId = 201;
    auto p201 = makePage<CPrinterInfo>();
    EXPECT_EQ(p201->GetDlgItemText(kCutterLabel), QStringLiteral("Label Print History :"));
    EXPECT_EQ(p201->GetDlgItemText(kCutterTotalLabel), QStringLiteral("Permanent Label History :"));
    EXPECT_EQ(p201->GetDlgItemText(kInitCutter), QStringLiteral("Init Label Stat"));
    clearSent();
    click(*p201, kInitCutter);
    EXPECT_EQ(sent(), hex("2a4d42590f0e"));
}

TEST_F(PrinterInfoPageTest, UsbSerialNumberLengthPerModel)
{
    struct Case {
        const char* model;
        QString serial;
        QByteArray sent;
        QString message;
    };
    const std::vector<Case> cases = {
        {"KX-21", "1234567890123", QByteArray("\x1b\x1c\x1d" "1234567890123\r\n"), "Set USB serial number is successful"},
        {"KX-21", "123456789012", {}, "USB Serial Number must be 13 digit number"},
        {"KX-30", "1234567890123", {}, "USB Serial Number must be 16 digit number"},
        {"PV-9", "ABCDEFGHIJKLMNOP", QByteArray("\x1b\x1c\x1d" "ABCDEFGHIJKLMNOP\r\n"), "Set USB serial number is successful"},
    };
    for (const Case& c : cases) {
        record.m_strModelName = QString::fromLatin1(c.model);
        auto p = makePage<CPrinterInfo>();
        type(*p, kUsbSerial, c.serial);
        clearSent();
        hooks.clearMessages();
        click(*p, kSetUsbSerial);
        EXPECT_EQ(sent(), c.sent) << c.model;
        EXPECT_EQ(messageTexts(), QStringList{c.message}) << c.model;
    }
    // The edit of a 13-digit model takes at most 13 characters.
    record.m_strModelName = QStringLiteral("KX-21");
    auto p = makePage<CPrinterInfo>();
    p->item<QLineEdit>(kUsbSerial)->insert(QStringLiteral("12345678901234567"));
    EXPECT_EQ(p->GetDlgItemText(kUsbSerial), QStringLiteral("1234567890123"));
}

TEST_F(PrinterInfoPageTest, RandomRepliesOfEveryLength)
{
    std::mt19937 random(112);
    auto p = makePage<CPrinterInfo>();
    for (int length = 0; length <= 300; length += 3) {
        for (int q = 0; q < 8; ++q) {
            QByteArray bytes(length, Qt::Uninitialized);
            for (char& b : bytes)
                b = static_cast<char>(random());
            reply(bytes);
        }
        click(*p, kInfoGet);
        for (const QString& value : {p->m_strMotorFeed, p->m_strTphTotal, p->m_strCutterTotal})
            EXPECT_LE(value.size(), 32 + 6);
        printer->replies.clear();
    }
}

}  // namespace
