// The tester's five RFID builders, driven through the tester's builder loop.
#include "RfidTestHelpers.h"
#include "tests/workbench/WorkbenchFixture.h"

#include "workbench/CQuensaRfidKillCommand.h"
#include "workbench/CQuensaRfidPasswordCommand.h"
#include "workbench/CQuensaRfidReadCommand.h"
#include "workbench/CQuensaRfidSecurityCommand.h"
#include "workbench/CQuensaRfidWriteCommand.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/RfidCommands.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace {

constexpr int IDC_INSERT = 1120;
constexpr int IDC_CLOSE = ui::IDOK;
constexpr int kWriteButton = 1297;
constexpr int kReadButton = 1305;
constexpr int kPasswordButton = 1307;
constexpr int kSecurityButton = 1300;
constexpr int kKillButton = 1308;
const QString kInvalidRange =
    QStringLiteral("Invalid value!\nPlease check StartBlockNumber and Number of bytes.");

using ztest::choose;
using rfidtest::typeKeys;

class RfidBuilderTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        tester.OnInitDialog();
        tester.m_editCommand->setPlainText(QString());
    }
    void TearDown() override
    {
        EXPECT_EQ(hooks.pendingScripts(), 0);
        EXPECT_TRUE(printer->written.isEmpty());  // no builder talks to the printer
        WorkbenchTest::TearDown();
    }

public:
    // Runs the builder behind `button` once with `script`, then closes it.
    template <class B>
    QString insertOnce(int button, std::function<void(B&)> script)
    {
        tester.m_editCommand->setPlainText(QString());
        hooks.scriptDialog<B>(script);
        hooks.scriptDialog<B>([](B& d) { click(d, IDC_CLOSE); });
        click(tester, button);
        return tester.m_strCommand;
    }

protected:
    CQuensa_CmdTesterDlg tester;
};

struct LineCase {
    const char* name;
    std::function<QString(RfidBuilderTest&)> run;
    const char* expected;
};

TEST_F(RfidBuilderTest, LinesTheTesterAppends)
{
    using Write = CQuensaRfidWriteCommand;
    using Read = CQuensaRfidReadCommand;
    using Password = CQuensaRfidPasswordCommand;
    using Security = CQuensaRfidSecurityCommand;
    using Kill = CQuensaRfidKillCommand;
    const LineCase cases[] = {
        {"ReadDefaults", [](auto& t) { return t.template insertOnce<Read>(kReadButton, [](Read& d) { click(d, IDC_INSERT); }); },
         ">RFR,H,4,12,S\r\n"},
        {"ReadChosen", [](auto& t) { return t.template insertOnce<Read>(kReadButton, [](Read& d) {
             choose(d, 1265, "A"); choose(d, 1263, "10"); choose(d, 1262, "1"); choose(d, 1266, "P");
             click(d, IDC_INSERT); }); },
         ">RFR,A,10,1,P\r\n"},
        {"WriteStart6ThreeBytes", [](auto& t) { return t.template insertOnce<Write>(kWriteButton, [](Write& d) {
             choose(d, 1267, "6"); choose(d, 1269, "3"); click(d, 1084);
             for (int id = 1249; id <= 1260; ++id)
                 EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), id >= 1251 && id <= 1253) << id;
             typeKeys(d, 1251, "A0"); typeKeys(d, 1252, "B1"); typeKeys(d, 1253, "C2");
             click(d, IDC_INSERT); }); },
         ">RFW,H,6,3,'A0B1C2'\r\n"},
        {"WriteWithoutSetData", [](auto& t) { return t.template insertOnce<Write>(kWriteButton, [](Write& d) { click(d, IDC_INSERT); }); },
         ">RFW,H,4,12,''\r\n"},
        {"WriteOneDigitCell", [](auto& t) { return t.template insertOnce<Write>(kWriteButton, [](Write& d) {
             choose(d, 1269, "2"); click(d, 1084); typeKeys(d, 1249, "F"); typeKeys(d, 1250, "zz");
             click(d, IDC_INSERT); }); },
         ">RFW,H,4,2,'Fzz'\r\n"},
        {"PasswordDefaults", [](auto& t) { return t.template insertOnce<Password>(kPasswordButton, [](Password& d) { click(d, IDC_INSERT); }); },
         ">RFZ,'5A3C90E1,5A3C90E1,3CA75E91,3CA75E91'\r\n"},
        {"PasswordWithoutDots", [](auto& t) { return t.template insertOnce<Password>(kPasswordButton, [](Password& d) {
             type(d, 1270, "11223344"); type(d, 1271, "AABBCCDD"); click(d, IDC_INSERT); }); },
         ">RFZ,'5A3C90E1,5A3C90E1,11223344,AABBCCDD'\r\n"},
        {"SecurityKillMask", [](auto& t) { return t.template insertOnce<Security>(kSecurityButton, [](Security& d) {
             click(d, 1280); click(d, 1279); click(d, IDC_INSERT); }); },
         ">RFLP,L,'C0,00,00'\r\n"},
        {"SecurityAllWithUnlock", [](auto& t) { return t.template insertOnce<Security>(kSecurityButton, [](Security& d) {
             for (int id : rfid::kLockBoxIds) click(d, id);
             click(d, 1298); click(d, IDC_INSERT); }); },
         ">RFLP,U,'FF,FF,F0'\r\n"},
        {"SecurityUserAction", [](auto& t) { return t.template insertOnce<Security>(kSecurityButton, [](Security& d) {
             click(d, 1292); click(d, 1291); click(d, IDC_INSERT); }); },
         ">RFLP,L,'00,00,30'\r\n"},
        {"SecurityAutoUnlock", [](auto& t) { return t.template insertOnce<Security>(kSecurityButton, [](Security& d) {
             click(d, 1317); click(d, 1229); click(d, IDC_INSERT); }); },
         ">RFUL\r\n"},
        {"SecurityAutoLock", [](auto& t) { return t.template insertOnce<Security>(kSecurityButton, [](Security& d) {
             click(d, 1317); click(d, IDC_INSERT); }); },
         ">RFLK\r\n"},
        {"Kill", [](auto& t) { return t.template insertOnce<Kill>(kKillButton, [](Kill& d) { click(d, IDC_INSERT); }); },
         ">RFKL\r\n"},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(c.run(*this), c.expected) << c.name;
        EXPECT_TRUE(messageTexts().isEmpty()) << c.name;
    }
}

