// The heavy paths of the two windows that load a job file: the communication window (File
// Open, Send, Save to File) and the command tester (Load, Multi Send, Save), on job files of
// 50 MiB and on long single lines; a keystroke in the loaded document; and every sample
// label of every two-byte code page built in one run; Replace All and its undo over a
// million matches; a keystroke beside a cut point of a long line; the memory a 50 MiB job
// takes at its peak and what stays once it is closed or cleared.
#include "bench/QtBenchMain.h"
#include "link/Comm.h"
#include "platform/Services.h"
#include "ui/FindReplaceDialog.h"
#include "tests/support/ChildPeakMemory.h"
#include "tests/support/FakeDeviceIo.h"
#include "tests/support/FakeProcess.h"
#include "tests/support/TestClock.h"
#include "ui/TestHooks.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"
#include "workbench/CommunicationDlgIds.h"
#include "workbench/TwoByteSamples.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr qsizetype kMiB = 1024 * 1024;

// Job files as operators keep them: short label lines; the long hex lines of a picture
// download; one graphic field among short lines; a job with no line end at all.
// The short lines come with CR LF and, as on Linux, with LF alone.
// A job whose every short line holds one "X" is what Replace All goes through.
enum Job { ShortLines, Lines64KiB, OneLongLine, NoLineEnd, ShortLinesLf, OneXPerLine };

QByteArray linesOf(qsizetype lineLength, qsizetype total, QByteArrayView end = "\r\n")
{
    QByteArray line(lineLength - end.size(), 'A');
    line += end;
    QByteArray text;
    text.reserve(total);
    while (text.size() + line.size() <= total)
        text += line;
    return text;
}

QByteArray jobBytes(Job job)
{
    switch (job) {
    case ShortLines:
        return linesOf(36, 50 * kMiB);
    case Lines64KiB:
        return linesOf(64 * 1024, 50 * kMiB);
    case OneLongLine: {
        const QByteArray shortLines = linesOf(20, 10 * 20);
        return shortLines + "^GFA," + QByteArray(1500 * 1000, 'F') + "\r\n" + shortLines;
    }
    case NoLineEnd:
        return QByteArray(50 * kMiB, 'A');
    case ShortLinesLf:
        return linesOf(36, 50 * kMiB, "\n");
    case OneXPerLine:
        return linesOf(42, 50 * kMiB, "X\r\n");
    }
    return {};
}

// Each job file is written once per run.
QString jobPath(Job job)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job%1.txt").arg(int(job)));
    if (!QFile::exists(path)) {
        QFile file(path);
        const QByteArray bytes = jobBytes(job);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
    }
    return path;
}

// One of the two windows on a fake serial printer, shown as the operator sees it.
class Bench {
public:
    explicit Bench(int window)
    {
        g_comm.SetPortName(QStringLiteral("COM1:"));
        g_comm.Open();
        if (window == 0) {
            m_window = std::make_unique<CCommunicationDlg>();
            m_ids = {comm_dlg::IDC_FILE_OPEN, comm_dlg::IDC_SEND, comm_dlg::IDC_SAVE_TO_FILE,
                     comm_dlg::IDC_SEND_EDIT};
        } else {
            m_window = std::make_unique<CQuensa_CmdTesterDlg>();
            m_ids = {IDC_LOAD, IDC_MULTI_SEND, IDC_SAVE, IDC_EDIT_COMMAND};
        }
        m_window->OnInitDialog();
        m_window->resize(900, 700);
        m_window->show();
        QCoreApplication::processEvents();
    }
    ~Bench() { g_comm.Close(); }

    QPlainTextEdit* edit() const { return m_window->item<QPlainTextEdit>(m_ids.edit); }

    void click(int id) { m_window->item<QAbstractButton>(id)->click(); }
    // Until what the edit shows is painted.
    void shown()
    {
        edit()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    void open(const QString& path)
    {
        m_hooks.answerFileDialog(path);
        click(m_ids.open);
        shown();
    }
    void send()
    {
        click(m_ids.send);
        m_printer.written.clear();
        m_printer.writes.clear();
        m_printer.calls.clear();
    }
    void save(const QString& path)
    {
        m_hooks.answerFileDialog(path);
        click(m_ids.save);
    }
    // Replace All in the communication window, until painted.
    void replaceAll(const QString& find, const QString& replacement)
    {
        auto* window = static_cast<CCommunicationDlg*>(m_window.get());
        if (!window->m_pFindDialog)
            click(comm_dlg::IDC_REPLACE);
        ui::FindReplaceDialog* dialog = window->m_pFindDialog;
        dialog->findEdit()->setText(find);
        dialog->replaceEdit()->setText(replacement);
        dialog->replaceAllButton()->click();
        shown();
    }
    void type(QChar c)
    {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit(), &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit(), &release);
        shown();
    }

    qsizetype written() const { return m_printer.written.size(); }
    ui::Dialog* window() const { return m_window.get(); }

private:
    struct Ids {
        int open, send, save, edit;
    };
    ztest::FakeDeviceIo m_io;
    ztest::FakeDevice& m_printer = m_io.addDevice(QStringLiteral("COM1:"));
    ztest::TestClock m_clock;
    ztest::FakeProcess m_process;
    platform::ScopedService<platform::DeviceIo> m_ioScope{m_io};
    platform::ScopedService<platform::Clock> m_clockScope{m_clock};
    platform::ScopedService<platform::Process> m_processScope{m_process};
    ui::TestHooks m_hooks;
    std::unique_ptr<ui::Dialog> m_window;
    Ids m_ids{};
};

