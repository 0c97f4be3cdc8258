#include "WorkbenchFixture.h"

#include "ui/UpDownCtrl.h"
#include "workbench/CCharacterSetCommand.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"

#include <QComboBox>

namespace {

constexpr int IDC_X = 1010;
constexpr int IDC_Y = 1012;
constexpr int IDC_H_MULTI = 1014;
constexpr int IDC_V_MULTI = 1016;
constexpr int IDC_V_MULTI_SPIN = 1017;
constexpr int IDC_H_LABEL = 1018;
constexpr int IDC_V_LABEL = 1019;
constexpr int IDC_CODE_TABLE = 1020;
constexpr int IDC_CHAR_SET = 1021;
constexpr int IDC_FONT = 1022;
constexpr int IDC_BITMAP = 1023;
constexpr int IDC_VECTOR = 1024;
constexpr int IDC_UNDER = 1025;
constexpr int IDC_OVER = 1026;
constexpr int IDC_INTERNATIONAL = 1027;
constexpr int IDC_ALL = 1028;

// The codes 0x20-0x7F with the quote and the backslash escaped, written out by hand.
QByteArray under80h()
{
    QByteArray run(" !\"#$%&\\'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\\\]^_`"
                   "abcdefghijklmnopqrstuvwxyz{|}~\x7f");
    return run;
}

QByteArray over80h()
{
    QByteArray run;
    for (int c = 0x80; c <= 0xFF; ++c)
        run += char(c);
    return run;
}

class CharacterSetTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        dlg.OnInitDialog();
    }
    void choose(int id, int index) { dlg.item<QComboBox>(id)->setCurrentIndex(index); }

    CCharacterSetCommand dlg;
};

TEST_F(CharacterSetTest, OpensFromTheTesterWithItsDefaultsAndAppendsNothing)
{
    CQuensa_CmdTesterDlg tester;
    tester.OnInitDialog();
    tester.m_editCommand->setPlainText("SS3");
    hooks.scriptDialog<CCharacterSetCommand>([](CCharacterSetCommand& d) {
        EXPECT_EQ(d.windowTitle(), "Character Set Command");
        EXPECT_EQ(text(d, IDC_X), "20");
        EXPECT_EQ(text(d, IDC_Y), "20");
        EXPECT_EQ(text(d, IDC_H_MULTI), "1");
        EXPECT_EQ(text(d, IDC_V_MULTI), "1");
        EXPECT_EQ(text(d, IDC_H_LABEL), "H Multi");
        EXPECT_EQ(text(d, IDC_V_LABEL), "V Multi");
        EXPECT_EQ(text(d, IDC_FONT), "3");
        EXPECT_EQ(text(d, IDC_CODE_TABLE), "PC437");
        EXPECT_EQ(text(d, IDC_CHAR_SET), "U.S.A");
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_BITMAP));
        EXPECT_EQ(d.item<QComboBox>(IDC_CODE_TABLE)->count(), 25);
        EXPECT_EQ(d.item<QComboBox>(IDC_CHAR_SET)->count(), 16);
        EXPECT_EQ(d.item<QComboBox>(IDC_FONT)->count(), 12);
        click(d, ui::IDOK);
    });
    click(tester, IDC_CHARACTER_SET);
    EXPECT_EQ(hooks.pendingScripts(), 0);
    EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), "SS3");
    EXPECT_TRUE(printer->writes.empty());
}

