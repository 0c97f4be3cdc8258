#include "WorkbenchFixture.h"

#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CTwobytesCodeDlg.h"
#include "workbench/CZII_TwobytesCodeDlg.h"
#include "workbench/CmdTesterIds.h"
#include "workbench/CommunicationDlgIds.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

#include <QCheckBox>
#include <QComboBox>
#include <random>

using namespace twobyte_dlg;

namespace {

QByteArray pairs(int lead, int firstTrail)
{
    QByteArray bytes;
    for (int t = firstTrail; t <= 0xFE; ++t)
        bytes += char(lead) + QByteArray(1, char(t));
    return bytes;
}

class TwoByteCodeTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        ostrel.OnInitDialog();
        zpl.OnInitDialog();
    }
    // A new code page chosen in the list, as the operator does.
    static void choosePage(ui::Dialog& d, int index)
    {
        auto* combo = d.item<QComboBox>(IDC_CODE_TABLE);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void setBlocks(ui::Dialog& d, const QString& start, const QString& end)
    {
        type(d, IDC_START_BLOCK, start);
        type(d, IDC_END_BLOCK, end);
    }
    // The box clicked by the operator into the state wanted.
    static void setAllBlocks(ui::Dialog& d, bool all)
    {
        d.CheckDlgButton(IDC_ALL_BLOCKS, !all);
        click(d, IDC_ALL_BLOCKS);
    }
    static QString fontName(const ui::Dialog& d) { return text(d, IDC_FONT_NAME); }

    CTwobytesCodeDlg ostrel;
    CZII_TwobytesCodeDlg zpl;
};

TEST_F(TwoByteCodeTest, OpenFromTheTesterAndTheHiddenButtonOfTheCommunicationWindow)
{
    CQuensa_CmdTesterDlg tester;
    tester.OnInitDialog();
    hooks.scriptDialog<CTwobytesCodeDlg>([](CTwobytesCodeDlg& d) {
        EXPECT_EQ(d.windowTitle(), "2 Byte Codepage");
        EXPECT_EQ(text(d, IDC_CODE_TABLE), "KS5601");
        EXPECT_EQ(text(d, IDC_BLOCK_AREA), "A1 to F7");
        EXPECT_EQ(text(d, IDC_START_BLOCK), "A1");
        EXPECT_EQ(text(d, IDC_END_BLOCK), "F7");
        EXPECT_EQ(fontName(d), "d");
        EXPECT_EQ(d.item<QComboBox>(IDC_FONT_NAME)->count(), 6);
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_BITMAP_FONT));
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_ALL_BLOCKS));
        EXPECT_EQ(text(d, IDC_WIDTH), "35");
        EXPECT_FALSE(d.GetDlgItem(IDC_WIDTH)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_HEIGHT)->isEnabled());
        click(d, ui::IDOK);
    });
    click(tester, IDC_PRINT_CODES);

    CCommunicationDlg window;
    window.OnInitDialog();
    hooks.scriptDialog<CZII_TwobytesCodeDlg>([](CZII_TwobytesCodeDlg& d) {
        EXPECT_EQ(d.windowTitle(), "2 Byte Codepage");
        EXPECT_EQ(text(d, IDC_HEIGHT), "35");
        EXPECT_TRUE(d.GetDlgItem(IDC_WIDTH)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(IDC_HEIGHT)->isEnabled());
        EXPECT_EQ(d.GetDlgItem(IDC_FONT_NAME), nullptr);
        click(d, ui::IDOK);
    });
    // Hidden and disabled: only a direct command reaches it.
    auto* printCodes = window.item<QAbstractButton>(comm_dlg::IDC_PRINT_CODES);
    printCodes->parentWidget()->setEnabled(true);
    printCodes->setEnabled(true);
    printCodes->click();
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_TRUE(printer->writes.empty());
}

