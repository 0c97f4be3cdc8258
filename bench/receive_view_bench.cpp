// The receive view of a large receive buffer: formatting 1 MiB as text, and the whole path
// from a Read that adds one reply to the view showing the re-rendered buffer.
#include "bench/QtBenchMain.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/TestClock.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/ReceiveBuffer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kBufferBytes = 1 << 20;
constexpr int kReplyBytes = 512;

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(2024);
    for (char& b : bytes)
        b = static_cast<char>(generator.bounded(256));
    return bytes;
}

void BM_FormatReceiveView(benchmark::State& state)
{
    const QByteArray bytes = randomBytes(kBufferBytes);
    const auto type =
        state.range(0) ? ReceiveBuffer::DataType::Hex : ReceiveBuffer::DataType::Ascii;
    for (auto _ : state) {
        QString text = ReceiveBuffer::format(bytes, type);
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(state.iterations() * kBufferBytes);
}

// A tester on a fake serial printer whose receive buffer already holds 1 MiB; each
// iteration presses "Read", which gets one 512-byte reply, and paints the view.
void BM_ReadToVisible(benchmark::State& state)
{
    ztest::FakeDeviceIo io;
    ztest::TestClock clock;
    platform::ScopedService<platform::DeviceIo> ioScope(io);
    platform::ScopedService<platform::Clock> clockScope(clock);
    ztest::FakeDevice& printer = io.addDevice(QStringLiteral("COM1:"));
    g_comm.SetPortName(QStringLiteral("COM1:"));
    if (!g_comm.Open()) {
        state.SkipWithError("the fake port did not open");
        return;
    }
    {
        CQuensa_CmdTesterDlg tester;
        tester.OnInitDialog();
        if (state.range(0))
            tester.CheckDlgButton(1084, true);  // HEX
        tester.resize(1000, 700);
        tester.show();
        tester.m_received.append(randomBytes(kBufferBytes).constData(), kBufferBytes);
        auto* read = tester.item<QAbstractButton>(1001);
        auto* view = tester.item<QPlainTextEdit>(1082);
        const QByteArray reply = randomBytes(kReplyBytes);
        for (auto _ : state) {
            printer.replies.push_back(reply);
            read->click();
            view->viewport()->repaint();
            QCoreApplication::processEvents();
        }
        state.counters["buffer_MiB"] = double(tester.m_received.size()) / double(1 << 20);
    }
    g_comm.Close();
}

}  // namespace

BENCHMARK(BM_FormatReceiveView)->Arg(1)->Arg(0)->ArgName("hex")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadToVisible)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("hex")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
