// A 4000 x 3000 JPEG and a 12 MP PNG turned into the 1-bit PCX file with each dither method
// (the fixed waits left out), against ImageMagick's convert in the same run; the peak memory
// of converting a 108 MP and a 400 MP PNG; the peak memory and time of loading small forged
// files; and the file transfer of 16 MiB to a pseudo-terminal reader and to a loopback TCP sink.
#include "link/Comm.h"
#include "maintenance/CDlgScrollView.h"
#include "maintenance/CFileTransferDlg.h"
#include "maintenance/TransferIds.h"
#include "platform/Services.h"
#include "platform/linux/LinuxDeviceIo.h"
#include "tests/support/ChildPeakMemory.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/LoopbackPrinter.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/PtyPair.h"
#include "tests/support/TestPictures.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
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

// A photo-like picture: gradients, a fine pattern and blocks.
QImage photoPixels(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    const ztest::TestPictures::LineFiller fill = ztest::TestPictures::photo(width, height);
    for (int y = 0; y < height; ++y)
        fill(y, image.scanLine(y));
    return image;
}

// The pictures, made once: a 4000 x 3000 JPEG, a 12 MP PNG (both as a camera or an editor
// writes them), and a 12000 x 9000 PNG.
const QString& source(int which)
{
    static const QString jpg = [] {
        const QString p = scratch().filePath("photo.jpg");
        photoPixels(4000, 3000).save(p, "JPG", 90);
        return p;
    }();
    static const QString png = [] {
        const QString p = scratch().filePath("photo.png");
        photoPixels(4000, 3000).save(p, "PNG");
        return p;
    }();
    if (which == 1)
        return png;
    static const QString large = [] {
        const QString p = scratch().filePath("camera.png");
        ztest::TestPictures::writePng(p, 12000, 9000, 3, ztest::TestPictures::photo(12000, 9000));
        return p;
    }();
    if (which == 2)
        return large;
    static const QString huge = [] {
        const QString p = scratch().filePath("scan.png");
        ztest::TestPictures::writePng(p, 20000, 20000, 1, ztest::TestPictures::scan(20000));
        return p;
    }();
    return which == 0 ? jpg : huge;
}

const char* kSourceNames[] = {"jpeg", "png"};

std::map<std::string, double> g_secondsPerRun;

// Loads, converts and writes the PCX file; false on a failure.
bool convertOnce(const QString& path, int method, const QString& target)
{
    platform::PictureLibrary& library = platform::pictures();
    const QString extension = path.mid(path.lastIndexOf(u'.') + 1);
    std::unique_ptr<platform::Picture> picture = library.load(path, library.formatFromExtension(extension));
    if (!picture)
        return false;
    CDlgScrollView::ConvertToOneBit(*picture, method, 0);
    return picture->savePcx(target);
}

// Arguments: the source (0 JPEG, 1 PNG), the dither method.
void BM_PictureToPcx(benchmark::State& state)
{
    NoWaitClock clock;
    platform::ScopedService<platform::Clock> clockScope(clock);
    const int which = static_cast<int>(state.range(0));
    const int method = static_cast<int>(state.range(1));
    const QString& path = source(which);
    const QString target = scratch().filePath(QStringLiteral("out%1.pcx").arg(method));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!convertOnce(path, method, target)) {
            state.SkipWithError("the picture was not converted");
            return;
        }
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_secondsPerRun[std::string(kSourceNames[which]) + " method " + std::to_string(method)] =
        total / static_cast<double>(state.iterations());
}

// ImageMagick itself, not a stand-in earlier on the path.
const QString kConvert = QStringLiteral("/usr/bin/convert");

void BM_ImageMagickConvert(benchmark::State& state)
{
    if (!QFile::exists(kConvert)) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    const int which = static_cast<int>(state.range(0));
    const QString& path = source(which);
    const QString target = scratch().filePath("magick.pcx");
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess process;
        process.start(kConvert, {path, "-dither", "FloydSteinberg", "-monochrome", target});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("convert failed");
            return;
        }
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_secondsPerRun[std::string(kSourceNames[which]) + " convert"] = total / static_cast<double>(state.iterations());
}

