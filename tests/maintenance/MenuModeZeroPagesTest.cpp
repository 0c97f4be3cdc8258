// The pages of menu mode 0: serial switch, printer page setting and hardware information.
#include "core/Globals.h"
#include "core/ModelTable.h"
#include "maintenance/CHardwareInfoSetting.h"
#include "maintenance/CPrinterPageSetting.h"
#include "maintenance/CSerialSetting.h"
#include "maintenance/PrinterPageCommands.h"
#include "maintenance/SerialSwitch.h"
#include "maintenance/UserSettingPages.h"
#include "tests/support/SimProcess.h"
#include "tests/workbench/WorkbenchFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <random>

namespace {

// Types as the operator does, one key at a time, so the edit's own rules apply.
void typeKeys(ui::Dialog& page, int id, const QString& keys)
{
    auto* edit = page.item<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->clear();
    for (QChar c : keys)
        edit->insert(QString(c));
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

class MenuModeZeroTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        g_menuMode = 0;
    }
    void TearDown() override
    {
        g_menuMode = 1;
        WorkbenchTest::TearDown();
    }

    template <class Page>
    std::unique_ptr<Page> open()
    {
        auto page = std::make_unique<Page>();
        page->Create(&host);
        printer->writes.clear();
        printer->written.clear();
        return page;
    }
    QString comboText(ui::Dialog& page, int id) { return page.item<QComboBox>(id)->currentText(); }
    // The page's own waits, without the link's 1 ms polls while it reads.
    std::vector<int> protocolWaits() const
    {
        std::vector<int> waits;
        for (int ms : clock.sleeps())
            if (ms > 1)
                waits.push_back(ms);
        return waits;
    }

    QWidget host;
};

// ---- serial switch ------------------------------------------------------------------------

struct SwitchCase {
    int reply;
    QStringList shown;  // data length, handshake, parity check, parity selection, stop, baud
};

TEST_F(MenuModeZeroTest, SerialGetShowsTheBitsOfSwitchTwo)
{
    const std::vector<SwitchCase> cases = {
        {0x00, {"8", "Hardware", "No Parity", "Even", "1 Stop Bit", "By Dip Switch"}},
        {0x7F, {"7", "Software", "Parity", "Odd", "2 Stop Bit", "57600"}},
        {0x25, {"7", "Software", "No Parity", "Even", "1 Stop Bit", "38400"}},
        {0x40, {"8", "Hardware", "No Parity", "Even", "1 Stop Bit", "By Dip Switch"}},
    };
    for (const SwitchCase& c : cases) {
        auto page = open<CSerialSetting>();
        printer->replies.push_back(bytes({c.reply}));
        hooks.clearMessages();
        click(*page, 1002);
        EXPECT_EQ(printer->written, "^MBR2,1");
        const QStringList shown = {comboText(*page, 1015), comboText(*page, 1013),
                                   comboText(*page, 1017), comboText(*page, 1016),
                                   comboText(*page, 1014), comboText(*page, 1019)};
        EXPECT_EQ(shown, c.shown) << c.reply;
        EXPECT_TRUE(page->GetDlgItem(1003)->isEnabled());
        EXPECT_EQ(messageTexts(), QStringList{"Get serial communication status is successful"});
    }
}

TEST_F(MenuModeZeroTest, SerialGetWithoutReplyLeavesTheListsEmptyAndDisabled)
{
    auto page = open<CSerialSetting>();
    click(*page, 1002);
    EXPECT_EQ(page->item<QComboBox>(1015)->currentIndex(), -1);
    EXPECT_FALSE(page->GetDlgItem(1003)->isEnabled());
    EXPECT_EQ(messageTexts(), QStringList{"Get serial communication status is failed"});
}

