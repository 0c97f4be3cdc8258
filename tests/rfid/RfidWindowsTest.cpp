// The RFID read, write and configuration windows on a fake printer.
#include "RfidTestHelpers.h"
#include "tests/workbench/WorkbenchFixture.h"

#include "rfid/CRFIDRead.h"
#include "rfid/CRFIDSetting.h"
#include "rfid/CRFIDWriteRead.h"
#include "rfid/CRfidDataGrid.h"
#include "workbench/RfidCommands.h"

#include <QComboBox>

#include <random>

namespace {

constexpr int IDC_CLOSE = ui::IDOK;
const QString kInvalidRange =
    QStringLiteral("Invalid value!\nPlease check StartBlockNumber and Number of bytes.");

using ztest::choose;
using rfidtest::typeKeys;

QStringList cellTexts(const CRfidDataGrid& grid)
{
    QStringList texts;
    for (int i = 0; i < CRfidDataGrid::kCells; ++i)
        texts << grid.cell(i)->text();
    return texts;
}

// The TCP sockets of a FakeNetwork, with the sends that begin with `failPrefix` failing.
class SelectiveNetwork : public platform::Network {
public:
    QByteArray failPrefix;
    ztest::FakeNetwork inner;

    std::unique_ptr<platform::TcpSocket> createSocket() override
    {
        return std::make_unique<Socket>(inner.createSocket(), failPrefix);
    }
    platform::TcpTimeLimits timeLimits() const override { return inner.timeLimits(); }
    void setTimeLimits(const platform::TcpTimeLimits& limits) override { inner.setTimeLimits(limits); }

private:
    class Socket : public platform::TcpSocket {
    public:
        Socket(std::unique_ptr<platform::TcpSocket> s, const QByteArray& prefix)
            : m_s(std::move(s)), m_prefix(prefix) {}
        bool create() override { return m_s->create(); }
        bool connect(const QString& a, std::uint16_t p) override { return m_s->connect(a, p); }
        int send(const void* data, int length) override
        {
            const QByteArray bytes(static_cast<const char*>(data), length);
            if (!m_prefix.isEmpty() && bytes.startsWith(m_prefix))
                return -1;
            return m_s->send(data, length);
        }
        int receive(void* buffer, int length, int limitMs) override { return m_s->receive(buffer, length, limitMs); }
        int receiveAvailable(void* buffer, int length) override { return m_s->receiveAvailable(buffer, length); }
        void discardPending() override { m_s->discardPending(); }
        int pendingBytes() override { return m_s->pendingBytes(); }
        void close() override { m_s->close(); }
        bool isOpen() const override { return m_s->isOpen(); }
        bool connectionLost() override { return m_s->connectionLost(); }

    private:
        std::unique_ptr<platform::TcpSocket> m_s;
        QByteArray m_prefix;
    };
};

class RfidWindowTest : public WorkbenchTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(hooks.pendingScripts(), 0);
        g_comm.m_bUsbHold = false;
        if (g_comm.m_nPortType == PORT_USB)
            g_comm.m_nPortType = PORT_COM;
        WorkbenchTest::TearDown();
    }

    // The serial fake's handle read as a USB link held open.
    void useUsb()
    {
        g_comm.m_nPortType = PORT_USB;
        g_comm.m_bUsbHold = true;
    }

    std::vector<int> waits() const
    {
        std::vector<int> long_;
        for (int ms : clock.sleeps()) {
            if (ms >= 100)
                long_.push_back(ms);
        }
        return long_;
    }
    QStringList reads() const { return printer->calls.filter(QStringLiteral("read(")); }
};

// ---- read window --------------------------------------------------------------------------

class RfidReadTest : public RfidWindowTest {
protected:
    void SetUp() override
    {
        RfidWindowTest::SetUp();
        dlg.OnInitDialog();
    }
    void read() { click(dlg, 1264); }
    const CRfidDataGrid& grid() const { return *dlg.findChild<CRfidDataGrid*>(); }

    CRFIDRead dlg;
};