TEST_F(CharacterSetTest, Under80HAndOver80HWriteOneLabelAndTheNormalWidth)
{
    ASSERT_EQ(under80h().size(), 98);
    click(dlg, IDC_UNDER);
    click(dlg, IDC_OVER);
    ASSERT_EQ(printer->writes.size(), 4u);
    EXPECT_EQ(printer->writes[0],
              "SW780\rCS0,0\rT20,20,3,1,1,10,0,N,N,'" + under80h() + "'\rP1\r");
    EXPECT_EQ(printer->writes[1], "SW830\r");
    EXPECT_EQ(printer->writes[2],
              "SW780\rCS0,0\rT20,20,3,1,1,10,0,N,N,'" + over80h() + "'\rP1\r");
    EXPECT_EQ(printer->writes[3], "SW830\r");
    EXPECT_TRUE(printer->calls.filter("read(").isEmpty());
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CharacterSetTest, HeadersFollowTheFieldsMultipliersReversed)
{
    const struct {
        bool vector;
        const char* x;
        const char* y;
        const char* h;
        const char* v;
        int font, table, set;
        const char* start;
    } cases[] = {
        {true, "20", "20", nullptr, nullptr, 3, 0, 0, "SW780\rCS0,0\rV20,20,U,35,35,+1,N,N,N,0,L,0,'"},
        {false, "20", "20", "2", "3", 3, 0, 0, "SW780\rCS0,0\rT20,20,3,3,2,10,0,N,N,'"},
        {false, "20.9", "7.99", "1", "1", 10, 6, 3, "SW780\rCS3,6\rT20,7,a,1,1,10,0,N,N,'"},
        {true, "0", "1000", "100", "1", 3, 24, 15, "SW780\rCS15,24\rV0,1000,U,1,100,+1,N,N,N,0,L,0,'"},
        // Beyond what a position can hold: the largest one, never an undefined conversion.
        {false, "1e30", "-1e30", "1", "1", 3, 0, 0, "SW780\rCS0,0\rT2147483647,-2147483648,3,1,1,10,0,N,N,'"},
        // Out of the arrows' range: sent as typed.
        {false, "5000", "20", "9", "1", 11, 0, 0, "SW780\rCS0,0\rT5000,20,b,1,9,10,0,N,N,'"},
    };
    for (const auto& c : cases) {
        printer->writes.clear();
        click(dlg, c.vector ? IDC_VECTOR : IDC_BITMAP);
        type(dlg, IDC_X, c.x);
        type(dlg, IDC_Y, c.y);
        if (c.h)
            type(dlg, IDC_H_MULTI, c.h);
        if (c.v)
            type(dlg, IDC_V_MULTI, c.v);
        if (!c.vector)
            choose(IDC_FONT, c.font);
        choose(IDC_CODE_TABLE, c.table);
        choose(IDC_CHAR_SET, c.set);
        click(dlg, IDC_UNDER);
        ASSERT_EQ(printer->writes.size(), 2u) << c.start;
        EXPECT_EQ(printer->writes[0], c.start + under80h() + "'\rP1\r");
    }
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CharacterSetTest, InternationalWritesSixteenRowsThenPrints)
{
    choose(IDC_CODE_TABLE, 16);  // PC1251
    choose(IDC_CHAR_SET, 5);     // not used here
    type(dlg, IDC_X, "400");
    click(dlg, IDC_INTERNATIONAL);
    ASSERT_EQ(printer->writes.size(), 17u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(printer->writes[i], "CS" + QByteArray::number(i) + ",16\rT30," +
                                          QByteArray::number(50 + 70 * i) +
                                          ",3,1,1,10,0,N,N,'#$@[\\\\]^`{|}~'\r")
            << i;
    }
    EXPECT_EQ(printer->writes[16], "P1\r");

    printer->writes.clear();
    click(dlg, IDC_VECTOR);
    click(dlg, IDC_INTERNATIONAL);
    ASSERT_EQ(printer->writes.size(), 17u);
    EXPECT_EQ(printer->writes[15], "CS15,16\rV30,1100,U,35,35,+1,N,N,N,0,L,0,'#$@[\\\\]^`{|}~'\r");
}

TEST_F(CharacterSetTest, AllCodeTableTestWritesOneLabelPerTable)
{
    choose(IDC_CHAR_SET, 13);
    click(dlg, IDC_ALL);
    ASSERT_EQ(printer->writes.size(), 50u);
    for (int t = 0; t < 25; ++t) {
        EXPECT_EQ(printer->writes[2 * t], "SW780\rCS13," + QByteArray::number(t) +
                                              "\rT20,20,3,1,1,10,0,N,N,'" + under80h() +
                                              over80h() + "'\rP1\r")
            << t;
        EXPECT_EQ(printer->writes[2 * t + 1], "SW830\r");
    }
}

TEST_F(CharacterSetTest, FontKindsSetTheirLabelsRangesAndSizes)
{
    type(dlg, IDC_X, "123");
    click(dlg, IDC_VECTOR);
    EXPECT_EQ(text(dlg, IDC_H_LABEL), "Width");
    EXPECT_EQ(text(dlg, IDC_V_LABEL), "Height");
    EXPECT_EQ(text(dlg, IDC_H_MULTI), "35");
    EXPECT_EQ(text(dlg, IDC_V_MULTI), "35");
    EXPECT_FALSE(dlg.GetDlgItem(IDC_FONT)->isEnabled());
    EXPECT_EQ(text(dlg, IDC_X), "123");  // typed values survive the switch
    auto* spin = dlg.item<ui::UpDownCtrl>(IDC_V_MULTI_SPIN);
    type(dlg, IDC_V_MULTI, "100");
    spin->stepUp();
    EXPECT_EQ(text(dlg, IDC_V_MULTI), "1");  // wraps at 100

    click(dlg, IDC_BITMAP);
    EXPECT_EQ(text(dlg, IDC_H_LABEL), "H Multi");
    EXPECT_EQ(text(dlg, IDC_H_MULTI), "1");
    EXPECT_TRUE(dlg.GetDlgItem(IDC_FONT)->isEnabled());
    type(dlg, IDC_V_MULTI, "4");
    spin->stepUp();
    EXPECT_EQ(text(dlg, IDC_V_MULTI), "1");  // wraps at 4
}

TEST_F(CharacterSetTest, AnEntryThatDoesNotParseKeepsItsLastValue)
{
    type(dlg, IDC_X, "31");
    click(dlg, IDC_UNDER);
    type(dlg, IDC_X, "abc");
    type(dlg, IDC_V_MULTI, "2");
    click(dlg, IDC_UNDER);
    EXPECT_EQ(messageTexts(), QStringList{"Enter a number."});
    ASSERT_EQ(printer->writes.size(), 4u);
    // Y and V Multi come before X in the exchange, so the new multiplier is taken.
    EXPECT_TRUE(printer->writes[2].startsWith("SW780\rCS0,0\rT31,20,3,2,1,10,0,N,N,'"));
}

}  // namespace