TEST_F(MenuModeZeroTest, SerialSetWritesTheByteThenCommitsAndTellsThreeThings)
{
    auto page = open<CSerialSetting>();
    page->m_nDataLength = 1;
    page->m_nHandshake = 1;
    page->m_nParityCheck = 1;
    page->m_nParitySelection = 1;
    page->m_nStopBit = 1;
    page->m_nBaudChoice = 1;
    page->UpdateData(false);
    page->OnSetSerial();
    ASSERT_EQ(printer->writes.size(), 2u);
    EXPECT_EQ(printer->writes[0], QByteArray("^MBS2,\x3f"));
    EXPECT_EQ(printer->writes[1], bytes({'^', 'M', 'B', 'A', 0x02, 0x0D}));
    EXPECT_EQ(messageTexts(), (QStringList{"Set serial communication status is successful",
                                           "Please, turn off the printer and turn on the printer",
                                           "Please, close application and re-connect printer"}));
}

TEST_F(MenuModeZeroTest, SerialDefaultBeforeAnyGetKeepsTheBaudEmpty)
{
    auto page = open<CSerialSetting>();
    click(*page, 1152);
    EXPECT_EQ(comboText(*page, 1015), "8");
    EXPECT_EQ(comboText(*page, 1013), "Hardware");
    EXPECT_EQ(page->item<QComboBox>(1019)->currentIndex(), -1);
    EXPECT_FALSE(page->GetDlgItem(1015)->isEnabled());
    EXPECT_TRUE(printer->written.isEmpty());
}

TEST(SerialSwitchTest, EncodeCountsNoSelectionAsSet)
{
    SerialSwitchFields none;
    EXPECT_EQ(EncodeSerialSwitch(none), 0x1F);
    for (int value = 0; value < 0x80; ++value) {
        const SerialSwitchFields f = DecodeSerialSwitch(static_cast<std::uint8_t>(value));
        // Bit 6 alone is no baud choice the page can write back.
        const int expected = (value & 0x60) == 0x40 ? value & 0x1F : value;
        EXPECT_EQ(EncodeSerialSwitch(f), expected) << value;
    }
}

// ---- printer page setting -----------------------------------------------------------------

TEST_F(MenuModeZeroTest, PaperWidthSetChecksTheRangeFirst)
{
    auto page = open<CPrinterPageSetting>();
    EXPECT_FALSE(page->GetDlgItem(1152)->isEnabled());  // until the row's first Get
    printer->replies.push_back("800\r\n");
    click(*page, 1153);
    printer->written.clear();
    hooks.clearMessages();
    type(*page, 1225, "832");
    click(*page, 1152);
    EXPECT_EQ(printer->written, "^MBU0,832\r");
    EXPECT_EQ(messageTexts(), QStringList{"Setting paper width is successful"});

    printer->written.clear();
    hooks.clearMessages();
    type(*page, 1225, "833");
    click(*page, 1152);
    EXPECT_TRUE(printer->written.isEmpty());
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_TRUE(hooks.messages()[0].text.contains("832"));
}

TEST_F(MenuModeZeroTest, NumericGetPutsTheReplyIntoTheRowAndEnablesIt)
{
    struct Case {
        int get;
        int edit;
        QByteArray query;
        QByteArray reply;
        QString shown;
    };
    const std::vector<Case> cases = {
        {1153, 1225, "^PI5,0\r\n", "832\r\n", "832"},
        {1155, 1207, "^PI5,1\r\n", "\r\n", "0"},
        {1165, 1208, "^PI5,2\r\n", "24\n\r\n", "24"},
        {1161, 1201, "^PI4,1\r\n", "12", "12"},
    };
    for (const Case& c : cases) {
        auto page = open<CPrinterPageSetting>();
        printer->replies.push_back(c.reply);
        click(*page, c.get);
        EXPECT_EQ(printer->written, c.query);
        EXPECT_EQ(text(*page, c.edit), c.shown);
        EXPECT_TRUE(page->GetDlgItem(c.edit)->isEnabled());
        EXPECT_EQ(protocolWaits(), std::vector<int>{10});
        clock.clearSleeps();
    }
}

