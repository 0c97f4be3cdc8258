// A TCP printer that goes away, never answers the connect or stays silent after Connect:
// each tool's action pays for one reconnect, one message and one wait, and the next press
// finds the printer again without a new Connect. Driven through the real windows, opened
// from the menu page.
#include "test_main_dialog_fixture.h"

#include "maintenance/CPrinterInfo.h"
#include "maintenance/CUserSettingDialog.h"
#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "maintenance/CUserSetting_ZII_QualityDlg.h"
#include "maintenance/CUserSetting_ZII_SerialTab.h"
#include "maintenance/CExtendTabCtrl.h"
#include "platform/linux/LinuxNetwork.h"
#include "rfid/CRFIDSetting.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/LoopbackPrinter.h"
#include "ui/IpAddressCtrl.h"

#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

using namespace shelltest;

enum : int { kEthernet = 1435, kIp = 1316, kTcpPort = 1436 };

// Limits no fixed wait of a page shares, so a sleep of that length is a limit run out.
constexpr int kConnectLimitMs = 4321;
constexpr int kReceiveLimitMs = 2345;

// What the printer does once Connect has found it.
enum class Printer {
    GoneAway,      // loopback: closes and stops listening, connects are refused
    NeverAnswers,  // the host takes no connect: each try runs out the connect limit
    Silent,        // keeps the connection and answers nothing
};

// What one press cost.
struct Cost {
    QStringList messages;
    std::vector<int> sleeps;
    int connectTimeouts = 0;
    int receiveTimeouts = 0;
};

class LostPrinterTest;

// One tool action: opens its window through the menu page and presses there twice, once
// with the printer in trouble and once after it is back.
struct ToolAction {
    const char* name;
    std::function<void(LostPrinterTest&)> run;
    QStringList pageMessages;  // the window's own message when nothing came back
};

void PrintTo(const ToolAction& action, std::ostream* os)
{
    *os << action.name;
}

class LostPrinterTest : public ShellTest,
                        public ::testing::WithParamInterface<std::tuple<Printer, ToolAction>> {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        if (printerKind() == Printer::GoneAway) {
            m_loopback.emplace();
            m_loopback->queueReply("2");
            m_loopback->queueReply("RN-5\r\n");
            // Short, so the test pays little when a reply does not come.
            m_linux.setTimeLimits({kConnectLimitMs, 100, 2000});
            m_networkScope.emplace(m_linux);
        } else {
            m_fake.setTimeLimits({kConnectLimitMs, kReceiveLimitMs, 10000});
            m_fake.peer().replies = {"2", "RN-5\r\n"};
            m_networkScope.emplace(m_fake);
        }

        openDialog();
        click(kEthernet);
        control<ui::IpAddressCtrl>(kIp)->setOctets(127, 0, 0, 1);
        control<QLineEdit>(kTcpPort)->setText(QString::number(m_loopback ? m_loopback->port() : 9100));
        connect();
        ASSERT_EQ(messageTexts(), QStringList{kSuccess});
        ASSERT_EQ(g_modelName, "RN-5");
        hooks.clearMessages();
        lose();
    }

    void TearDown() override
    {
        EXPECT_EQ(hooks.pendingScripts(), 0);
        ShellTest::TearDown();
        m_networkScope.reset();
    }

    Printer printerKind() const { return std::get<0>(GetParam()); }

    void lose()
    {
        switch (printerKind()) {
        case Printer::GoneAway:
            m_loopback->stopListening();
            break;
        case Printer::NeverAnswers:
            m_fake.peer().closed = true;
            m_fake.peer().connectHangs = true;
            m_fake.peer().limitsOnClock = true;
            break;
        case Printer::Silent:
            m_fake.peer().limitsOnClock = true;
            break;
        }
    }

    void bringBack()
    {
        switch (printerKind()) {
        case Printer::GoneAway:
            ASSERT_TRUE(m_loopback->listenAgain());
            break;
        case Printer::NeverAnswers:
            m_fake.peer().closed = false;
            m_fake.peer().connectHangs = false;
            break;
        case Printer::Silent:
            break;
        }
    }

    // The bytes the printer has received so far.
    QByteArray received()
    {
        return m_loopback ? m_loopback->received() : m_fake.peer().received;
    }

    Cost measure(const std::function<void()>& press)
    {
        hooks.clearMessages();
        clock.clearSleeps();
        const int connectTimeouts = m_fake.peer().connectTimeouts;
        const int receiveTimeouts = m_fake.peer().receiveTimeouts;
        press();
        return {messageTexts(), clock.sleeps(), m_fake.peer().connectTimeouts - connectTimeouts,
                m_fake.peer().receiveTimeouts - receiveTimeouts};
    }

    // The press with the printer in trouble, then again with it back.
    void pressTwice(const std::function<void()>& press)
    {
        m_trouble = measure(press);
        bringBack();
        const QByteArray before = received();
        m_back = measure(press);
        if (m_loopback)
            m_loopback->waitForReceived(before.size() + 1, 2000);
        m_receivedWhenBack = received().mid(before.size());
    }