TEST_F(RfidReadTest, DefaultsReadTwelveHexBytesIntoCellsFiveToSixteen)
{
    EXPECT_EQ(dlg.windowTitle(), "RFID Read");
    EXPECT_EQ(text(dlg, 1263), "4");
    EXPECT_EQ(text(dlg, 1262), "12");
    EXPECT_EQ(text(dlg, 1265), "Hex");
    EXPECT_TRUE(dlg.IsDlgButtonChecked(1229));
    EXPECT_TRUE(dlg.IsDlgButtonChecked(1430));
    EXPECT_TRUE(dlg.item<QLineEdit>(1237)->isReadOnly());
    EXPECT_EQ(grid().cellId(63), 1397);
    EXPECT_EQ(grid().cellId(12), 1327);

    printer->replies = {"A0B1C2D3E4F5061728394A5B"};
    read();
    EXPECT_EQ(printer->written, ">RFR,H,4,12,S\r");
    EXPECT_EQ(waits(), std::vector<int>{4000});
    EXPECT_EQ(reads(), QStringList{"read(24)"});
    const QStringList cells = cellTexts(grid());
    EXPECT_EQ(cells.mid(0, 4), QStringList(4, "-"));
    EXPECT_EQ(cells.mid(4, 12), QStringList({"A0", "B1", "C2", "D3", "E4", "F5", "06", "17", "28",
                                             "39", "4A", "5B"}));
    EXPECT_EQ(cells.mid(16), QStringList(48, "-"));
    ASSERT_EQ(messageTexts(), QStringList{"Reading data is successful"});
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);

    // No reply: the grid keeps the last read.
    hooks.clearMessages();
    read();
    EXPECT_EQ(cellTexts(grid()), cells);
    ASSERT_EQ(messageTexts(), QStringList{"Reading data is failed"});
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Exclamation);
}

TEST_F(RfidReadTest, CommandForms)
{
    choose(dlg, 1265, "ASCII");
    choose(dlg, 1263, "0");
    choose(dlg, 1262, "2");
    printer->replies = {"Hi"};
    read();
    EXPECT_EQ(printer->written, ">RFR,A,0,2,S\r");
    EXPECT_EQ(cellTexts(grid()).mid(0, 3), QStringList({"H", "i", "-"}));

    // User data of a metal tag: no format letter, the length still follows the format list.
    printer->written.clear();
    printer->calls.clear();
    click(dlg, 1428);
    EXPECT_FALSE(dlg.GetDlgItem(1265)->isEnabled());
    click(dlg, 1228);
    choose(dlg, 1265, "Hex");
    read();
    EXPECT_EQ(printer->written, ">RFr,u,0,2,S\r");
    EXPECT_EQ(reads().join(' ').toStdString(), "read(4) read(4) read(4)");  // silent: three tries
    click(dlg, 1229);
    EXPECT_TRUE(dlg.GetDlgItem(1265)->isEnabled());

    // Print: always the EPC form of a label tag, and nothing read.
    printer->written.clear();
    printer->calls.clear();
    click(dlg, 1428);
    choose(dlg, 1263, "4");
    choose(dlg, 1262, "12");
    click(dlg, 1082);
    EXPECT_EQ(printer->written, ">RFR,H,4,12,P\r");
    EXPECT_TRUE(reads().isEmpty());
}

TEST_F(RfidReadTest, RangesPastTheGridAreRefused)
{
    struct Range {
        const char* start;
        const char* count;
        bool sent;
    };
    const Range ranges[] = {{"16", "48", true}, {"16", "49", false}, {"16", "53", false},
                            {"16", "54", false}, {"16", "64", false}, {"0", "64", true}};
    for (const Range& r : ranges) {
        printer->written.clear();
        hooks.clearMessages();
        choose(dlg, 1263, r.start);
        choose(dlg, 1262, r.count);
        read();
        EXPECT_EQ(!printer->written.isEmpty(), r.sent) << r.start << "+" << r.count;
        EXPECT_EQ(messageTexts().contains(kInvalidRange), !r.sent) << r.start << "+" << r.count;
    }
    // 16 + 48 fills cells 17 to 64 exactly.
    printer->replies = {QByteArray(96, 'C')};
    choose(dlg, 1263, "16");
    choose(dlg, 1262, "48");
    read();
    const QStringList cells = cellTexts(grid());
    EXPECT_EQ(cells.mid(0, 16), QStringList(16, "-"));
    EXPECT_EQ(cells.mid(16), QStringList(48, "CC"));
}