TEST_F(TwoByteCodeTest, OstrelDefaultsPrintEightySevenLabelsOfTheirOwnLength)
{
    click(ostrel, IDC_PRINT_CHARACTERS);
    ASSERT_EQ(printer->writes.size(), 87u);
    for (int lead = 0xA1; lead <= 0xF7; ++lead) {
        const QByteArray& label = printer->writes[std::size_t(lead - 0xA1)];
        EXPECT_EQ(label.size(), 215);
        EXPECT_EQ(label, "T20,20,d,1,1,0,0,N,N,'" + pairs(lead, 0xA1) + "'\rP1\r") << lead;
    }
    EXPECT_EQ(printer->writeCalls, 87);
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(TwoByteCodeTest, CodePagesTheirRangesAndFonts)
{
    const struct {
        int page;
        bool all;
        const char* start;
        const char* end;
        bool vector;
        const char* width;
        const char* height;
        int labels, firstLead, firstTrail;
        const char* header;
    } cases[] = {
        {2, false, "a1", "A2", false, "35", "35", 2, 0xA1, 0x40, "T20,20,n,1,1,0,0,N,N,'"},
        {3, true, "", "", false, "35", "35", 124, 0x81, 0x3F, "T20,20,j,1,1,0,0,N,N,'"},
        {1, false, "B0", "B0", true, "40", "50", 1, 0xB0, 0xA1, "V20,20,G,40,50,1,N,N,N,0,L,0,'"},
        {0, false, "A1", "A1", true, "", "7", 1, 0xA1, 0xA1, "V20,20,K,,7,1,N,N,N,0,L,0,'"},
        // A size over 32 bytes goes out as nothing.
        {0, false, "A1", "A1", true, "123456789012345678901234567890123", "32", 1, 0xA1, 0xA1,
         "V20,20,K,,32,1,N,N,N,0,L,0,'"},
        {3, false, "fa", "FC", true, "35", "35", 3, 0xFA, 0x3F, "V20,20,J,35,35,1,N,N,N,0,L,0,'"},
        // The last lead byte of all ends the run.
        {0, false, "ff", "FF", false, "35", "35", 1, 0xFF, 0xA1, "T20,20,d,1,1,0,0,N,N,'"},
        // Start above the end: nothing, and no message.
        {0, false, "B0", "A1", false, "35", "35", 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        printer->writes.clear();
        choosePage(ostrel, c.page);
        click(ostrel, c.vector ? IDC_VECTOR_FONT : IDC_BITMAP_FONT);
        setAllBlocks(ostrel, c.all);
        if (!c.all)
            setBlocks(ostrel, c.start, c.end);
        type(ostrel, IDC_WIDTH, c.width);
        type(ostrel, IDC_HEIGHT, c.height);
        click(ostrel, IDC_PRINT_CHARACTERS);
        ASSERT_EQ(printer->writes.size(), std::size_t(c.labels)) << c.header;
        for (int i = 0; i < c.labels; ++i)
            EXPECT_EQ(printer->writes[std::size_t(i)],
                      c.header + pairs(c.firstLead + i, c.firstTrail) + "'\rP1\r")
                << c.header << " " << i;
    }
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(TwoByteCodeTest, BlockChecksRefuseAnythingButTwoHexDigits)
{
    const struct {
        const char* start;
        const char* end;
        const char* message;
    } cases[] = {
        {"", "F7", "Start Block value is wrong!"},
        {"A", "F7", "Start Block value is wrong!"},
        {"A1 ", "F7", "Start Block value is wrong!"},
        {"G1", "F7", "Start Block value is wrong!"},
        {"0x", "F7", "Start Block value is wrong!"},
        {"\xC3\xA9" "1", "F7", "Start Block value is wrong!"},
        {"A1", "F7A", "End Block value is wrong!"},
        {"A1", "", "End Block value is wrong!"},
        {"A1", "-1", "End Block value is wrong!"},
        {"A1", "F7F7", "End Block value is wrong!"},
    };
    for (const auto& c : cases) {
        for (ui::Dialog* d : {static_cast<ui::Dialog*>(&ostrel), static_cast<ui::Dialog*>(&zpl)}) {
            hooks.clearMessages();
            setBlocks(*d, QString::fromUtf8(c.start), QString::fromUtf8(c.end));
            click(*d, IDC_PRINT_CHARACTERS);
            EXPECT_EQ(messageTexts(), QStringList{c.message}) << c.start << "/" << c.end;
            ASSERT_EQ(hooks.messages().size(), 1u);
            EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
        }
    }
    EXPECT_TRUE(printer->writes.empty());
}

TEST_F(TwoByteCodeTest, ParseHexByteAgreesWithAPlainReadingOfEveryShortText)
{
    const QString alphabet = QStringLiteral("0189aAfFgG -xZ\u00e9\u4e2d");
    std::mt19937 random(1309);
    for (int n = 0; n < 4000; ++n) {
        QString text;
        const int length = int(random() % 5);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(qsizetype(random() % alphabet.size()));
        bool ok = false;
        const int plain = text.toInt(&ok, 16);
        const bool valid = text.size() == 2 && ok && !text.contains(u' ') && !text.contains(u'-') &&
                           !text.contains(u'x');
        EXPECT_EQ(twobyte::ParseHexByte(text), valid ? plain : -1) << text.toStdString();
    }
    EXPECT_EQ(twobyte::ByteToHex(0xB0), "b0");
    EXPECT_EQ(twobyte::ByteToHex(0x0A), "0a");
}

TEST_F(TwoByteCodeTest, CodePageChangeSetsItsBlocksAndFontNames)
{
    choosePage(ostrel, 1);
    EXPECT_EQ(text(ostrel, IDC_BLOCK_AREA), "A1 to F7");
    EXPECT_EQ(fontName(ostrel), "m");
    EXPECT_EQ(ostrel.item<QComboBox>(IDC_FONT_NAME)->count(), 1);
    choosePage(ostrel, 3);
    EXPECT_EQ(text(ostrel, IDC_BLOCK_AREA), "81 to EE, FA to FC");
    EXPECT_EQ(text(ostrel, IDC_START_BLOCK), "81");
    EXPECT_EQ(text(ostrel, IDC_END_BLOCK), "EE");
    setBlocks(ostrel, "90", "91");
    // Ticking "all blocks" restores the defaults and locks the edits; clearing unlocks them.
    setAllBlocks(ostrel, true);
    EXPECT_EQ(text(ostrel, IDC_START_BLOCK), "81");
    EXPECT_FALSE(ostrel.GetDlgItem(IDC_START_BLOCK)->isEnabled());
    choosePage(ostrel, 2);
    EXPECT_EQ(text(ostrel, IDC_END_BLOCK), "E8");
    EXPECT_FALSE(ostrel.GetDlgItem(IDC_END_BLOCK)->isEnabled());
    setAllBlocks(ostrel, false);
    EXPECT_TRUE(ostrel.GetDlgItem(IDC_END_BLOCK)->isEnabled());
    EXPECT_EQ(text(ostrel, IDC_END_BLOCK), "E8");
    setAllBlocks(ostrel, true);
    choosePage(ostrel, 0);
    EXPECT_EQ(fontName(ostrel), "d");
    auto* fonts = ostrel.item<QComboBox>(IDC_FONT_NAME);
    fonts->setCurrentIndex(5);
    click(ostrel, IDC_PRINT_CHARACTERS);  // all blocks of KS5601 in font "f"
    ASSERT_EQ(printer->writes.size(), 87u);
    EXPECT_TRUE(printer->writes[0].startsWith("T20,20,f,1,1,0,0,N,N,'"));
    choosePage(ostrel, 1);
    choosePage(ostrel, 0);
    EXPECT_EQ(fontName(ostrel), "d");

    click(ostrel, IDC_VECTOR_FONT);
    EXPECT_FALSE(ostrel.GetDlgItem(IDC_FONT_NAME)->isEnabled());
    EXPECT_TRUE(ostrel.GetDlgItem(IDC_WIDTH)->isEnabled());
    click(ostrel, IDC_BITMAP_FONT);
    EXPECT_TRUE(ostrel.GetDlgItem(IDC_FONT_NAME)->isEnabled());
    EXPECT_FALSE(ostrel.GetDlgItem(IDC_HEIGHT)->isEnabled());
}

TEST_F(TwoByteCodeTest, ZplLabelsCarryHeightBeforeWidthAndHexEscapes)
{
    setBlocks(zpl, "B0", "B1");
    click(zpl, IDC_PRINT_CHARACTERS);
    ASSERT_EQ(printer->writes.size(), 2u);
    const QByteArray& b0 = printer->writes[0];
    EXPECT_TRUE(b0.startsWith("^XA^CI51^FO20,20^A6,35,35^TBN,750,1200^FH_^FD_b0_a1_b0_a2"));
    EXPECT_TRUE(b0.endsWith("_b0_fe^FS^XZ"));
    EXPECT_EQ(b0.size(), 41 + 2 + 2 + 6 * 94 + 6);

    const struct {
        int page;
        const char* start;
        const char* header;
        int firstTrail;
    } cases[] = {
        {0, "A1", "^XA^CI51^FO20,20^A6,50,40^TBN,750,1200^FH_^FD", 0xA1},
        {1, "F7", "^XA^CI52^FO20,20^A7,50,40^TBN,750,1200^FH_^FD", 0xA1},
        {2, "e8", "^XA^CI53^FO20,20^A8,50,40^TBN,750,1200^FH_^FD", 0x40},
        {3, "81", "^XA^CI54^FO20,20^A9,50,40^TBN,750,1200^FH_^FD", 0x3F},
    };
    for (const auto& c : cases) {
        printer->writes.clear();
        choosePage(zpl, c.page);
        setBlocks(zpl, c.start, c.start);
        type(zpl, IDC_WIDTH, "40");
        type(zpl, IDC_HEIGHT, "50");
        click(zpl, IDC_PRINT_CHARACTERS);
        ASSERT_EQ(printer->writes.size(), 1u);
        QByteArray expected = c.header;
        const QByteArray lead = QByteArray(c.start).toLower();
        for (int t = c.firstTrail; t <= 0xFE; ++t)
            expected += "_" + lead + "_" + twobyte::ByteToHex(uchar(t));
        EXPECT_EQ(printer->writes[0], expected + "^FS^XZ") << c.header;
    }

    // All blocks of JIS: 124 labels, lead bytes 81 to FC.
    printer->writes.clear();
    setAllBlocks(zpl, true);
    click(zpl, IDC_PRINT_CHARACTERS);
    ASSERT_EQ(printer->writes.size(), 124u);
    EXPECT_TRUE(printer->writes.back().endsWith("_fc_fe^FS^XZ"));
    EXPECT_TRUE(hooks.messages().empty());
}

}  // namespace
