// The job text goes out as it came in: both windows that load, paste, send and save a job
// keep each of its line ends and every line length, byte for byte.
#include "Utf16File.h"
#include "WorkbenchFixture.h"

#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"
#include "workbench/CommunicationDlgIds.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QtEndian>

#include <functional>
#include <memory>

namespace {

// The window's buttons for the same steps: the communication window and the command tester.
struct WindowKind {
    const char* name;
    std::function<std::unique_ptr<ui::Dialog>()> make;
    int open, send, save, paste, edit;
};

const WindowKind kWindows[] = {
    {"CommunicationWindow", [] { return std::make_unique<CCommunicationDlg>(); },
     comm_dlg::IDC_FILE_OPEN, comm_dlg::IDC_SEND, comm_dlg::IDC_SAVE_TO_FILE,
     comm_dlg::IDC_PASTE, comm_dlg::IDC_SEND_EDIT},
    {"CommandTester", [] { return std::make_unique<CQuensa_CmdTesterDlg>(); }, IDC_LOAD,
     IDC_MULTI_SEND, IDC_SAVE, IDC_PASTE, IDC_EDIT_COMMAND},
};

void PrintTo(const WindowKind& kind, std::ostream* os)
{
    *os << kind.name;
}

// Job texts as editors and label software write them.
struct LineEndCase {
    const char* name;
    QString text;
};

const LineEndCase kLineEnds[] = {
    {"LF, as most files on Linux", "^XA\n^FO10,10\n^XZ\n"},
    {"CR, as Ostrel jobs", "SS3\rP1\r"},
    {"CR LF", "^XA\r\n^XZ\r\n"},
    {"CR CR LF", "A\r\r\nB"},
    {"line separator", QStringLiteral("a\u2028b")},
    {"paragraph separator", QStringLiteral("a\u2029b")},
    {"all of them, two in a row, none at the end", QStringLiteral("a\n\nb\r\rc\r\n\r\nd\u2028\u2029e\r\r\nf")},
    {"a line end alone", "\n"},
    {"a CR alone", "\r"},
};

class JobBytesTest : public WorkbenchTest, public ::testing::WithParamInterface<WindowKind> {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        window = GetParam().make();
        window->OnInitDialog();
    }

    QPlainTextEdit* edit() const { return window->item<QPlainTextEdit>(GetParam().edit); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }
    void open(const QString& path)
    {
        hooks.answerFileDialog(path);
        click(*window, GetParam().open);
    }
    QByteArray send()
    {
        printer->written.clear();
        click(*window, GetParam().send);
        return printer->written;
    }
    QByteArray save()
    {
        const QString path = dir.filePath("saved.txt");
        hooks.answerFileDialog(path);
        click(*window, GetParam().save);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void placeCaret(int position)
    {
        QTextCursor cursor = edit()->textCursor();
        cursor.setPosition(position);
        edit()->setTextCursor(cursor);
    }

    QTemporaryDir dir;
    std::unique_ptr<ui::Dialog> window;
};

TEST_P(JobBytesTest, LoadedOrPastedLineEndsGoOutUnchanged)
{
    for (const LineEndCase& c : kLineEnds) {
        SCOPED_TRACE(c.name);
        const QByteArray ansi = codePage.fromWide(c.text);
        // Files of text in the code page, and of UTF-16 (the only form for the separators).
        QStringList files{writeFile("utf16.txt", utf16File(c.text))};
        if (codePage.toWide(ansi) == c.text)
            files << writeFile("ansi.txt", ansi);
        for (const QString& path : files) {
            SCOPED_TRACE(path.toStdString());
            open(path);
            EXPECT_EQ(send(), ansi);
            EXPECT_EQ(save(), utf16File(c.text));
        }

        edit()->clear();
        QApplication::clipboard()->setText(c.text);
        click(*window, GetParam().paste);
        EXPECT_EQ(send(), ansi);
        EXPECT_EQ(save(), utf16File(c.text));
    }
    EXPECT_TRUE(hooks.messages().empty());
}

// A picture download's graphic field is one line of a megabyte and a half; it shows in
// pieces, and every byte of it goes out.
TEST_P(JobBytesTest, ALongLineOpensInPiecesAndRoundTripsExactly)
{
    QByteArray job("^XA\n^FO10,10\r\n^GFA,");
    for (int i = 0; job.size() < 1500 * 1000; ++i)
        job += "0123456789ABCDEF"[i % 16];
    job += "\r^FS\r\r\n^XZ";
    open(writeFile("graphic.zpl", job));
    int longest = 0;
    for (QTextBlock b = edit()->document()->begin(); b.isValid(); b = b.next())
        longest = std::max(longest, b.length());
    EXPECT_LE(longest, 10000);
    EXPECT_EQ(send(), job);
    const QByteArray saved = save();
    EXPECT_EQ(saved, utf16File(QString::fromLatin1(job)));

    open(dir.filePath("saved.txt"));
    EXPECT_EQ(send(), job);
    EXPECT_EQ(save(), saved);
}

TEST_P(JobBytesTest, EnterBetweenLoadedLinesGivesCrLfThereOnly)
{
    open(writeFile("job.txt", "SS3\nP1\rX"));
    edit()->setFocus();
    placeCaret(3);  // after "SS3"
    ztest::key(edit(), Qt::Key_Return);
    placeCaret(7);  // after "P1", on the line below the new one
    ztest::key(edit(), Qt::Key_Return);
    EXPECT_EQ(send(), QByteArray("SS3\r\n\nP1\r\n\rX"));
    EXPECT_EQ(save(), utf16File("SS3\r\n\nP1\r\n\rX"));
}

INSTANTIATE_TEST_SUITE_P(BothWindows, JobBytesTest, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