TEST_F(RfidReadTest, UsbReadsSixteenBytePiecesAndTheLastCountDecides)
{
    useUsb();
    // 12 bytes in Hex: one piece, a pause, then 16 more asked; the second read is silent.
    printer->replies = {"A0B1C2D3E4F50617", ""};
    read();
    EXPECT_EQ(reads(), QStringList({"read(16)", "read(16)", "read(16)", "read(16)"}));
    EXPECT_EQ(waits(), std::vector<int>({4000, 200}));
    EXPECT_EQ(messageTexts(), QStringList{"Reading data is failed"});

    // The same with the rest coming in the second read.
    printer->calls.clear();
    clock.clearSleeps();
    hooks.clearMessages();
    printer->replies = {"A0B1C2D3E4F50617", "28394A5B"};
    read();
    EXPECT_EQ(reads(), QStringList({"read(16)", "read(16)"}));
    EXPECT_EQ(cellTexts(grid())[15], "5B");
    EXPECT_EQ(messageTexts(), QStringList{"Reading data is successful"});

    // 8 bytes in Hex: exactly one piece and one pause, and its count decides.
    printer->calls.clear();
    clock.clearSleeps();
    hooks.clearMessages();
    choose(dlg, 1262, "8");
    printer->replies = {"0011223344556677"};
    read();
    EXPECT_EQ(reads(), QStringList{"read(16)"});
    EXPECT_EQ(waits(), std::vector<int>({4000, 200}));
    EXPECT_EQ(messageTexts(), QStringList{"Reading data is successful"});
}

TEST_F(RfidReadTest, TcpTakesAtMostThirtyTwoCharacters)
{
    useTcp();
    choose(dlg, 1263, "0");
    choose(dlg, 1262, "64");
    network.peer().replies = {QByteArray(128, 'E')};
    read();
    EXPECT_EQ(network.peer().received, ">RFR,H,0,64,S\r");
    const QStringList cells = cellTexts(grid());
    EXPECT_EQ(cells.mid(0, 16), QStringList(16, "EE"));
    EXPECT_EQ(cells.mid(16), QStringList(48, ""));
}

TEST_F(RfidReadTest, RandomRepliesOfEveryLength)
{
    std::mt19937 random(5101);
    for (int length = 0; length <= 100; ++length) {
        QByteArray reply(length, '\0');
        for (char& c : reply)
            c = static_cast<char>(random() & 0xFF);
        const int start = static_cast<int>(random() % 17);
        const int count = 2 + static_cast<int>(random() % (63 - start));
        choose(dlg, 1263, QString::number(start));
        choose(dlg, 1262, QString::number(count));
        choose(dlg, 1265, random() % 2 ? "Hex" : "ASCII");
        const QStringList before = cellTexts(grid());
        printer->replies = {reply};
        hooks.clearMessages();
        read();
        const QStringList after = cellTexts(grid());
        if (length == 0) {
            EXPECT_EQ(after, before);
            EXPECT_EQ(messageTexts(), QStringList{"Reading data is failed"});
            continue;
        }
        EXPECT_EQ(messageTexts(), QStringList{"Reading data is successful"});
        for (int p = 0; p < 64; ++p) {
            if (p < start || p >= start + count)
                EXPECT_EQ(after[p], "-");
        }
        printer->replies.clear();
    }
}

// ---- write window -------------------------------------------------------------------------

class RfidWriteTest : public RfidWindowTest {
protected:
    void SetUp() override
    {
        RfidWindowTest::SetUp();
        dlg.OnInitDialog();
    }
    QLineEdit* cell(int number) const { return dlg.findChild<CRfidDataGrid*>()->cell(number - 1); }
    QList<int> enabledCells() const
    {
        QList<int> numbers;
        for (int n = 1; n <= 64; ++n) {
            if (cell(n)->isEnabled())
                numbers << n;
        }
        return numbers;
    }

