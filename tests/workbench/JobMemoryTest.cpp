// A large job's memory goes back to the system once its window is closed or its edit is
// cleared: what the program holds resident returns to within 64 MiB of what it held before
// the job was opened. Each case runs in a child process of its own, with the allocator as the
// program has it.
#include "WorkbenchFixture.h"

#include "tests/support/ChildPeakMemory.h"
#include "ui/FindReplaceDialog.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"
#include "workbench/CommunicationDlgIds.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace {

// Under AddressSanitizer a process holds its shadow memory and freed blocks as well: the
// memory it keeps is then not the program's own.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsTheProgramsOwn = false;
#else
constexpr bool kMemoryIsTheProgramsOwn = true;
#endif

constexpr qsizetype kMiB = 1024 * 1024;
constexpr double kKeptMiB = 64;

struct JobCase {
    const char* name;
    std::function<std::unique_ptr<ui::Dialog>()> make;
    int open, send, clear, edit;
    bool replaces;  // the window has the replace dialog
    bool close;     // the window is closed; otherwise its edit is cleared
};

std::unique_ptr<ui::Dialog> communicationWindow()
{
    return std::make_unique<CCommunicationDlg>();
}

std::unique_ptr<ui::Dialog> commandTester()
{
    return std::make_unique<CQuensa_CmdTesterDlg>();
}

const JobCase kCases[] = {
    {"CommunicationWindowClosed", communicationWindow, comm_dlg::IDC_FILE_OPEN, comm_dlg::IDC_SEND,
     comm_dlg::IDC_CLEAR_DATA, comm_dlg::IDC_SEND_EDIT, true, true},
    {"CommunicationWindowCleared", communicationWindow, comm_dlg::IDC_FILE_OPEN, comm_dlg::IDC_SEND,
     comm_dlg::IDC_CLEAR_DATA, comm_dlg::IDC_SEND_EDIT, true, false},
    {"CommandTesterClosed", commandTester, IDC_LOAD, IDC_MULTI_SEND, IDC_CLEAN, IDC_EDIT_COMMAND,
     false, true},
    {"CommandTesterCleared", commandTester, IDC_LOAD, IDC_MULTI_SEND, IDC_CLEAN, IDC_EDIT_COMMAND,
     false, false},
};

void PrintTo(const JobCase& c, std::ostream* os)
{
    *os << c.name;
}

// A 50 MiB job of short label lines, each with one "X" for Replace All to change.
QByteArray largeJob()
{
    const QByteArray line = QByteArray(39, 'A') + "X\r\n";
    QByteArray job;
    job.reserve(50 * kMiB);
    while (job.size() + line.size() <= 50 * kMiB)
        job += line;
    return job;
}

class JobMemoryTest : public WorkbenchTest, public ::testing::WithParamInterface<JobCase> {};

// Open, Send and (where the window has it) Replace All, then the window is closed or its edit
// cleared, and the event loop runs as it does after every click.
TEST_P(JobMemoryTest, ResidentMemoryReturnsOnceTheJobIsClosedOrCleared)
{
    const JobCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("job.txt");
    qsizetype jobSize = 0;
    {
        const QByteArray job = largeJob();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(job), job.size());
        jobSize = job.size();
    }
    hooks.answerFileDialog(path);

    const ztest::ChildPeakMemory::Result child = ztest::ChildPeakMemory::run([&] {
        std::unique_ptr<ui::Dialog> window = c.make();
        window->OnInitDialog();
        window->resize(700, 500);
        window->show();
        QCoreApplication::processEvents();
        click(*window, c.open);
        QCoreApplication::processEvents();
        click(*window, c.send);
        const bool sent = printer->written.size() == jobSize;
        printer->written.clear();
        printer->writes.clear();
        printer->calls.clear();
        bool replaced = true;
        if (c.replaces) {
            auto* comm = static_cast<CCommunicationDlg*>(window.get());
            click(*window, comm_dlg::IDC_REPLACE);
            comm->m_pFindDialog->findEdit()->setText(QStringLiteral("X"));
            comm->m_pFindDialog->replaceEdit()->setText(QStringLiteral("YY"));
            comm->m_pFindDialog->replaceAllButton()->click();
            QCoreApplication::processEvents();
            replaced = window->item<QPlainTextEdit>(c.edit)->document()->characterCount() > jobSize;
        }
        bool emptied = true;
        if (c.close) {
            window.reset();
        } else {
            click(*window, c.clear);
            emptied = window->item<QPlainTextEdit>(c.edit)->document()->isEmpty();
            // The cleared window stays open while the child's memory is read; the child's
            // exit takes it.
            window.release();
        }
        QCoreApplication::processEvents();
        return sent && replaced && emptied;
    });
    ASSERT_TRUE(child.ran);
    if (kMemoryIsTheProgramsOwn) {
        EXPECT_LT(child.endMiB - child.startMiB, kKeptMiB)
            << "resident " << child.startMiB << " MiB before, " << child.peakMiB << " at the peak, "
            << child.endMiB << " after";
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, JobMemoryTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
