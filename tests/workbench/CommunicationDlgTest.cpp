#include "WorkbenchFixture.h"

#include "ui/FindReplaceDialog.h"
#include "ui/WaitCursor.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CommunicationDlgIds.h"
#include "workbench/ReceiveBuffer.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <random>

using namespace comm_dlg;

namespace {

// The test code page, noting whether the wait cursor was up at each conversion for a send.
class WatchingCodePage : public TestCodePage {
public:
    QByteArray fromWide(QStringView text) const override
    {
        waitDepths.push_back(ui::WaitCursor::depth());
        return TestCodePage::fromWide(text);
    }
    mutable std::vector<int> waitDepths;
};

class CommunicationDlgTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        window.OnInitDialog();
    }

    QPlainTextEdit* sendEdit() const { return window.item<QPlainTextEdit>(IDC_SEND_EDIT); }
    QPlainTextEdit* receiveView() const { return window.item<QPlainTextEdit>(IDC_RECEIVED); }
    QString received() const { return text(window, IDC_RECEIVED); }

    static void typeKeys(QWidget* target, const QString& chars)
    {
        for (QChar c : chars)
            ztest::key(target, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }

    // The text, the selection start and its length in the send edit.
    struct Selection {
        QString text;
        int start;
        int length;
        bool operator==(const Selection&) const = default;
    };
    Selection selection() const
    {
        const QTextCursor c = sendEdit()->textCursor();
        return {text(window, IDC_SEND_EDIT), c.selectionStart(),
                c.selectionEnd() - c.selectionStart()};
    }
    void select(int start, int length)
    {
        QTextCursor c = sendEdit()->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        sendEdit()->setTextCursor(c);
    }

    ui::FindReplaceDialog* openReplace(const QString& find, const QString& replacement)
    {
        click(window, IDC_REPLACE);
        ui::FindReplaceDialog* d = window.m_pFindDialog;
        if (d) {
            d->findEdit()->setText(find);
            d->replaceEdit()->setText(replacement);
        }
        return d;
    }

    CCommunicationDlg window;
};

TEST_F(CommunicationDlgTest, OpensWithAsciiAndTheCodePrinterOutOfReach)
{
    hooks.scriptDialog<CCommunicationDlg>([](CCommunicationDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Communication Window");
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_ASCII));
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_HEX));
        auto* printCodes = d.GetDlgItem(IDC_PRINT_CODES);
        ASSERT_NE(printCodes, nullptr);
        EXPECT_FALSE(printCodes->isVisibleTo(&d));
        EXPECT_FALSE(printCodes->isEnabled());
        EXPECT_EQ(text(d, IDC_SEND_EDIT), "");
        click(d, IDC_CLOSE);
    });
    CCommunicationDlg dlg;
    EXPECT_EQ(dlg.DoModal(), ui::IDOK);
}

TEST_F(CommunicationDlgTest, SendWritesTheTypedTextOnceUnderTheWaitCursor)
{
    WatchingCodePage watching;
    platform::ScopedService<platform::CodePage> scope(watching);
    sendEdit()->setFocus();
    typeKeys(sendEdit(), "~WC");
    ztest::key(sendEdit(), Qt::Key_Return);
    click(window, IDC_SEND);
    ASSERT_EQ(printer->writes.size(), 1u);
    EXPECT_EQ(printer->writes[0], QByteArray("\x7e\x57\x43\x0d\x0a"));
    EXPECT_EQ(watching.waitDepths, std::vector<int>{1});
    EXPECT_EQ(ui::WaitCursor::depth(), 0);
    // Nothing is read after a send, and the window stays open.
    EXPECT_TRUE(printer->calls.filter("read(").isEmpty());
    EXPECT_EQ(window.endResult(), -1);
    EXPECT_EQ(received(), "");
}

TEST_F(CommunicationDlgTest, ReadShowsTheReplyInBothViewsAndClearFreesIt)
{
    printer->replies = {"KX-21\r\n", ""};
    click(window, IDC_READ);
    EXPECT_EQ(received(), "K X - 2\t1 . . ");
    click(window, IDC_READ);  // nothing came: nothing changes
    click(window, IDC_HEX);
    EXPECT_EQ(received(), "4b 58 2d 32\t31 0d 0a ");
    EXPECT_EQ(printer->calls.filter("read(512)").size(), printer->calls.filter("read(").size());

    click(window, IDC_CLEAR);
    EXPECT_EQ(received(), "");
    EXPECT_TRUE(window.m_received.isEmpty());
    click(window, IDC_ASCII);
    EXPECT_EQ(received(), "");
}