    CRFIDWriteRead dlg;
};

TEST_F(RfidWriteTest, DataWriteOfTwelveHexBytes)
{
    EXPECT_EQ(dlg.windowTitle(), "RFID Write");
    EXPECT_FALSE(dlg.GetDlgItem(1268)->isEnabled());
    EXPECT_TRUE(enabledCells().isEmpty());
    EXPECT_EQ(text(dlg, 1270), "3C.A7.5E.91");
    click(dlg, 1272);
    EXPECT_TRUE(dlg.GetDlgItem(1268)->isEnabled());
    click(dlg, 1084);
    QList<int> range;
    for (int n = 5; n <= 16; ++n)
        range << n;
    EXPECT_EQ(enabledCells(), range);
    EXPECT_FALSE(dlg.GetDlgItem(1084)->isEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(1297)->isEnabled());
    const QString digits = "00112233445566778899AABB";
    for (int n = 5; n <= 16; ++n)
        typeKeys(cell(n), digits.mid((n - 5) * 2, 3));  // the limit keeps two characters
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(1268));
    click(dlg, 1268);
    EXPECT_EQ(printer->written, ">RFW,H,4,12,'" + digits.toLatin1() + "'\rP1\r");
    ASSERT_EQ(messageTexts(), QStringList{"Writing is success"});
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);
    // A write that succeeded keeps the cells and opens the range controls again.
    EXPECT_EQ(enabledCells(), range);
    EXPECT_TRUE(dlg.GetDlgItem(1084)->isEnabled());
    EXPECT_EQ(cell(16)->text(), "BB");

    // Without Set Data the defaults give empty data.
    printer->written.clear();
    click(dlg, 1297);
    EXPECT_TRUE(enabledCells().isEmpty());
    EXPECT_EQ(cell(5)->text(), "");
    EXPECT_FALSE(dlg.GetDlgItem(1297)->isEnabled());
    click(dlg, 1268);
    EXPECT_EQ(printer->written, ">RFW,H,4,12,''\rP1\r");
}

TEST_F(RfidWriteTest, FocusFollowsTheEnabledCells)
{
    click(dlg, 1272);
    choose(dlg, 1267, "0");
    choose(dlg, 1269, "2");
    click(dlg, 1084);
    EXPECT_EQ(enabledCells(), QList<int>({1, 2}));
    typeKeys(cell(1), "AB");
    EXPECT_EQ(dlg.focusWidget(), cell(2));
    typeKeys(cell(2), "C");
    EXPECT_EQ(dlg.focusWidget(), cell(2));
    typeKeys(cell(2), "D");
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(1268));

    click(dlg, 1297);
    choose(dlg, 1267, "1");
    choose(dlg, 1269, "2");
    click(dlg, 1084);
    EXPECT_EQ(enabledCells(), QList<int>({2, 3}));
    typeKeys(cell(3), "EF");
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(1268));

    // ASCII: the focus moves after every character; the last cell hands it to "Set Data".
    click(dlg, 1297);
    choose(dlg, 1266, "ASCII");
    choose(dlg, 1267, "16");
    choose(dlg, 1269, "48");
    click(dlg, 1084);
    EXPECT_EQ(cell(17)->maxLength(), 1);
    typeKeys(cell(17), "x");
    EXPECT_EQ(dlg.focusWidget(), cell(18));
    click(dlg, 1268);  // the data write enables "Set Data" again
    typeKeys(cell(64), "z");
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(1084));
    EXPECT_EQ(printer->written, ">RFW,A,16,48,'x'\rP1\r");
}