TEST_F(RfidBuilderTest, WriteBuilderRangeChecksAndReopening)
{
    hooks.scriptDialog<CQuensaRfidWriteCommand>([](CQuensaRfidWriteCommand& d) {
        EXPECT_EQ(d.windowTitle(), "RFID Write");
        EXPECT_FALSE(d.GetDlgItem(1297)->isEnabled());
        choose(d, 1267, "5");  // 5 + 12 bytes: one too many
        click(d, 1084);
        EXPECT_TRUE(d.GetDlgItem(1084)->isEnabled());
        choose(d, 1267, "10");
        choose(d, 1269, "7");
        click(d, 1084);
        choose(d, 1267, "4");
        choose(d, 1269, "12");  // fills all twelve
        click(d, 1084);
        EXPECT_FALSE(d.GetDlgItem(1084)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1267)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(1297)->isEnabled());
        click(d, 1297);  // Reset Data
        EXPECT_TRUE(d.GetDlgItem(1084)->isEnabled());
        for (int id = 1249; id <= 1260; ++id)
            EXPECT_FALSE(d.GetDlgItem(id)->isEnabled());
        // ASCII: one character a cell, the focus follows each into the next enabled cell.
        choose(d, 1266, "A");
        choose(d, 1267, "7");
        choose(d, 1269, "3");
        click(d, 1084);
        typeKeys(d, 1252, "xy");  // the limit keeps one character
        EXPECT_EQ(text(d, 1252), "x");
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(1253));
        typeKeys(d, 1253, "y");
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(1254));
        typeKeys(d, 1254, "z");  // cell 7 is disabled: the focus stays
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(1254));
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CQuensaRfidWriteCommand>([](CQuensaRfidWriteCommand& d) {
        // Reopened as Set Data left it, with the cells as inserted.
        EXPECT_FALSE(d.GetDlgItem(1084)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1266)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(1297)->isEnabled());
        EXPECT_EQ(text(d, 1266), "A");
        EXPECT_EQ(text(d, 1252), "x");
        for (int id = 1249; id <= 1260; ++id)
            EXPECT_EQ(d.GetDlgItem(id)->isEnabled(), id >= 1252 && id <= 1254) << id;
        EXPECT_EQ(d.item<QLineEdit>(1252)->maxLength(), 1);
        typeKeys(d, 1254, "");
        click(d, IDC_CLOSE);
    });
    click(tester, kWriteButton);
    EXPECT_EQ(tester.m_strCommand, ">RFW,A,7,3,'xyz'\r\n");
    EXPECT_EQ(messageTexts(), QStringList({kInvalidRange, kInvalidRange}));
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
}