TEST_F(MenuModeZeroTest, SwitchRowsReadOnlyTheBytesTheirSetWrites)
{
    auto page = open<CPrinterPageSetting>();
    auto strobe = [&] {
        for (int i = 0; i < 3; ++i)
            if (page->item<QRadioButton>(1227 + i)->isChecked())
                return i;
        return -1;
    };
    const std::vector<std::pair<int, int>> strobes = {{0x40, 1}, {0x60, -1}, {0x80, 2}, {0x00, 0}};
    for (const auto& [reply, index] : strobes) {
        printer->replies.push_back(bytes({reply}));
        click(*page, 1163);
        EXPECT_EQ(strobe(), index) << reply;
    }
    EXPECT_EQ(printer->writes.back(), "^MBR4,1");

    const std::vector<std::pair<int, int>> gaps = {{0x20, 1}, {0x60, -1}};
    for (const auto& [reply, index] : gaps) {
        printer->replies.push_back(bytes({reply}));
        click(*page, 1167);
        EXPECT_EQ(page->item<QComboBox>(1267)->currentIndex(), index) << reply;
        EXPECT_EQ(strobe(), 0);  // untouched
    }

    const std::vector<std::pair<int, int>> speeds = {{0xA5, 5}, {0xE0, 0}, {0x00, 0}};
    for (const auto& [reply, index] : speeds) {
        printer->replies.push_back(bytes({reply}));
        click(*page, 1169);
        EXPECT_EQ(page->item<QComboBox>(1317)->currentIndex(), index) << reply;
    }

    printer->writes.clear();
    page->item<QRadioButton>(1228)->setChecked(true);
    click(*page, 1162);
    ASSERT_EQ(printer->writes.size(), 2u);
    EXPECT_EQ(printer->writes[0], bytes({'^', 'M', 'B', 'S', '4', ',', 0x40, 0x0D}));
    EXPECT_EQ(printer->writes[1], bytes({'^', 'M', 'B', 'A', 0x04, 0x0D}));
}

TEST_F(MenuModeZeroTest, OffsetGetAndSetCarryTheSign)
{
    auto page = open<CPrinterPageSetting>();
    printer->replies.push_back("-012");
    click(*page, 1172);
    EXPECT_EQ(printer->written, "^SA\r\n");
    EXPECT_TRUE(page->item<QCheckBox>(1434)->isChecked());
    EXPECT_EQ(text(*page, 1226), "12");

    printer->written.clear();
    click(*page, 1171);
    EXPECT_EQ(printer->written, "SA-12\r\n");

    // Leading zeros that would pass the printer's 31 bytes go as the value they hold.
    printer->written.clear();
    type(*page, 1226, QString(40, u'0') + "7");
    click(*page, 1171);
    EXPECT_EQ(printer->written, "SA-7\r\n");

    // A reply whose digits are not digits says nothing.
    hooks.clearMessages();
    printer->replies.push_back("+1x3");
    click(*page, 1174);
    EXPECT_EQ(text(*page, 1230), "0");
    EXPECT_EQ(messageTexts(), QStringList{"Getting tear-off/cutting position is failed"});
}

TEST_F(MenuModeZeroTest, PageEditsTakeDigitsAlone)
{
    struct Case {
        int get;
        QByteArray reply;
        int edit;
        int set;
        const char* keys;
        QString shown;
        QByteArray sent;
    };
    const std::vector<Case> cases = {
        {1172, "+000", 1226, 1171, "+50", "50", "SA+50\r\n"},
        {1172, "+000", 1226, 1171, " 50", "50", "SA+50\r\n"},
        {1174, "+000", 1230, 1173, "+7", "7", "TA+7\r\n"},
        {1174, "+000", 1230, 1173, "-1e1", "11", "TA+11\r\n"},
        {1153, "0\r\n", 1225, 1152, "+8 3.2", "832", "^MBU0,832\r"},
        {1161, "0\r\n", 1201, 1160, "-5", "5", "^MBU1,5\r"},
        {1165, "0\r\n", 1208, 1164, "0x20", "020", "^MBU5,20\r"},
    };
    // Every edit of the page, the three not in the table included.
    for (int id : {1210, 1207, 1213}) {
        auto page = open<CPrinterPageSetting>();
        typeKeys(*page, id, "+1 2");
        EXPECT_EQ(text(*page, id), "12") << id;
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        auto page = open<CPrinterPageSetting>();
        printer->replies = {c.reply};
        click(*page, c.get);  // the row's first Get enables its edit and Set
        typeKeys(*page, c.edit, QString::fromLatin1(c.keys));
        EXPECT_EQ(text(*page, c.edit), c.shown);
        printer->written.clear();
        hooks.clearMessages();
        click(*page, c.set);
        EXPECT_EQ(printer->written, c.sent);
        ASSERT_EQ(hooks.messages().size(), 1u);
        EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);
    }
    // A text put there other than by typing goes as the value it holds, with one sign.
    auto page = open<CPrinterPageSetting>();
    printer->replies = {"+000"};
    click(*page, 1172);
    type(*page, 1226, "+50");
    printer->written.clear();
    click(*page, 1171);
    EXPECT_EQ(printer->written, "SA+50\r\n");
}

