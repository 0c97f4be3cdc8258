// A 4000 x 3000 JPEG turned into the 1-bit PCX file with each dither method (the fixed
// waits left out), against ImageMagick's convert where installed; and the file transfer
// of 16 MiB to a pseudo-terminal reader and to a loopback TCP sink.
#include "link/Comm.h"
#include "maintenance/CDlgScrollView.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/LoopbackPrinter.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

namespace {

constexpr int kTransferBytes = 16 << 20;
constexpr double kMiB = 1024.0 * 1024.0;

// The fixed waits are the protocol's, not the conversion's: left out here.
class NoWaitClock : public platform::Clock {
public:
    void sleep(int) override {}
    QDateTime localTime() const override { return QDateTime::currentDateTime(); }
};

QTemporaryDir& scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// A photo-like 4000 x 3000 JPEG, made once.
const QString& photo()
{
    static const QString path = [] {
        QImage image(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x * 255 / 3999) ^ (y & 0x3F), y * 255 / 2999, ((x / 50 + y / 50) % 2) * 180 + 40);
        }
        const QString p = scratch().filePath("photo.jpg");
        image.save(p, "JPG", 90);
        return p;
    }();
    return path;
}

std::map<std::string, double> g_secondsPerRun;

void BM_JpegToPcx(benchmark::State& state)
{
    NoWaitClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    const int method = static_cast<int>(state.range(0));
    const QString& source = photo();
    const QString target = scratch().filePath(QStringLiteral("out%1.pcx").arg(method));
    platform::PictureLibrary& library = platform::pictures();
    const int format = library.formatFromExtension("jpg");
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<platform::Picture> picture = library.load(source, format);
        if (!picture) {
            state.SkipWithError("the JPEG does not load");
            return;
        }
        CDlgScrollView::ConvertToOneBit(*picture, method, 0);
        if (!picture->savePcx(target)) {
            state.SkipWithError("the PCX file was not written");
            return;
        }
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_secondsPerRun["method " + std::to_string(method)] = total / static_cast<double>(state.iterations());
}

void BM_ImageMagickConvert(benchmark::State& state)
{
    const QString convert = QStandardPaths::findExecutable("convert");
    if (convert.isEmpty()) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    const QString& source = photo();
    const QString target = scratch().filePath("magick.pcx");
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess process;
        process.start(convert, {source, "-dither", "FloydSteinberg", "-monochrome", target});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("convert failed");
            return;
        }
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_secondsPerRun["convert"] = total / static_cast<double>(state.iterations());
}

// One DownLoad of the file transfer window, message box recorded instead of shown.
bool transferOnce(const QString& file)
{
    ui::TestHooks hooks;
    CFileTransferDlg dlg;
    dlg.OnInitDialog();
    hooks.answerFileDialog(file);
    dlg.item<QAbstractButton>(IDC_SELECT_FILE)->click();
    dlg.item<QAbstractButton>(IDC_DOWNLOAD)->click();
    return hooks.messages().size() == 1 && hooks.messages()[0].text == "File download is completed.";
}

const QString& transferFile()
{
    static const QString path = [] {
        const QString p = scratch().filePath("transfer.bin");
        QFile file(p);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(kTransferBytes, 'Z'));
        return p;
    }();
    return path;
}

void reportRate(benchmark::State& state)
{
    const double bytes = static_cast<double>(state.iterations()) * kTransferBytes;
    state.counters["MiB"] = benchmark::Counter(bytes / kMiB, benchmark::Counter::kIsRate);
}

void BM_FileTransferToPty(benchmark::State& state)
{
    NoWaitClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    ztest::PtyPair line;
    ztest::MemoryProfileStore profile;
    platform::ScopedService<platform::ProfileStore> profileScope(profile);
    platform::LinuxDeviceIo devices;
    platform::ScopedService<platform::DeviceIo> devicesScope(devices);
    ztest::FakeProcess process;
    platform::ScopedService<platform::Process> processScope(process);
    profile.setString(QStringLiteral("Ports"), QStringLiteral("COM7"), line.slavePath());
    g_comm.SetPortName(QStringLiteral("COM7:"));
    g_comm.m_nBaudRate = 115200;
    if (!g_comm.Open()) {
        state.SkipWithError("the pseudo-terminal cannot be opened as COM7:");
        return;
    }
    std::atomic<bool> stop{false};
    std::thread printer([&] {
        while (!stop.load())
            line.drainMaster(5);
    });
    const QString& file = transferFile();
    try {
        for (auto _ : state) {
            if (!transferOnce(file)) {
                state.SkipWithError("the transfer did not complete");
                break;
            }
        }
        reportRate(state);
    } catch (const ztest::ProcessExit&) {
        state.SkipWithError("a write failed after its retries");
    }
    stop = true;
    printer.join();
    g_comm.Close();
}

void BM_FileTransferToTcp(benchmark::State& state)
{
    NoWaitClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    ztest::LoopbackPrinter printer;
    printer.setKeepReceived(false);
    g_comm.SetNetworkAddress({ztest::LoopbackPrinter::address(), printer.port()});
    g_comm.SetPortName(QStringLiteral("ETHERNET"));
    if (!g_comm.Open()) {
        state.SkipWithError("cannot connect to the loopback printer");
        return;
    }
    const QString& file = transferFile();
    std::int64_t expected = 0;
    for (auto _ : state) {
        if (!transferOnce(file)) {
            state.SkipWithError("the transfer did not complete");
            break;
        }
        expected += kTransferBytes;
        if (!printer.waitForReceived(expected, 10000)) {
            state.SkipWithError("the printer did not get every byte");
            break;
        }
    }
    reportRate(state);
    g_comm.MarkTcpForClose();
    g_comm.Close();
}

}  // namespace

BENCHMARK(BM_JpegToPcx)->Arg(0)->Arg(1)->Arg(7)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickConvert)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileTransferToPty)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileTransferToTcp)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const auto ours = g_secondsPerRun.find("method 0");
    const auto theirs = g_secondsPerRun.find("convert");
    if (ours != g_secondsPerRun.end() && theirs != g_secondsPerRun.end())
        std::printf("convert -dither FloydSteinberg -monochrome / ours (error diffusion): %.2f "
                    "(%.0f ms / %.0f ms)\n",
                    theirs->second / ours->second, theirs->second * 1000, ours->second * 1000);
    return 0;
}