// "Write" without a ticked box and "Set Data" right after Set Data are disabled: the focus
// goes on to the next control that can take it instead of staying in the full cell.
TEST_F(RfidWriteTest, FocusPassesADisabledTargetToTheNextControl)
{
    choose(dlg, 1267, "0");
    choose(dlg, 1269, "2");
    click(dlg, 1084);
    ASSERT_FALSE(dlg.GetDlgItem(1268)->isEnabled());
    typeKeys(cell(1), "AB");
    EXPECT_EQ(dlg.focusWidget(), cell(2));
    typeKeys(cell(2), "CD");
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(IDC_CLOSE));

    click(dlg, 1297);
    choose(dlg, 1266, "ASCII");
    choose(dlg, 1267, "16");
    choose(dlg, 1269, "48");
    click(dlg, 1084);
    ASSERT_FALSE(dlg.GetDlgItem(1084)->isEnabled());
    typeKeys(cell(64), "z");
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(1297));
}

TEST_F(RfidWriteTest, RangeCheckAtTheGridsEnd)
{
    struct Range {
        const char* start;
        const char* count;
        bool accepted;
    };
    for (const Range& r : {Range{"16", "48", true}, Range{"16", "49", false},
                           Range{"16", "53", false}, Range{"16", "54", false}}) {
        hooks.clearMessages();
        click(dlg, 1297);
        choose(dlg, 1267, r.start);
        choose(dlg, 1269, r.count);
        click(dlg, 1084);
        EXPECT_EQ(!enabledCells().isEmpty(), r.accepted) << r.count;
        EXPECT_EQ(messageTexts().contains(kInvalidRange), !r.accepted) << r.count;
    }
}

TEST_F(RfidWriteTest, UnlockDataAndLockInThatOrderThenPrint)
{
    click(dlg, 1298);
    click(dlg, 1272);
    click(dlg, 1293);
    click(dlg, 1428 - 200);  // "User Data"
    EXPECT_FALSE(dlg.GetDlgItem(1266)->isEnabled());
    choose(dlg, 1267, "0");
    choose(dlg, 1269, "2");
    click(dlg, 1084);
    typeKeys(cell(1), "0A");
    typeKeys(cell(2), "0B");
    click(dlg, 1276);
    click(dlg, 1282);
    click(dlg, 1268);
    EXPECT_EQ(printer->written, ">RFUL\r>RFW,U,0,2,'0A0B'\r>RFLP,L,'08,02,00'\rP1\r");
    EXPECT_EQ(messageTexts(), QStringList{"Writing is success"});

    // All twenty boxes, the lock alone.
    printer->written.clear();
    click(dlg, 1298);
    click(dlg, 1272);
    for (int id : rfid::kLockBoxIds) {
        if (!dlg.IsDlgButtonChecked(id))
            click(dlg, id);
    }
    click(dlg, 1268);
    EXPECT_EQ(printer->written, ">RFLP,L,'FF,FF,F0'\rP1\r");
    click(dlg, 1293);
    EXPECT_FALSE(dlg.GetDlgItem(1268)->isEnabled());
}

TEST_F(RfidWriteTest, FailedDataWriteDisablesTheCellsAndIsNotReportedAsSuccess)
{
    SelectiveNetwork failing;
    failing.failPrefix = ">RFW";
    platform::ScopedService<platform::Network> scope{failing};
    useTcp();
    click(dlg, 1272);
    click(dlg, 1084);
    typeKeys(cell(5), "12");
    click(dlg, 1268);
    EXPECT_TRUE(enabledCells().isEmpty());
    EXPECT_EQ(cell(5)->text(), "12");
    EXPECT_TRUE(dlg.GetDlgItem(1084)->isEnabled());
    EXPECT_EQ(failing.inner.peer().received, "P1\r");
    EXPECT_EQ(messageTexts(), QStringList{"Writing data is failed"});
}

