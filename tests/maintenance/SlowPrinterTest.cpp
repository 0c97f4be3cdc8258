// Pages read from a printer that is alive but slow, that leaves a query unanswered, or whose
// answer comes after its read, through the real windows against the stand-in printer with
// the link's own limits. Every answer lands in its own field or in none, and a Set after
// the Get sends back what the printer holds.
//
// Over TCP the pages' fixed waits run on the test clock: the link's own waits decide. Over
// the pseudo-terminal they are slept, since there they are all a read has.
#include "core/Globals.h"
#include "core/ModelTable.h"
#include "link/Comm.h"
#include "maintenance/CPrinterInfo.h"
#include "maintenance/CUserSetting_ZII_AdvancedTab.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "maintenance/CUserSetting_ZII_SerialTab.h"
#include "platform/Services.h"
#include "rfid/CRFIDSetting.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {

using ztest::check;
using ztest::click;

enum class Link { Tcp, Pty };
enum class Page { Basic, Advanced, Interface, PrinterInfo, Rfid };

// What every control of a window shows, by control id.
using Fields = std::map<int, QString>;

Fields fieldsOf(const ui::Dialog& window)
{
    Fields fields;
    for (int id = 1000; id < 1600; ++id) {
        QWidget* w = window.GetDlgItem(id);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            fields[id] = QStringLiteral("%1:%2").arg(combo->currentIndex()).arg(combo->currentText());
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            fields[id] = edit->text();
        else if (auto* label = qobject_cast<QLabel*>(w))
            fields[id] = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
            fields[id] = button->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear");
    }
    return fields;
}

// One page in a window of its own, as the operator uses it.
struct PageWindow {
    QWidget host;
    std::unique_ptr<ui::Dialog> window;
    int get = 1002;
    int set = 1003;

    explicit PageWindow(Page page)
    {
        g_language = QStringLiteral("Ostrel");  // what a Get before may have changed
        switch (page) {
        case Page::Basic:
            window = std::make_unique<CUserSetting_ZII_BasicTab>();
            get = 1086;
            set = 1514;
            break;
        case Page::Advanced:
            window = std::make_unique<CUserSetting_ZII_AdvancedTab>();
            get = 1086;
            set = 1514;
            break;
        case Page::Interface:
            window = std::make_unique<CUserSetting_ZII_SerialTab>();
            break;
        case Page::PrinterInfo:
            window = std::make_unique<CPrinterInfo>();
            set = 0;  // it sets nothing it reads
            break;
        case Page::Rfid: {
            auto rfid = std::make_unique<CRFIDSetting>();
            rfid->OnInitDialog();
            window = std::move(rfid);
            return;
        }
        }
        window->Create(&host);
        if (page == Page::Interface) {
            check(*window, 1100);  // the serial parameters
            check(*window, 1101);  // the Bluetooth module
        }
    }
};

struct SlowCase {
    const char* name;
    Page page;
    Link link;
    QStringList slowness;  // the stand-in printer's options
    // The controls that the unanswered or late query fills: they may keep what a failed
    // read leaves (all of them: kAny). Every other one shows the printer's value.
    std::set<int> mayKeep;
    int settleMs = 0;  // until every late answer has come
};

const std::set<int> kAny{-1};

void PrintTo(const SlowCase& c, std::ostream* os)
{
    *os << c.name;
}

class SlowPrinterTest : public ::testing::TestWithParam<SlowCase> {
protected:
    void SetUp() override
    {
        g_menuMode = 1;
        g_language = QStringLiteral("Ostrel");
        BuildModelTable();
        g_modelTable.Lookup(QString::fromLatin1(model()), g_curModelInfo);
        ASSERT_NE(g_curModelInfo, nullptr);
        if (tcp())
            clockScope.emplace(clock);
    }

    void TearDown() override
    {
        ztest::SimProcess::closeLink();
        g_curModelInfo = nullptr;
        ClearModelTable();
        g_language.clear();
    }

    bool tcp() const { return GetParam().link == Link::Tcp; }
    const char* model() const { return GetParam().page == Page::Rfid ? "RN-5" : "KX-21"; }

    // Starts a printer and opens the link to it.
    void attach(ztest::SimProcess& sim, const QStringList& slowness)
    {
        const QStringList arguments = QStringList{"--model", model()} + slowness;
        ztest::SimProcess::closeLink();
        if (tcp()) {
            ASSERT_GT(sim.startTcp(arguments), 0);
            ASSERT_TRUE(sim.openLink());
            return;
        }
        const QString pty = sim.startPty(arguments);
        ASSERT_FALSE(pty.isEmpty());
        profile.setString(QStringLiteral("Ports"), QStringLiteral("COM3"), pty);
        g_comm.SetPortName(QStringLiteral("COM3:"));
        g_comm.m_nBaudRate = 115200;
        ASSERT_TRUE(g_comm.Open());
    }

    // A new window's controls before and after its Get.
    std::pair<Fields, Fields> getInNewWindow()
    {
        PageWindow page(GetParam().page);
        const Fields before = fieldsOf(*page.window);
        click(*page.window, page.get);
        return {before, fieldsOf(*page.window)};
    }

    // What the printer holds, read from one that answers at once.
    Fields whatThePrinterHolds()
    {
        ztest::SimProcess prompt;
        attach(prompt, {});
        return getInNewWindow().second;
    }