TEST_F(CommunicationDlgTest, RandomRepliesOfEveryLengthAreKeptWhole)
{
    std::mt19937 random(1310);
    QByteArray all;
    for (int length = 0; length <= 1100; length += 1 + int(random() % 37)) {
        QByteArray reply(length, Qt::Uninitialized);
        for (char& b : reply)
            b = char(random());
        printer->replies.push_back(reply);
        all += reply;
    }
    const auto reads = printer->replies.size();
    for (std::size_t i = 0; i < 3 * reads; ++i)
        click(window, IDC_READ);
    EXPECT_EQ(QByteArray(window.m_received.bytes().data(), window.m_received.size()), all);
    EXPECT_EQ(received(), ReceiveBuffer::format(all, ReceiveBuffer::DataType::Ascii));
    EXPECT_TRUE(printer->writes.empty());
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CommunicationDlgTest, FileOpenAndSaveToFile)
{
    QTemporaryDir dir;
    const QString utf8Path = dir.filePath("utf8.txt");
    const QString job = QString::fromUtf8("^XA^FO20,20^FD\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD\xE6\x96\x87^FS\r\n^XZ\r\n");
    {
        QFile f(utf8Path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF" + job.toUtf8());
    }
    hooks.answerFileDialog(utf8Path);
    click(window, IDC_FILE_OPEN);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), job);

    const QString savedPath = dir.filePath("saved.txt");
    hooks.answerFileDialog(savedPath);
    click(window, IDC_SAVE_TO_FILE);
    QFile saved(savedPath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.startsWith("\xff\xfe^\0X\0A\0"));
    EXPECT_EQ(bytes.size(), 2 + 2 * job.size());

    sendEdit()->setPlainText("other");
    hooks.answerFileDialog(savedPath);
    click(window, IDC_FILE_OPEN);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), job);

    ASSERT_EQ(hooks.fileDialogs().size(), 3u);
    const ui::FileDialogRequest& save = hooks.fileDialogs()[1];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.defaultName, "");
    EXPECT_EQ(save.filter, "All files(*.*)|*.*|Text files(*.txt)|*.txt||");
    EXPECT_FALSE(save.overwritePrompt);
    const ui::FileDialogRequest& open = hooks.fileDialogs()[0];
    EXPECT_FALSE(open.save);
    EXPECT_EQ(open.defaultName, "");
    EXPECT_EQ(open.filter, "All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||");
    EXPECT_TRUE(hooks.messages().empty());
}

// A cancelled File Open keeps the typed job; a file that cannot be read leaves the edit empty.
TEST_F(CommunicationDlgTest, CancelledOrFailedFiles)
{
    sendEdit()->setPlainText("typed");
    hooks.cancelFileDialog();
    click(window, IDC_FILE_OPEN);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "typed");

    sendEdit()->setPlainText("typed");
    hooks.cancelFileDialog();
    click(window, IDC_SAVE_TO_FILE);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "typed");

    QTemporaryDir dir;
    hooks.answerFileDialog(dir.filePath("missing.txt"));
    click(window, IDC_FILE_OPEN);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "");
    EXPECT_EQ(messageTexts(), (QStringList{"Don't select load file", "Don't select save file",
                                           dir.filePath("missing.txt") + " was not found."}));
    for (const ui::RecordedMessage& m : hooks.messages())
        EXPECT_EQ(m.icon, platform::AlertIcon::Exclamation);
    EXPECT_TRUE(printer->writes.empty());
}

TEST_F(CommunicationDlgTest, A50MiBFileLoadsIntoTheSendEdit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    QByteArray line("T20,20,3,1,1,0,0,N,N,'ABCDEFGHIJ'\r\n");
    QByteArray big;
    big.reserve(50 * 1024 * 1024);
    while (big.size() + line.size() <= 50 * 1024 * 1024)
        big += line;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(big);
    }
    hooks.answerFileDialog(path);
    click(window, IDC_FILE_OPEN);
    EXPECT_EQ(text(window, IDC_SEND_EDIT).size(), big.size());
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CommunicationDlgTest, FindNextReplaceAndReplaceAll)
{
    sendEdit()->setPlainText("aXbXc");
    select(0, 0);
    ui::FindReplaceDialog* d = openReplace("X", "YY");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->replaceEdit()->isVisible());

    d->findNextButton()->click();
    EXPECT_EQ(selection(), (Selection{"aXbXc", 1, 1}));
    d->replaceButton()->click();
    EXPECT_EQ(selection(), (Selection{"aYYbXc", 4, 1}));
    d->replaceButton()->click();
    EXPECT_EQ(selection(), (Selection{"aYYbYYc", 6, 0}));
    // After the last occurrence: nothing happens, no wrap, no message.
    select(5, 1);
    d->findNextButton()->click();
    EXPECT_EQ(selection(), (Selection{"aYYbYYc", 5, 1}));

    sendEdit()->setPlainText("aXbXc");
    d->replaceAllButton()->click();
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "aYYbYYc");
    // Shrinking replacements over several lines.
    sendEdit()->setPlainText("XX\r\nX\r\nbX");
    d->replaceEdit()->setText("");
    d->replaceAllButton()->click();
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "\r\n\r\nb");
    EXPECT_TRUE(hooks.messages().empty());
}