TEST_F(RfidBuilderTest, PasswordDotsAndRefusals)
{
    hooks.scriptDialog<CQuensaRfidPasswordCommand>([](CQuensaRfidPasswordCommand& d) {
        EXPECT_EQ(text(d, 1270), "3C.A7.5E.91");
        d.item<QLineEdit>(1270)->clear();
        typeKeys(d, 1270, "3CA75E91");
        EXPECT_EQ(text(d, 1270), "3C.A7.5E.91");
        // Deleting back to a pair's end brings its dot back.
        auto* edit = d.item<QLineEdit>(1270);
        edit->setText("3C.A7");
        emit edit->textEdited(edit->text());
        EXPECT_EQ(text(d, 1270), "3C.A7.");
        // Ten characters are refused, the access password first.
        type(d, 1270, "1122334455");
        type(d, 1271, "12");
        click(d, IDC_INSERT);
        EXPECT_EQ(d.endResult(), -1);
        type(d, 1270, "11.22.33.44");
        click(d, IDC_INSERT);
        EXPECT_EQ(d.endResult(), -1);
        type(d, 1271, "55.66.77.88");
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CQuensaRfidPasswordCommand>([](CQuensaRfidPasswordCommand& d) {
        EXPECT_EQ(text(d, 1271), "55.66.77.88");  // kept when reopened
        click(d, IDC_CLOSE);
    });
    click(tester, kPasswordButton);
    EXPECT_EQ(tester.m_strCommand, ">RFZ,'5A3C90E1,5A3C90E1,11223344,55667788'\r\n");
    EXPECT_EQ(messageTexts(), QStringList({"Value of access is invalid!", "Value of kill is invalid!"}));
}

TEST_F(RfidBuilderTest, PasswordsOfEveryLengthNeverInsertWhenRefused)
{
    const QString digits = "0123456789AB";
    for (int n = 0; n <= 12; ++n) {
        for (bool dots : {false, true}) {
            QString typed;
            for (int i = 0; i < n; ++i)
                typed += (dots && i > 0 && i % 2 == 0 ? "." : "") + digits.mid(i, 1);
            hooks.clearMessages();
            const QString line = insertOnce<CQuensaRfidPasswordCommand>(
                kPasswordButton, [&](CQuensaRfidPasswordCommand& d) {
                    type(d, 1271, typed);
                    click(d, IDC_INSERT);
                    // A refused insertion keeps the builder open: insert a valid one.
                    EXPECT_EQ(d.endResult() == -1, n != 8);
                    type(d, 1271, "01234567");
                    click(d, IDC_INSERT);
                });
            EXPECT_EQ(line, ">RFZ,'5A3C90E1,5A3C90E1,3CA75E91,01234567'\r\n") << typed.toStdString();
            if (n == 8)
                EXPECT_TRUE(messageTexts().isEmpty());
            else
                EXPECT_EQ(messageTexts(), QStringList{"Value of kill is invalid!"}) << typed.toStdString();
        }
    }
}

TEST_F(RfidBuilderTest, SecurityModesAndReopening)
{
    hooks.scriptDialog<CQuensaRfidSecurityCommand>([](CQuensaRfidSecurityCommand& d) {
        EXPECT_EQ(d.windowTitle(), "RFID Security");
        EXPECT_TRUE(d.IsDlgButtonChecked(1315));
        EXPECT_FALSE(d.GetDlgItem(1228)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(1280)->isEnabled());
        click(d, 1317);
        EXPECT_TRUE(d.IsDlgButtonChecked(1228));
        EXPECT_FALSE(d.GetDlgItem(1280)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(1298)->isEnabled());
        click(d, 1229);  // UnLock
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CQuensaRfidSecurityCommand>([](CQuensaRfidSecurityCommand& d) {
        // Reopened in automatic mode: "Lock" is chosen again.
        EXPECT_TRUE(d.IsDlgButtonChecked(1317));
        EXPECT_TRUE(d.IsDlgButtonChecked(1228));
        click(d, 1315);
        EXPECT_FALSE(d.IsDlgButtonChecked(1228));
        EXPECT_FALSE(d.IsDlgButtonChecked(1229));
        click(d, 1276);
        click(d, 1282);
        click(d, IDC_INSERT);
    });
    hooks.scriptDialog<CQuensaRfidSecurityCommand>([](CQuensaRfidSecurityCommand& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(1276));
        click(d, IDC_CLOSE);
    });
    click(tester, kSecurityButton);
    EXPECT_EQ(tester.m_strCommand.toStdString(), ">RFUL\r\n>RFLP,L,'08,02,00'\r\n");
}

TEST_F(RfidBuilderTest, KillOpensAgainAfterEveryInsertion)
{
    for (int i = 0; i < 3; ++i)
        hooks.scriptDialog<CQuensaRfidKillCommand>([](CQuensaRfidKillCommand& d) { click(d, IDC_INSERT); });
    hooks.scriptDialog<CQuensaRfidKillCommand>([](CQuensaRfidKillCommand& d) { d.reject(); });
    click(tester, kKillButton);
    EXPECT_EQ(tester.m_strCommand, ">RFKL\r\n>RFKL\r\n>RFKL\r\n");
}

}  // namespace