TEST_F(RfidWriteTest, Passwords)
{
    click(dlg, 1152);
    EXPECT_EQ(printer->written, ">RFZ,'5A3C90E1,5A3C90E1,3CA75E91,3CA75E91'\r");
    EXPECT_EQ(messageTexts(), QStringList{"Set RFID setting is successful"});

    struct Case {
        const char* access;
        const char* kill;
        const char* message;
    };
    const Case cases[] = {
        {"11223344", "55.66.77.88", nullptr},
        {"11.22.33", "55667788", "Value of access is invalid!"},
        {"", "55667788", "Value of access is invalid!"},
        {"112233445", "", "Value of access is invalid!"},
        {"11223344", "5566", "Value of kill is invalid!"},
    };
    for (const Case& c : cases) {
        printer->written.clear();
        hooks.clearMessages();
        type(dlg, 1270, c.access);
        type(dlg, 1271, c.kill);
        click(dlg, 1152);
        if (c.message) {
            EXPECT_TRUE(printer->written.isEmpty()) << c.access;
            EXPECT_EQ(messageTexts(), QStringList{c.message});
        } else {
            EXPECT_EQ(printer->written, ">RFZ,'5A3C90E1,5A3C90E1,11223344,55667788'\r");
        }
    }
}

TEST_F(RfidWriteTest, PopupOpensTheReadWindowOverIt)
{
    hooks.scriptDialog<CRFIDRead>([this](CRFIDRead& read) {
        EXPECT_EQ(read.parentWidget(), &dlg);
        EXPECT_EQ(text(read, 1262), "12");
        click(read, IDC_CLOSE);
    });
    click(dlg, 1429);
    EXPECT_EQ(hooks.modalDialogs().size(), 1u);
}

// ---- configuration window ---------------------------------------------------------------

class RfidSettingTest : public RfidWindowTest {
protected:
    void SetUp() override
    {
        RfidWindowTest::SetUp();
        dlg.OnInitDialog();
    }
    bool settingsEnabled() const
    {
        for (int id : {1255, 1256, 1237, 1259, 1260, 1003}) {
            if (!dlg.GetDlgItem(id)->isEnabled())
                return false;
        }
        return true;
    }
    QStringList shown() const
    {
        return {text(dlg, 1255), text(dlg, 1256), text(dlg, 1237), text(dlg, 1259), text(dlg, 1260)};
    }

    CRFIDSetting dlg;
};

TEST_F(RfidSettingTest, GetDefaultsAndSet)
{
    EXPECT_EQ(dlg.windowTitle(), "RFID Configuration");
    EXPECT_EQ(dlg.item<QComboBox>(1255)->currentIndex(), -1);
    EXPECT_EQ(dlg.item<QComboBox>(1256)->currentIndex(), -1);
    EXPECT_EQ(dlg.item<QComboBox>(1256)->count(), 31);
    EXPECT_EQ(text(dlg, 1237), "");
    EXPECT_FALSE(dlg.GetDlgItem(1003)->isEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(1255)->isEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(1266)->isEnabled());

    // Defaults before any Get: shown, but nothing is enabled.
    click(dlg, 1152);
    EXPECT_EQ(shown(), QStringList({"GEN2", "1", "600", "3", "2"}));
    EXPECT_FALSE(settingsEnabled());
    EXPECT_TRUE(printer->written.isEmpty());

    printer->replies = {"GEN2", "16", "600\r\n", "3", "2"};
    click(dlg, 1002);
    EXPECT_EQ(printer->written, ">RFI,1\r>RFI,2\r>RFI,3\r>RFI,4\r>RFI,5\r");
    EXPECT_EQ(waits(), std::vector<int>(5, 100));
    EXPECT_EQ(reads(), QStringList(5, "read(16)"));
    EXPECT_EQ(dlg.item<QComboBox>(1256)->currentIndex(), 15);
    EXPECT_EQ(shown(), QStringList({"GEN2", "16", "600", "3", "2"}));
    EXPECT_TRUE(settingsEnabled());
    ASSERT_EQ(messageTexts(), QStringList{"Get RFID setting is successful"});
    EXPECT_EQ(hooks.messages()[0].icon, platform::AlertIcon::Information);

    printer->written.clear();
    hooks.clearMessages();
    click(dlg, 1152);
    click(dlg, 1003);
    EXPECT_EQ(printer->written, ">RFS,5,3,2,1\r>RFTP,600\r");
    EXPECT_EQ(messageTexts(), QStringList{"Set RFID setting is successful"});

    // A Get whose tag type reply is no type leaves the list as it was; none at first.
    CRFIDSetting fresh;
    fresh.OnInitDialog();
    printer->replies = {"gen2", "32", "  ", "11", "5"};
    click(fresh, 1002);
    EXPECT_EQ(fresh.item<QComboBox>(1255)->currentIndex(), -1);
    EXPECT_EQ(fresh.item<QComboBox>(1256)->currentIndex(), -1);
    EXPECT_EQ(fresh.item<QComboBox>(1259)->currentIndex(), -1);
    EXPECT_EQ(text(fresh, 1260), "5");
    printer->written.clear();
    click(fresh, 1003);
    EXPECT_EQ(printer->written, ">RFS,-1,5,0\r>RFTP,\r");
}

