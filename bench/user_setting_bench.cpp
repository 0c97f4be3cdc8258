// One Basic-page Get against the printer simulator over loopback TCP. With the test clock the
// fixed waits are counted instead of slept, so the time measured is everything else: writes,
// reads, parsing and the refresh of the page. A second run sleeps them for the whole figure.
// A third runs the Get, one press, against a printer that takes the connection and never
// answers, with the link's own time limits: what the operator waits for such a printer,
// and against one that leaves the orientation query unanswered. Connect, one press of the
// main window, is timed against a silent printer and one that ignores the language probe.
#include "bench/QtBenchMain.h"
#include "core/Globals.h"
#include "core/ModelTable.h"
#include "link/Comm.h"
#include "maintenance/CUserSetting_ZII_BasicTab.h"
#include "platform/Services.h"
#include "shell/CZentrovaDlg.h"
#include "tests/support/LoopbackPrinter.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/SimProcess.h"
#include "tests/support/TestClock.h"
#include "ui/IpAddressCtrl.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kGet = 1086;

struct GetBench {
    ztest::SimProcess sim;
    QWidget host;
    std::unique_ptr<CUserSetting_ZII_BasicTab> page;

    bool start(benchmark::State& state, const QStringList& printer = {})
    {
        const int port = sim.startTcp(printer);
        if (port <= 0) {
            state.SkipWithError("the printer simulator did not start");
            return false;
        }
        return connect(state, port);
    }

    bool connect(benchmark::State& state, int port)
    {
        BuildModelTable();
        g_modelTable.Lookup(QStringLiteral("KX-21"), g_curModelInfo);
        g_language = QStringLiteral("Ostrel");
        g_comm.SetPortName(QStringLiteral("ETHERNET"));
        g_comm.SetNetworkAddress({QStringLiteral("127.0.0.1"), static_cast<std::uint32_t>(port)});
        if (!g_comm.Open()) {
            state.SkipWithError("cannot connect to the simulator");
            return false;
        }
        page = std::make_unique<CUserSetting_ZII_BasicTab>();
        page->Create(&host);
        return true;
    }

    void get() { page->item<QAbstractButton>(kGet)->click(); }

    ~GetBench()
    {
        page.reset();
        g_comm.MarkTcpForClose();
        g_comm.Close();
        g_curModelInfo = nullptr;
        ClearModelTable();
    }
};

void BM_BasicGetWithoutTheWaits(benchmark::State& state)
{
    ztest::TestClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    GetBench bench;
    if (!bench.start(state))
        return;
    for (auto _ : state) {
        clock.clearSleeps();
        bench.get();
    }
    // The waits the Get asked for: the page's own and the link's pause after each TCP send.
    state.counters["waits_ms"] = clock.totalSleptMs();
}

void BM_BasicGetWithTheWaits(benchmark::State& state)
{
    GetBench bench;
    if (!bench.start(state))
        return;
    for (auto _ : state)
        bench.get();
}

void BM_BasicGetAgainstASilentPrinter(benchmark::State& state)
{
    ztest::LoopbackPrinter silent;
    GetBench bench;
    if (!bench.connect(state, silent.port()))
        return;
    for (auto _ : state)
        bench.get();
}

void BM_BasicGetWithOneQueryUnanswered(benchmark::State& state)
{
    GetBench bench;
    if (!bench.start(state, {"--unanswered", "\\x1b\\x1c?\\x03"}))
        return;
    for (auto _ : state)
        bench.get();
}

// One Connect press of the main window against a printer on loopback TCP.
void connectTo(benchmark::State& state, const QStringList& printer)
{
    ztest::MemoryProfileStore profile;
    platform::ScopedService<platform::ProfileStore> profileScope(profile);
    ui::TestHooks hooks;  // the closing message is recorded, not shown
    ztest::SimProcess sim;
    const int port = sim.startTcp(printer);
    if (port <= 0) {
        state.SkipWithError("the printer simulator did not start");
        return;
    }
    BuildModelTable();
    for (auto _ : state) {
        state.PauseTiming();
        CZentrovaDlg dialog;
        dialog.AddMenuPages();
        dialog.OnInitDialog();
        dialog.item<QAbstractButton>(1435)->click();  // Ethernet
        dialog.item<ui::IpAddressCtrl>(1316)->setOctets(127, 0, 0, 1);
        dialog.item<QLineEdit>(1436)->setText(QString::number(port));
        state.ResumeTiming();
        dialog.item<QAbstractButton>(1003)->click();
        state.PauseTiming();
        g_comm.MarkTcpForClose();
        g_comm.Close();
        state.ResumeTiming();
    }
    state.counters["connected"] = hooks.messages().empty() ? 0 : hooks.messages().back().text == "Success open port." ? 1 : 0;
    g_curModelInfo = nullptr;
    ClearModelTable();
}

void BM_ConnectToASilentPrinter(benchmark::State& state)
{
    connectTo(state, {"--silent"});
}

void BM_ConnectIgnoringTheProbe(benchmark::State& state)
{
    connectTo(state, {"--unanswered", "\\x1b\\xafPEG"});
}

}  // namespace

BENCHMARK(BM_BasicGetWithoutTheWaits)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BasicGetWithTheWaits)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BasicGetAgainstASilentPrinter)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_BasicGetWithOneQueryUnanswered)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_ConnectToASilentPrinter)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_ConnectIgnoringTheProbe)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