// The peak memory of converting with error diffusion, in a child process of its own so that
// nothing else counts: a 12000 x 9000 colour PNG (108 MP), a 20000 x 20000 grey one (400 MP).
void BM_LargePngPeakMemory(benchmark::State& state)
{
    const QString& path = source(state.range(0) == 0 ? 2 : 3);
    const QString target = scratch().filePath("camera.pcx");
    double peakMiB = 0;
    for (auto _ : state) {
        const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
            NoWaitClock clock;
            platform::ScopedService<platform::Clock> clockScope(clock);
            return convertOnce(path, 0, target);
        });
        if (!child.ran) {
            state.SkipWithError("the large picture was not converted");
            return;
        }
        peakMiB = std::max(peakMiB, child.peakMiB);
    }
    state.counters["peak_MiB"] = peakMiB;
}

// Small forged files whose headers claim far more than they hold, each loaded once in a
// child process: the peak memory it takes beyond what the process held, and the time.
struct Forged {
    const char* name;
    QByteArray bytes;
};

const std::vector<Forged>& forgedFiles()
{
    using ztest::TestPictures;
    static const std::vector<Forged> files = {
        {"png_text_288", TestPictures::pngWithHugeText(288)},
        {"png_text_64", TestPictures::pngWithHugeText(64)},
        {"png_short_idat", TestPictures::pngWithShortImageData()},
        {"tiff_20000_float", TestPictures::paddedTiff(20000, 20000, 32, 24 * 1024)},
        {"tiff_12000_float", TestPictures::paddedTiff(12000, 12000, 32, 9 * 1024)},
        {"tiff_10000_float", TestPictures::paddedTiff(10000, 10000, 32, 6200)},
        {"tiff_8000_rgba", TestPictures::paddedTiff(8000, 8000, 8, 64 * 1024)},
    };
    return files;
}

void BM_ForgedPicture(benchmark::State& state)
{
    const Forged& forged = forgedFiles()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(forged.name);
    const QString path = scratch().filePath(QStringLiteral("forged_%1.%2")
                                                .arg(QLatin1String(forged.name))
                                                .arg(QByteArray(forged.name).startsWith("png") ? "png" : "tif"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(forged.bytes) != forged.bytes.size()) {
        state.SkipWithError("the forged file cannot be written");
        return;
    }
    file.close();
    for (auto _ : state) {
        bool decoded = false;
        const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
            platform::PictureLibrary& library = platform::pictures();
            decoded = library.load(path, library.formatFromExtension(path.section(u'.', -1))) != nullptr;
            return true;
        });
        if (!child.ran) {
            state.SkipWithError("the load did not end");
            return;
        }
        state.SetIterationTime(child.seconds);
        state.counters["grown_MiB"] = child.grownMiB();
        state.counters["bytes"] = double(forged.bytes.size());
    }
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

BENCHMARK(BM_PictureToPcx)
    ->ArgsProduct({{0, 1}, {-1, 0, 1, 7, 8}})
    ->ArgNames({"png", "method"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ImageMagickConvert)->Arg(0)->Arg(1)->ArgName("png")->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargePngPeakMemory)->Arg(0)->Arg(1)->ArgName("grey400MP")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ForgedPicture)->DenseRange(0, 6)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_FileTransferToPty)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileTransferToTcp)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    for (const char* name : kSourceNames) {
        const auto ours = g_secondsPerRun.find(std::string(name) + " method 0");
        const auto theirs = g_secondsPerRun.find(std::string(name) + " convert");
        if (ours != g_secondsPerRun.end() && theirs != g_secondsPerRun.end())
            std::printf("%s: convert -dither FloydSteinberg -monochrome / ours (error diffusion): %.2f "
                        "(%.0f ms / %.0f ms)\n",
                        name, theirs->second / ours->second, theirs->second * 1000, ours->second * 1000);
    }
    std::printf("load average: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