public:
    template <class Page>
    void onSettingPage(const std::function<void(Page&)>& press)
    {
        hooks.scriptDialog<CUserSettingDialog>([&](CUserSettingDialog& d) {
            Page* page = nullptr;
            for (int i = 0; i < d.m_tabCtrl->m_nPageCount && !page; ++i)
                page = dynamic_cast<Page*>(d.m_tabCtrl->m_pPage[i].get());
            ASSERT_NE(page, nullptr);
            pressTwice([&] { press(*page); });
            d.EndDialog(ui::IDCANCEL);
        });
        pressMenu(1008);
    }

    template <class Window>
    void inWindow(int menuButton, const std::function<void(Window&)>& press)
    {
        hooks.scriptDialog<Window>([&](Window& w) {
            pressTwice([&] { press(w); });
            w.EndDialog(ui::IDCANCEL);
        });
        pressMenu(menuButton);
    }

protected:
    void pressMenu(int id)
    {
        QAbstractButton* button = pageButton(1, id);
        ASSERT_NE(button, nullptr) << id;
        ASSERT_TRUE(button->isEnabled()) << id;
        button->click();
    }

    Cost m_trouble;
    Cost m_back;
    QByteArray m_receivedWhenBack;

private:
    platform::LinuxNetwork m_linux;
    ztest::FakeNetwork m_fake;
    std::optional<ztest::LoopbackPrinter> m_loopback;
    std::optional<platform::ScopedService<platform::Network>> m_networkScope;
};

const ToolAction kActions[] = {
    {"BasicGet",
     [](LostPrinterTest& t) {
         t.onSettingPage<CUserSetting_ZII_BasicTab>([](CUserSetting_ZII_BasicTab& p) { ztest::click(p, 1086); });
     },
     {}},
    {"BasicSet",
     [](LostPrinterTest& t) {
         t.onSettingPage<CUserSetting_ZII_BasicTab>([](CUserSetting_ZII_BasicTab& p) {
             ztest::check(p, 1049);
             ztest::click(p, 1514);
         });
     },
     {}},
    {"AdvancedGet",
     [](LostPrinterTest& t) {
         t.onSettingPage<CUserSetting_ZII_AdvancedTab>(
             [](CUserSetting_ZII_AdvancedTab& p) { ztest::click(p, 1086); });
     },
     {}},
    {"PrinterInformationGet",
     [](LostPrinterTest& t) {
         t.onSettingPage<CPrinterInfo>([](CPrinterInfo& p) { ztest::click(p, 1002); });
     },
     {QStringLiteral("Get printer information is failed.")}},
    {"InterfaceGet",
     [](LostPrinterTest& t) {
         t.onSettingPage<CUserSetting_ZII_SerialTab>([](CUserSetting_ZII_SerialTab& p) {
             ztest::check(p, 1100);
             ztest::check(p, 1101);
             ztest::click(p, 1002);
         });
     },
     {}},
    {"SampleSeriesOf12",
     [](LostPrinterTest& t) {
         t.inWindow<CUserSetting_ZII_QualityDlg>(1016, [](CUserSetting_ZII_QualityDlg& w) {
             ztest::check(w, 1052);
             ztest::click(w, 1055);
         });
     },
     {}},
    {"RfidConfigurationGet",
     [](LostPrinterTest& t) {
         t.inWindow<CRFIDSetting>(1076, [](CRFIDSetting& w) { ztest::click(w, 1002); });
     },
     {QStringLiteral("Get RFID setting is failed")}},
};

TEST_P(LostPrinterTest, OnePressCostsOneReconnectOneMessageAndOneWait)
{
    const ToolAction& action = std::get<1>(GetParam());
    action.run(*this);

    // In trouble: the window's own message, and at most one from the link.
    QStringList pageMessages;
    for (const QString& m : m_trouble.messages)
        if (m != kConnectFailed)
            pageMessages << m;
    const auto linkCount = m_trouble.messages.count(kConnectFailed);
    EXPECT_LE(linkCount, 1) << m_trouble.messages.join(u'|').toStdString();
    EXPECT_EQ(pageMessages, action.pageMessages);
    if (printerKind() == Printer::Silent)
        EXPECT_EQ(linkCount, 0);

    // At most one connect limit, and one receive limit and one late limit, run out,
    // whatever the action sends and reads.
    const int lateLimitMs = platform::TcpTimeLimits{}.lateReceiveMs;
    EXPECT_LE(m_trouble.connectTimeouts, 1);
    EXPECT_LE(m_trouble.receiveTimeouts, 2);
    EXPECT_LE(std::count(m_trouble.sleeps.begin(), m_trouble.sleeps.end(), kConnectLimitMs), 1);
    EXPECT_LE(std::count(m_trouble.sleeps.begin(), m_trouble.sleeps.end(), kReceiveLimitMs), 1);
    EXPECT_LE(std::count(m_trouble.sleeps.begin(), m_trouble.sleeps.end(), lateLimitMs), 1);

    // Back: the next press reaches the printer without a new Connect, and says nothing of
    // the link.
    EXPECT_FALSE(m_receivedWhenBack.isEmpty());
    EXPECT_EQ(m_back.messages.count(kConnectFailed), 0);
    EXPECT_LE(m_back.receiveTimeouts, 2);
    EXPECT_LE(m_back.connectTimeouts, 0);
}

const char* const kPrinterNames[] = {"GoneAway", "NeverAnswers", "Silent"};

void PrintTo(Printer printer, std::ostream* os)
{
    *os << kPrinterNames[int(printer)];
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Printer, ToolAction>>& info)
{
    return std::string(kPrinterNames[int(std::get<0>(info.param))]) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(
    Tools, LostPrinterTest,
    ::testing::Combine(::testing::Values(Printer::GoneAway, Printer::NeverAnswers, Printer::Silent),
                       ::testing::ValuesIn(kActions)),
    caseName);

}  // namespace