    // Each control shows the printer's value or what a failed read leaves, never another
    // query's value; only those in `mayKeep` may show the latter.
    void expectOwnOrNone(const Fields& before, const Fields& printer, const Fields& got,
                         const std::set<int>& mayKeep)
    {
        for (const auto& [id, value] : got) {
            if (value == printer.at(id))
                continue;
            EXPECT_EQ(value, before.at(id)) << "control " << id << " shows neither the printer's value nor nothing";
            EXPECT_TRUE(mayKeep == kAny || mayKeep.count(id)) << "control " << id << " misses the printer's value";
        }
    }

    ztest::MemoryProfileStore profile;
    ztest::FakeProcess process;
    ztest::TestClock clock;
    platform::ScopedService<platform::ProfileStore> profileScope{profile};
    platform::ScopedService<platform::Process> processScope{process};
    std::optional<platform::ScopedService<platform::Clock>> clockScope;
    ui::TestHooks hooks;
};

TEST_P(SlowPrinterTest, EveryAnswerLandsInItsOwnFieldOrInNone)
{
    const SlowCase& c = GetParam();

    const Fields printer = whatThePrinterHolds();
    ztest::SimProcess sim;
    attach(sim, c.slowness);
    PageWindow page(c.page);
    const Fields before = fieldsOf(*page.window);
    click(*page.window, page.get);
    expectOwnOrNone(before, printer, fieldsOf(*page.window), c.mayKeep);
    if (!tcp() || page.set == 0)
        return;

    // The Set writes back what the page holds; the printer still holds its own values.
    click(*page.window, page.set);
    QThread::msleep(c.settleMs);  // answers still on their way come before the next Get
    const auto [freshBefore, again] = getInNewWindow();
    expectOwnOrNone(freshBefore, printer, again, c.mayKeep);
}

// An answer that comes after its press is over waits on the link until the next press,
// whose first read skips it.
class LateAnswerTest : public SlowPrinterTest {};

TEST_P(LateAnswerTest, AnAnswerLaterThanItsPressLandsInNoFieldOfTheNextPress)
{
    const SlowCase& c = GetParam();
    const Fields printer = whatThePrinterHolds();
    ztest::SimProcess sim;
    attach(sim, c.slowness);
    const auto [before, first] = getInNewWindow();
    expectOwnOrNone(before, printer, first, c.mayKeep);
    // Let the late answers of the first press come in before the second.
    QThread::msleep(2500);
    const auto [before2, second] = getInNewWindow();
    expectOwnOrNone(before2, printer, second, c.mayKeep);
}

// Setting queries: ESC FS '?' and the item.
const QString kOrientationQuery = QStringLiteral("\\x1b\\x1c?\\x03");
const QString kWidthQuery = QStringLiteral("\\x1b\\x1c?\\x01");
const QString kHeightQuery = QStringLiteral("\\x1b\\x1c?\\x02");
const QString kMediaHandlingQuery = QStringLiteral("\\x1b\\x1c?\\x0c");
const QString kSerialQuery = QStringLiteral("\\x1b\\x1c?\\x0b");

INSTANTIATE_TEST_SUITE_P(
    Pages, SlowPrinterTest,
    ::testing::Values(
        // TCP: one query never answered, the others after 0.3 s.
        SlowCase{"BasicTcp", Page::Basic, Link::Tcp, {"--reply-delay", "300", "--unanswered", kOrientationQuery}, {1062}},
        SlowCase{"AdvancedTcp", Page::Advanced, Link::Tcp,
                 {"--reply-delay", "300", "--unanswered", kMediaHandlingQuery}, {1516}},
        SlowCase{"InterfaceTcp", Page::Interface, Link::Tcp, {"--reply-delay", "300", "--unanswered", kSerialQuery}, {1067, 1068, 1069, 1070, 1071}},
        SlowCase{"PrinterInfoTcp", Page::PrinterInfo, Link::Tcp, {"--reply-delay", "200", "--unanswered", "^PI0"}, {1229}},
        SlowCase{"RfidTcp", Page::Rfid, Link::Tcp, {"--reply-delay", "300", "--unanswered", ">RFI,1"}, {1255}},
        // TCP: the first answer later than its read, the others at once.
        SlowCase{"RfidFirstLateTcp", Page::Rfid, Link::Tcp, {"--late", ">RFI,1=3400"}, {1255}, 500},
        SlowCase{"BasicFirstLateTcp", Page::Basic, Link::Tcp, {"--late", kWidthQuery + "=3400"}, {1060}, 500},
        // Serial: one answer later than the page's fixed wait, before the next query.
        SlowCase{"BasicPty", Page::Basic, Link::Pty, {"--late", kWidthQuery + "=110"}, {1060}},
        // Serial: every answer later than the page's fixed wait.
        SlowCase{"AdvancedPty", Page::Advanced, Link::Pty, {"--reply-delay", "300"}, kAny}),
    [](const auto& info) { return std::string(info.param.name); });

// An answer that comes after the press has ended.
INSTANTIATE_TEST_SUITE_P(
    Pages, LateAnswerTest,
    ::testing::Values(SlowCase{"BasicPty", Page::Basic, Link::Pty, {"--late", kHeightQuery + "=2000"}, {1061}},
                      SlowCase{"RfidTcp", Page::Rfid, Link::Tcp, {"--late", ">RFI,3=3400"}, {1237}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
