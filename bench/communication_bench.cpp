// The communication window's heavy path, a 50 MiB text file loaded into the send edit and
// shown; and every sample label of every two-byte code page built in one run.
#include "bench/QtBenchMain.h"
#include "platform/Services.h"
#include "ui/TestHooks.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CommunicationDlgIds.h"
#include "workbench/TwoByteSamples.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kFileBytes = 50 * 1024 * 1024;

// A job of lines of the given length with CR LF, as an operator would keep in a file: short
// label lines, or the long hex lines of a picture download.
QByteArray jobText(qsizetype lineLength)
{
    QByteArray line(lineLength - 2, 'A');
    line += "\r\n";
    QByteArray text;
    text.reserve(kFileBytes);
    while (text.size() + line.size() <= kFileBytes)
        text += line;
    return text;
}

void BM_LoadFileIntoSendEdit(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.txt"));
    const QByteArray job = jobText(state.range(0));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(job) != job.size()) {
            state.SkipWithError("cannot write the job file");
            return;
        }
    }
    ui::TestHooks hooks;
    CCommunicationDlg window;
    window.OnInitDialog();
    window.resize(900, 700);
    window.show();
    auto* open = window.item<QAbstractButton>(comm_dlg::IDC_FILE_OPEN);
    auto* edit = window.item<QPlainTextEdit>(comm_dlg::IDC_SEND_EDIT);
    for (auto _ : state) {
        hooks.answerFileDialog(path);
        open->click();
        edit->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * job.size());
}

// All blocks of the four code pages (87 + 87 + 72 + 124 labels) in the form chosen:
// 0 Ostrel bitmap, 1 Ostrel vector, 2 ZPL II.
void BM_BuildAllCodePageLabels(benchmark::State& state)
{
    const QByteArray size("35");
    qsizetype bytes = 0;
    int labels = 0;
    for (auto _ : state) {
        bytes = 0;
        labels = 0;
        for (const twobyte::CodePage& page : twobyte::CodePages()) {
            for (int lead = page.allFirst; lead <= page.allLast; ++lead) {
                const QByteArray label =
                    state.range(0) == 0   ? twobyte::OstrelBitmapLabel(page, uchar(lead), page.defaultFont)
                    : state.range(0) == 1 ? twobyte::OstrelVectorLabel(page, uchar(lead), size, size)
                                          : twobyte::ZplLabel(page, uchar(lead), size, size);
                benchmark::DoNotOptimize(label.constData());
                bytes += label.size();
                ++labels;
            }
        }
    }
    state.counters["labels"] = labels;
    state.SetBytesProcessed(state.iterations() * bytes);
}

}  // namespace

BENCHMARK(BM_BuildAllCodePageLabels)->DenseRange(0, 2)->ArgName("form")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFileIntoSendEdit)->Arg(36)->Arg(64 * 1024)->ArgName("line")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