TEST_F(MenuModeZeroTest, SpeedListHoldsExactlyTheCodesOfSwitchThree)
{
    BuildModelTable();
    for (const char* model : {"RN-5", "KX-30", "KX-21", "VANTO-LABEL"}) {
        SCOPED_TRACE(model);
        g_modelName = QString::fromLatin1(model);
        auto page = open<CPrinterPageSetting>();
        auto* list = page->item<QComboBox>(1317);
        // Every code a Get can return shows as its own item.
        for (int code = 7; code >= 0; --code) {
            printer->replies = {bytes({code << 5 | 0x15})};
            click(*page, 1169);
            EXPECT_EQ(list->currentIndex(), code == 7 ? 0 : code) << code;
        }
        // Every item offered is written as its own code: none falls back to "Default".
        EXPECT_EQ(list->count(), 7);
        for (int index = 0; index < list->count(); ++index) {
            list->setCurrentIndex(index);
            printer->writes.clear();
            click(*page, 1168);
            ASSERT_EQ(printer->writes.size(), 2u);
            EXPECT_EQ(printer->writes[0], bytes({'^', 'M', 'B', 'S', '3', ',', index * 0x20, 0x0D}))
                << list->itemText(index).toStdString();
        }
    }
    g_modelName.clear();
    ClearModelTable();
}

TEST_F(MenuModeZeroTest, CheckLabelLengthAndInitialize)
{
    auto page = open<CPrinterPageSetting>();
    click(*page, 1170);
    EXPECT_EQ(printer->written, "^MBL0");
    page->item<QRadioButton>(1433)->setChecked(true);
    printer->written.clear();
    click(*page, 1170);
    EXPECT_EQ(printer->written, "^MBL1");
    printer->written.clear();
    click(*page, 1244);
    EXPECT_EQ(printer->written, bytes({0x5E, 0x4D, 0x42, 0x55, 0x0F, 0x2C, 0x39, 0x39, 0x0D}));
    EXPECT_EQ(messageTexts(), QStringList{"Initialize all user setting data is successful"});
}

// ---- hardware information -----------------------------------------------------------------

TEST_F(MenuModeZeroTest, HardwareRecordsReadWithTheirWaitsAndRules)
{
    auto page = open<CHardwareInfoSetting>();
    printer->replies.push_back("1.10\r\n");
    click(*page, 1232);
    EXPECT_EQ(printer->written, "^MBX0\r\n");
    EXPECT_EQ(text(*page, 1231), "1.10");
    ASSERT_EQ(hooks.messages().size(), 1u);
    EXPECT_EQ(hooks.messages()[0].text, "H/W version is 1.10.");
    EXPECT_EQ(hooks.messages()[0].caption, "Information");
    EXPECT_EQ(protocolWaits(), std::vector<int>{100});

    hooks.clearMessages();
    for (int get : {1232, 1236, 1239}) {
        printer->replies.push_back("\r\n");
        click(*page, get);
    }
    EXPECT_EQ(messageTexts(),
              (QStringList{"H/W version is NULL", "Serial Number is .", "Printer ID is NULL"}));
    EXPECT_EQ(protocolWaits(), (std::vector<int>{100, 100, 1000, 100}));
}

