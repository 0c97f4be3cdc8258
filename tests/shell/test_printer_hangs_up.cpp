// A TCP printer that hangs up in the middle of a press and keeps listening: the press goes on
// over a new connection, once. The connect that opens the link (Connect's own, or the first
// of a press after the printer dropped the idle link) is not that one reconnect. A printer
// that hangs up and goes away costs one message from the link. Driven through the real
// windows, against a loopback printer.
#include "test_main_dialog_fixture.h"

#include "maintenance/CExtendTabCtrl.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "platform/linux/LinuxNetwork.h"
#include "tests/support/LoopbackPrinter.h"
#include "ui/IpAddressCtrl.h"

#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace {

using namespace shelltest;
using Then = ztest::LoopbackPrinter::Then;

const QByteArray kProbe("\x1b\xaf" "PEG", 5);
const QByteArray kModelQuery("^PI0\r\n");

enum : int { kEthernet = 1435, kIp = 1316, kTcpPort = 1436, kDisconnect = 1022, kUserSetting = 1008 };

class PrinterHangsUpTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        // Short, so a reply that does not come costs the test little.
        m_network.setTimeLimits({2000, 200, 2000});
        openDialog();
        click(kEthernet);
        control<ui::IpAddressCtrl>(kIp)->setOctets(127, 0, 0, 1);
        control<QLineEdit>(kTcpPort)->setText(QString::number(printer.port()));
    }

    bool connected() const { return control(kDisconnect)->isEnabled(); }

    ztest::LoopbackPrinter printer;

private:
    platform::LinuxNetwork m_network;
    platform::ScopedService<platform::Network> m_networkScope{m_network};
};

TEST_F(PrinterHangsUpTest, ConnectSendsTheModelQueryOnASecondConnectionAfterTheProbe)
{
    printer.queueReply("2", Then::HangUp);
    printer.queueReply("KX-21\r\n");
    clock.clearSleeps();
    connect();

    EXPECT_EQ(messageTexts(), QStringList{kSuccess});
    EXPECT_EQ(g_language, "Ostrel");
    EXPECT_EQ(g_modelName, "KX-21");
    EXPECT_TRUE(connected());
    EXPECT_EQ(printer.received(), kProbe + kModelQuery);
    EXPECT_EQ(printer.connectionCount(), 2);
    // The probe's send pause and wait, Connect's wait, the query's send pause and wait.
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 100, 50, 50, 100}));
}

TEST_F(PrinterHangsUpTest, PrinterThatHangsUpAfterTheProbeAndGoesAwayCostsOneLinkMessage)
{
    printer.queueReply("2", Then::HangUpAndStopListening);
    clock.clearSleeps();
    connect();

    // The one reconnect is refused: the link says so once, then the query has no reply.
    EXPECT_EQ(messageTexts(), (QStringList{kConnectFailed, kCannotOpen}));
    EXPECT_FALSE(connected());
    EXPECT_FALSE(profile.contains(QStringLiteral("CurrentSettings"), QStringLiteral("Interface")));
    EXPECT_EQ(printer.received(), kProbe);
    EXPECT_EQ(printer.connectionCount(), 1);
    EXPECT_EQ(clock.sleeps(), (std::vector<int>{50, 100, 50, 100}));
}

// A Basic "Get From Printer" whose replies give the same values as a printer that never
// hangs up, unless the press has used up its one reconnect.
struct GetCase {
    const char* name;
    bool idleLinkDropped;           // the printer hangs up after Connect, before the press
    std::vector<int> hangUpsAfter;  // the replies of the press after which it hangs up
    int repliesRead;                // how many the press gets
    int connections;                // accepted, Connect's included
};

void PrintTo(const GetCase& c, std::ostream* os)
{
    *os << c.name;
}

class BasicGetHangUpTest : public PrinterHangsUpTest, public ::testing::WithParamInterface<GetCase> {};

TEST_P(BasicGetHangUpTest, GetCarriesOnOverOneNewConnection)
{
    const GetCase& c = GetParam();
    printer.queueReply("2");
    printer.queueReply("KX-21\r\n", c.idleLinkDropped ? Then::HangUp : Then::Stay);
    connect();
    ASSERT_EQ(messageTexts(), QStringList{kSuccess});
    hooks.clearMessages();

    const std::vector<QByteArray> replies = {"812", "1218", "B", "4", "15", "D", "G", "-7", "3",
                                             QByteArray("\x00\x00\x34\x45", 4)};
    for (int i = 0; i < int(replies.size()); ++i) {
        const bool hangUp = std::find(c.hangUpsAfter.begin(), c.hangUpsAfter.end(), i) != c.hangUpsAfter.end();
        printer.queueReply(replies[i], hangUp ? Then::HangUp : Then::Stay);
    }

    // Width, height, orientation, speed, darkness, print mode, media type, tear-off, offset.
    const int fieldIds[] = {1060, 1061, 1062, 1064, 1065, 1066, 1067, 1068, 1069};
    QStringList fields;
    bool speedLocked = false;
    hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
        CUserSetting_ZII_BasicTab* page = nullptr;
        for (int i = 0; i < d.m_tabCtrl->m_nPageCount && !page; ++i)
            page = dynamic_cast<CUserSetting_ZII_BasicTab*>(d.m_tabCtrl->m_pPage[i].get());
        ASSERT_NE(page, nullptr);
        ztest::click(*page, 1086);
        for (int id : fieldIds)
            fields << page->GetDlgItemText(id);
        speedLocked = page->IsDlgButtonChecked(1091);
        d.EndDialog(ui::IDCANCEL);
    });
    QAbstractButton* userSetting = pageButton(1, kUserSetting);
    ASSERT_NE(userSetting, nullptr);
    userSetting->click();
    EXPECT_EQ(hooks.pendingScripts(), 0);

    // Each field shows its reply when the press got it, or what the page began with.
    const QStringList fromPrinter = {"812", "1218", "Bottom to Top", "4.0", "15", "Direct", "Web Sensing",
                                     "-7", "3"};
    ASSERT_EQ(fields.size(), fromPrinter.size());
    for (int i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(i);
        if (i < c.repliesRead)
            EXPECT_EQ(fields[i], fromPrinter[i]);
        else
            EXPECT_NE(fields[i], fromPrinter[i]);
    }
    EXPECT_EQ(speedLocked, c.repliesRead == int(replies.size()));
    EXPECT_EQ(printer.connectionCount(), c.connections);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Printers, BasicGetHangUpTest,
    ::testing::Values(GetCase{"OnceOnTheConnectionOfConnect", false, {2}, 10, 2},
                      GetCase{"OnceAfterDroppingTheIdleLink", true, {2}, 10, 3},
                      GetCase{"TwiceInOnePress", false, {2, 5}, 6, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