void countBytes(benchmark::State& state, Job job)
{
    state.SetBytesProcessed(state.iterations() * QFile(jobPath(job)).size());
}

// Arguments: window (0 communication window, 1 command tester), job.
void BM_Open(benchmark::State& state)
{
    Bench bench(int(state.range(0)));
    const Job job = Job(state.range(1));
    const QString path = jobPath(job);
    for (auto _ : state)
        bench.open(path);
    countBytes(state, job);
}

void BM_Send(benchmark::State& state)
{
    Bench bench(int(state.range(0)));
    const Job job = Job(state.range(1));
    bench.open(jobPath(job));
    for (auto _ : state)
        bench.send();
    countBytes(state, job);
}

void BM_Save(benchmark::State& state)
{
    Bench bench(int(state.range(0)));
    const Job job = Job(state.range(1));
    bench.open(jobPath(job));
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.txt"));
    for (auto _ : state)
        bench.save(saved);
    countBytes(state, job);
}

// A character typed in the middle of the loaded document, until it is painted.
void BM_Keystroke(benchmark::State& state)
{
    Bench bench(int(state.range(0)));
    const Job job = Job(state.range(1));
    bench.open(jobPath(job));
    QTextCursor middle(bench.edit()->document());
    middle.setPosition(bench.edit()->document()->characterCount() / 2);
    bench.edit()->setTextCursor(middle);
    bench.edit()->setFocus();
    bench.shown();
    for (auto _ : state)
        bench.type(u'X');
}

// Replace All of "X" by "YY" in the communication window, then its undo, each until painted.
void BM_ReplaceAll(benchmark::State& state)
{
    Bench bench(0);
    const bool undo = state.range(0) != 0;
    auto* window = static_cast<CCommunicationDlg*>(bench.window());
    bench.open(jobPath(OneXPerLine));
    bench.click(comm_dlg::IDC_REPLACE);
    ui::FindReplaceDialog* dialog = window->m_pFindDialog;
    dialog->findEdit()->setText(QStringLiteral("X"));
    dialog->replaceEdit()->setText(QStringLiteral("YY"));
    for (auto _ : state) {
        state.PauseTiming();
        bench.open(jobPath(OneXPerLine));
        if (undo) {
            dialog->replaceAllButton()->click();
            bench.shown();
        }
        state.ResumeTiming();
        if (undo)
            bench.edit()->undo();
        else
            dialog->replaceAllButton()->click();
        bench.shown();
    }
}

// A character typed at a cut point in the middle of a 1.5 MB line, until it is painted.
void BM_KeystrokeAtCutPoint(benchmark::State& state)
{
    Bench bench(int(state.range(0)));
    bench.open(jobPath(OneLongLine));
    const QTextDocument* document = bench.edit()->document();
    // The long line starts after ten short ones and is cut every 1024 characters.
    QTextCursor cut(bench.edit()->document());
    cut.setPosition(document->findBlockByNumber(10 + 700).position());
    bench.edit()->setTextCursor(cut);
    bench.edit()->setFocus();
    bench.edit()->ensureCursorVisible();
    bench.shown();
    for (auto _ : state)
        bench.type(u'X');
}

// The resident memory of a 50 MiB job, in a child process of its own: at the start, at the
// peak of Open, Send and (in the communication window) Replace All, and once the window is
// closed or its edit cleared and the event loop has run. Arguments: window; 0 close, 1 clear.
void BM_JobMemory(benchmark::State& state)
{
    const int window = int(state.range(0));
    const bool clear = state.range(1) != 0;
    const QString path = jobPath(OneXPerLine);
    ztest::ChildPeakMemory::Result child;
    for (auto _ : state) {
        child = ztest::ChildPeakMemory::run([&] {
            // A cleared window stays open while the child's memory is read; the child's
            // exit takes it.
            auto* bench = new Bench(window);
            bench->open(path);
            bench->send();
            if (window == 0)
                bench->replaceAll(QStringLiteral("X"), QStringLiteral("YY"));
            if (clear) {
                bench->click(window == 0 ? int(comm_dlg::IDC_CLEAR_DATA) : int(IDC_CLEAN));
                bench->shown();
                return bench->edit()->document()->isEmpty();
            }
            delete bench;
            QCoreApplication::processEvents();
            return true;
        });
        if (!child.ran)
            state.SkipWithError("the job did not run");
    }
    state.counters["start_MiB"] = child.startMiB;
    state.counters["peak_MiB"] = child.peakMiB;
    state.counters[clear ? "cleared_MiB" : "closed_MiB"] = child.endMiB;
}

void jobArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"window", "job"});
    for (int window : {0, 1})
        for (Job job : {ShortLines, Lines64KiB, OneLongLine, NoLineEnd, ShortLinesLf})
            b->Args({window, job});
}

void keystrokeArgs(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"window", "job"});
    for (int window : {0, 1})
        for (Job job : {ShortLines, Lines64KiB, NoLineEnd, ShortLinesLf})
            b->Args({window, job});
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
BENCHMARK(BM_Open)->Apply(jobArgs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Send)->Apply(jobArgs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Save)->Apply(jobArgs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_Keystroke)->Apply(keystrokeArgs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReplaceAll)->DenseRange(0, 1)->ArgName("undo")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_JobMemory)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"window", "end"})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_KeystrokeAtCutPoint)->DenseRange(0, 1)->ArgName("window")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