TEST_F(MenuModeZeroTest, HardwareWritesWaitAndRefuseWhatWouldNotFit)
{
    auto page = open<CHardwareInfoSetting>();
    click(*page, 1154);
    EXPECT_EQ(printer->written, bytes({0x5E, 0x4D, 0x42, 0x59, 0x0F, 0x2C, 0x32, 0x0D, 0x0A}));
    EXPECT_EQ(protocolWaits(), std::vector<int>{5700});
    EXPECT_EQ(messageTexts(), QStringList{"Initialize printer ID is successful"});

    printer->written.clear();
    type(*page, 1234, "SN-0042");
    click(*page, 1235);
    EXPECT_EQ(printer->written, "^MBY1,SN-0042\r\n");
}

TEST_F(MenuModeZeroTest, TypingPastTheLimitCutsTheField)
{
    auto page = open<CHardwareInfoSetting>();
    auto* edit = page->item<QLineEdit>(1231);
    edit->setFocus();
    for (QChar c : QStringLiteral("1.105"))
        edit->insert(QString(c));
    EXPECT_EQ(edit->text(), "1.10");
    EXPECT_EQ(messageTexts(),
              QStringList{"Hardware version string can't be more than 4 characters."});
}

// Showing what the printer sent changes the field as typing does: the same cut, the same warning.
TEST_F(MenuModeZeroTest, OverLongRecordsReadAreCutAndWarnedAsTypedText)
{
    struct Case {
        int get;
        int edit;
        int set;
        char fill;
        int limit;
        QString readMessage;
        QString tooLong;
        QByteArray write;
    };
    const std::vector<Case> cases = {
        {1232, 1231, 1233, 'Z', 4, "H/W version is ZZZZZZZ.",
         "Hardware version string can't be more than 4 characters.", "^MBY0,ZZZZ\r\n"},
        {1236, 1234, 1235, '9', 16, "Serial Number is 999999999999999999.",
         "Serial number string can't be more than 16 characters.", "^MBY1,9999999999999999\r\n"},
        {1239, 1237, 1238, 'P', 7, "Printer ID is PPPPPPPPPPPP.",
         "Printer ID string can't be more than 7 character.", "^MBY2,PPPPPPP\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.get);
        auto page = open<CHardwareInfoSetting>();
        hooks.clearMessages();
        printer->replies = {QByteArray(40, c.fill)};
        click(*page, c.get);
        printer->replies.clear();
        EXPECT_EQ(text(*page, c.edit), QString(c.limit, QChar::fromLatin1(c.fill)));
        EXPECT_EQ(messageTexts(), (QStringList{c.readMessage, c.tooLong}));
        EXPECT_EQ(hooks.messages().back().icon, platform::AlertIcon::Exclamation);

        printer->written.clear();
        click(*page, c.set);
        EXPECT_EQ(printer->written, c.write);
    }
}

// ---- bad replies --------------------------------------------------------------------------

TEST_F(MenuModeZeroTest, RandomRepliesNeverCrashOrShowWhatTheyDoNotSay)
{
    std::mt19937 random(4110);
    auto page = open<CPrinterPageSetting>();
    auto hw = open<CHardwareInfoSetting>();
    auto serial = open<CSerialSetting>();
    for (int length = 0; length <= 300; length += 1) {
        QByteArray reply(length, '\0');
        for (char& c : reply)
            c = static_cast<char>(random());
        for (int get : {1153, 1163, 1167, 1169, 1172, 1174}) {
            printer->replies.push_back(reply);
            click(*page, get);
        }
        printer->replies.push_back(reply);
        click(*hw, 1236);
        printer->replies.push_back(reply);
        click(*serial, 1002);

        const auto offset = printerpage::SignedReply(reply.constData(), int(reply.size()));
        if (offset)
            EXPECT_TRUE(offset->value >= 0 && offset->value <= 999);
        EXPECT_LE(page->m_nPrintOffset, 999);
        EXPECT_GE(page->m_nPrintOffset, 0);
        EXPECT_LE(page->m_nPrintSpeed, 6);
        EXPECT_LE(hw->m_strSerialNumber.size(), 18);
    }
}

// ---- the page set and the simulator -------------------------------------------------------

TEST(MenuModeZeroPages, FactoryBuildsTheirClasses)
{
    EXPECT_NE(dynamic_cast<CSerialSetting*>(CreateUserSettingPage(UserSettingPage::SerialSetting).get()), nullptr);
    EXPECT_NE(dynamic_cast<CPrinterPageSetting*>(CreateUserSettingPage(UserSettingPage::PrintAndPage).get()), nullptr);
    EXPECT_NE(dynamic_cast<CHardwareInfoSetting*>(CreateUserSettingPage(UserSettingPage::HardwareInfo).get()), nullptr);
}

class MenuModeZeroSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int port = sim.startTcp();
        ASSERT_GT(port, 0);
        g_menuMode = 0;
        ASSERT_TRUE(sim.openLink());
    }
    void TearDown() override
    {
        g_menuMode = 1;
        g_comm.MarkTcpForClose();
        g_comm.Close();
    }

    ztest::SimProcess sim;
    ztest::TestClock clock;
    platform::ScopedService<platform::Clock> clockScope{clock};
    ui::TestHooks hooks;
    QWidget host;
};