TEST_F(RfidSettingTest, UnansweredFifthQueryChangesNothing)
{
    click(dlg, 1152);
    const QStringList before = shown();
    printer->replies = {"ISO-B", "9", "700", "1", ""};
    click(dlg, 1002);
    EXPECT_EQ(shown(), before);
    EXPECT_FALSE(settingsEnabled());
    EXPECT_EQ(messageTexts(), QStringList{"Get RFID setting is failed"});

    // Earlier silent queries do not stop the sequence: the fifth decides.
    hooks.clearMessages();
    // A silent query takes the link's three read attempts.
    printer->replies = {"", "", "", "", "", "", "", "", "", "", "", "", "4"};
    click(dlg, 1002);
    EXPECT_EQ(messageTexts(), QStringList{"Get RFID setting is successful"});
    EXPECT_EQ(shown(), QStringList({"GEN2", "", "", "0", "4"}));
}

TEST_F(RfidSettingTest, AutoCalibrationAndFailedWrites)
{
    click(dlg, 1266);
    EXPECT_EQ(printer->written, ">RFCP\r");
    EXPECT_TRUE(printer->calls.filter("read(").isEmpty());
    EXPECT_EQ(messageTexts(), QStringList{"Auto calibration is successful"});

    useTcp();
    network.peer().failSend = true;
    hooks.clearMessages();
    click(dlg, 1266);
    click(dlg, 1152);
    dlg.EnableDlgItem(1003, true);
    click(dlg, 1003);
    EXPECT_EQ(messageTexts(), QStringList({"Auto calibration is failed", "Set RFID setting is failed"}));
}

TEST_F(RfidSettingTest, RandomRepliesOfEveryLength)
{
    std::mt19937 random(5103);
    for (int length = 0; length <= 100; ++length) {
        printer->replies.clear();
        for (int n = 0; n < 5; ++n) {
            QByteArray reply(length, '\0');
            for (char& c : reply)
                c = static_cast<char>(random() & 0xFF);
            printer->replies.push_back(reply);
        }
        hooks.clearMessages();
        click(dlg, 1002);
        ASSERT_EQ(messageTexts().size(), 1);
        EXPECT_EQ(messageTexts()[0], length == 0 ? "Get RFID setting is failed"
                                                 : "Get RFID setting is successful");
        EXPECT_GE(dlg.item<QComboBox>(1256)->currentIndex(), -1);
        EXPECT_LE(text(dlg, 1237).size(), 16);
    }
}

}  // namespace

// ---- the menu page's two RFID buttons -----------------------------------------------------

#include "shell/MenuCommands.h"

namespace {

TEST_F(RfidWindowTest, MenuHandlersOpenTheWindowsOverTheMainWindow)
{
    QWidget main;
    QWidget page(&main);
    hooks.scriptDialog<CRFIDSetting>([&](CRFIDSetting& d) {
        EXPECT_EQ(d.parentWidget(), &main);
        d.reject();
    });
    hooks.scriptDialog<CRFIDWriteRead>([&](CRFIDWriteRead& d) {
        EXPECT_EQ(d.parentWidget(), &main);
        EXPECT_EQ(d.GetDlgItemText(1270), "3C.A7.5E.91");
        d.reject();
    });
    OnRfidSetConfiguration(&page);
    OnRfidWriteRead(&page);
    EXPECT_EQ(hooks.modalDialogs().size(), 2u);
}

}  // namespace
