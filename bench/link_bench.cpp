// Throughput of CComm::Write: a file sent to a serial line in 2048-byte pieces, and one
// large write to a network printer (each TCP send ends with its 50 ms pause).
#include "link/Comm.h"
#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/LoopbackPrinter.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kTransferBytes = 16 << 20;
constexpr int kPieceBytes = 2048;
constexpr double kMiB = 1024.0 * 1024.0;

void reportRate(benchmark::State& state)
{
    const double bytes = static_cast<double>(state.iterations()) * kTransferBytes;
    state.counters["MiB"] = benchmark::Counter(bytes / kMiB, benchmark::Counter::kIsRate);
}

void BM_SerialWriteInPieces(benchmark::State& state)
{
    ztest::PtyPair line;
    ztest::MemoryProfileStore profile;
    platform::ScopedService<platform::ProfileStore> profileScope(profile);
    platform::LinuxDeviceIo devices;
    platform::ScopedService<platform::DeviceIo> devicesScope(devices);
    ztest::FakeProcess process;
    platform::ScopedService<platform::Process> processScope(process);
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());

    CComm link;
    link.SetPortName(QStringLiteral("COM7:"));
    link.m_nBaudRate = 115200;
    if (!link.Open()) {
        state.SkipWithError("the pseudo-terminal cannot be opened as COM7:");
        return;
    }

    std::atomic<bool> stop{false};
    std::thread printer([&] {
        while (!stop.load())
            line.drainMaster(5);
    });

    const QByteArray data(kTransferBytes, 'Z');
    try {
        for (auto _ : state) {
            for (int offset = 0; offset < kTransferBytes; offset += kPieceBytes)
                link.Write(data.constData() + offset, kPieceBytes);
        }
        reportRate(state);
    } catch (const ztest::ProcessExit&) {
        state.SkipWithError("a write failed after its retries");
    }
    stop = true;
    printer.join();
}

void BM_TcpWriteAtOnce(benchmark::State& state)
{
    ztest::LoopbackPrinter printer;
    printer.setKeepReceived(false);

    CComm link;
    link.SetNetworkAddress({ztest::LoopbackPrinter::address(), printer.port()});
    link.SetPortName(QStringLiteral("ETHERNET"));
    if (!link.Open()) {
        state.SkipWithError("cannot connect to the loopback printer");
        return;
    }

    const QByteArray data(kTransferBytes, 'Z');
    std::int64_t expected = 0;
    for (auto _ : state) {
        if (link.Write(data.constData(), kTransferBytes) != kTransferBytes) {
            state.SkipWithError("the send failed");
            break;
        }
        expected += kTransferBytes;
        if (!printer.waitForReceived(expected, 10000)) {
            state.SkipWithError("the printer did not get every byte");
            break;
        }
    }
    reportRate(state);
    link.MarkTcpForClose();
    link.Close();
}

}  // namespace

BENCHMARK(BM_SerialWriteInPieces)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TcpWriteAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