// A job written on Linux: its LF line ends stay around and between the replacements.
TEST_F(CommunicationDlgTest, ReplaceAllKeepsTheLineEndsOfALoadedJob)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("job.zpl");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("^XA\n^FDX^FS\n^FDX^FS\r^XZ\n");
    }
    hooks.answerFileDialog(path);
    click(window, IDC_FILE_OPEN);
    ui::FindReplaceDialog* d = openReplace("DX", "DHello");
    ASSERT_NE(d, nullptr);
    d->replaceAllButton()->click();
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "^XA\n^FDHello^FS\n^FDHello^FS\r^XZ\n");
}

TEST_F(CommunicationDlgTest, ReplaceOfASelectionOtherThanTheFindTextSelectsTheNextOccurrence)
{
    sendEdit()->setPlainText("abcXd");
    select(0, 3);
    ui::FindReplaceDialog* d = openReplace("X", "Z");
    ASSERT_NE(d, nullptr);
    d->replaceButton()->click();
    // The next X moved by what the selection's replacement changed, not by the find text's.
    EXPECT_EQ(selection(), (Selection{"ZXd", 1, 1}));
}

TEST_F(CommunicationDlgTest, WithoutAFindTextTheDialogSearchesNothing)
{
    sendEdit()->setPlainText("abc");
    ui::FindReplaceDialog* d = openReplace("", "Z");
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->findNextButton()->isEnabled());
    EXPECT_FALSE(d->replaceButton()->isEnabled());
    EXPECT_FALSE(d->replaceAllButton()->isEnabled());
    d->replaceAllButton()->click();
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "abc");
}

TEST_F(CommunicationDlgTest, KeyboardShortcuts)
{
    sendEdit()->setPlainText("line one\r\nline two");
    select(0, 0);
    ztest::key(sendEdit(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selection().length, 17);  // one position per line end

    printer->replies = {"ABCDE"};
    click(window, IDC_READ);
    ztest::key(receiveView(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(receiveView()->textCursor().selectedText().size(), received().size());

    // Ctrl+H opens the one replace dialog; Ctrl+F and Ctrl+H again open nothing more.
    ztest::key(sendEdit(), Qt::Key_H, Qt::ControlModifier);
    QPointer<ui::FindReplaceDialog> first = window.m_pFindDialog;
    ASSERT_NE(first, nullptr);
    ztest::key(sendEdit(), Qt::Key_F, Qt::ControlModifier);
    ztest::key(sendEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(window.m_pFindDialog, first);
    EXPECT_EQ(window.findChildren<ui::FindReplaceDialog*>().size(), 1);
    // Ctrl+H in the receive view is not a shortcut.
    first->cancelButton()->click();
    EXPECT_EQ(window.m_pFindDialog, nullptr);
    ztest::key(receiveView(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(window.m_pFindDialog, nullptr);
    // Once closed, Ctrl+F opens a new one.
    ztest::key(sendEdit(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_NE(window.m_pFindDialog, nullptr);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "line one\r\nline two");
}

TEST_F(CommunicationDlgTest, ClosingWithTheReplaceDialogOpenTakesItAlong)
{
    auto owner = std::make_unique<CCommunicationDlg>();
    owner->OnInitDialog();
    click(*owner, IDC_REPLACE);
    QPointer<ui::FindReplaceDialog> dialog = owner->m_pFindDialog;
    ASSERT_NE(dialog, nullptr);
    owner.reset();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(CommunicationDlgTest, ClipboardButtonsAndClearData)
{
    sendEdit()->setPlainText("ABC");
    sendEdit()->selectAll();
    click(window, IDC_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "ABC");
    click(window, IDC_CUT);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "");
    click(window, IDC_PASTE);
    click(window, IDC_PASTE);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "ABCABC");
    click(window, IDC_CLEAR_DATA);
    EXPECT_EQ(text(window, IDC_SEND_EDIT), "");
}

}  // namespace