TEST_F(MenuModeZeroSimTest, SetThenGetBackThroughThePages)
{
    {
        CPrinterPageSetting page;
        page.Create(&host);
        click(page, 1155);  // a row's Set is enabled by its first Get
        click(page, 1174);
        page.item<QLineEdit>(1207)->setText("1500");
        click(page, 1154);
        page.item<QCheckBox>(1435)->setChecked(true);
        page.item<QLineEdit>(1230)->setText("7");
        click(page, 1173);
        CHardwareInfoSetting hw;
        hw.Create(&host);
        hw.item<QLineEdit>(1237)->setText("LINE-4");
        click(hw, 1238);
    }
    ASSERT_TRUE(sim.waitForLog("hardware record 2 = LINE-4"));
    EXPECT_TRUE(sim.log().contains("user setting 2 = 1500"));
    EXPECT_TRUE(sim.log().contains("tear-off = -7"));

    CPrinterPageSetting page;
    page.Create(&host);
    click(page, 1155);
    click(page, 1174);
    EXPECT_EQ(page.GetDlgItemText(1207), "1500");
    EXPECT_EQ(page.GetDlgItemText(1230), "7");
    EXPECT_TRUE(page.item<QCheckBox>(1435)->isChecked());
    CHardwareInfoSetting hw;
    hw.Create(&host);
    click(hw, 1239);
    EXPECT_EQ(hw.GetDlgItemText(1237), "LINE-4");
}

TEST_F(MenuModeZeroSimTest, SwitchesRoundTripThroughTheSerialAndPageRows)
{
    {
        CSerialSetting serial;
        serial.Create(&host);
        click(serial, 1002);  // the first Get enables the lists
        serial.m_nDataLength = 1;
        serial.m_nHandshake = 0;
        serial.m_nParityCheck = 1;
        serial.m_nParitySelection = 1;
        serial.m_nStopBit = 0;
        serial.m_nBaudChoice = 2;
        serial.UpdateData(false);
        click(serial, 1003);
        CPrinterPageSetting page;
        page.Create(&host);
        click(page, 1169);
        page.item<QComboBox>(1317)->setCurrentIndex(4);
        click(page, 1168);
    }
    ASSERT_TRUE(sim.waitForLog("memory switch 3 committed"));
    EXPECT_TRUE(sim.log().contains("memory switch 2 committed 124"));  // 0x7C

    CSerialSetting serial;
    serial.Create(&host);
    click(serial, 1002);
    EXPECT_EQ(serial.item<QComboBox>(1015)->currentText(), "7");
    EXPECT_EQ(serial.item<QComboBox>(1017)->currentText(), "Parity");
    EXPECT_EQ(serial.item<QComboBox>(1016)->currentText(), "Odd");
    EXPECT_EQ(serial.item<QComboBox>(1019)->currentText(), "57600");
    CPrinterPageSetting page;
    page.Create(&host);
    click(page, 1169);
    EXPECT_EQ(page.item<QComboBox>(1317)->currentIndex(), 4);
}

}  // namespace
