#include "WorkbenchFixture.h"

#include "ui/UpDownCtrl.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <functional>

namespace {

const QString kLoadFilter =
    "All files(*.*)|*.*|Text files(*.txt)|*.txt|Binary files(*.bin)|*.bin||";
const QString kSaveFilter = "All files(*.*)|*.*|Text files(*.txt)|*.txt||";

// A clock that tells the test about every sleep, so it can change the printer mid-run.
class CallbackClock : public platform::Clock {
public:
    void sleep(int milliseconds) override
    {
        sleeps.push_back(milliseconds);
        if (onSleep)
            onSleep(milliseconds);
    }
    QDateTime localTime() const override { return QDateTime(); }

    std::vector<int> sleeps;
    std::function<void(int)> onSleep;
};

class CmdTesterTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        tester.OnInitDialog();
    }

    void setCommand(const QString& shown) { tester.m_editCommand->setPlainText(shown); }
    QString received() const { return text(tester, IDC_RECEIVED); }

    CQuensa_CmdTesterDlg tester;
};

TEST_F(CmdTesterTest, OpensWithAsciiCountOneAndCloseNeedsAValidCount)
{
    hooks.scriptDialog<CQuensa_CmdTesterDlg>([](CQuensa_CmdTesterDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Ostrel Command Tester");
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_ASCII));
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_HEX));
        EXPECT_EQ(text(d, IDC_SEND_COUNT), "1");
        EXPECT_EQ(text(d, IDC_SENT_COUNT), "");
        type(d, IDC_SEND_COUNT, "12x");
        click(d, IDC_CLOSE);
        EXPECT_EQ(d.endResult(), -1);
        type(d, IDC_SEND_COUNT, "2");
        click(d, IDC_CLOSE);
    });
    EXPECT_EQ(tester.DoModal(), ui::IDOK);
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
}

TEST_F(CmdTesterTest, MultiSendWritesTheWholeTextCountTimes)
{
    setCommand("SS3\nP1\n");
    type(tester, IDC_SEND_COUNT, "3");
    click(tester, IDC_MULTI_SEND);
    ASSERT_EQ(printer->writes.size(), 3u);
    for (const QByteArray& write : printer->writes)
        EXPECT_EQ(write, "SS3\r\nP1\r\n");
    EXPECT_EQ(text(tester, IDC_SENT_COUNT), "3");
    EXPECT_TRUE(clock.sleeps().empty());

    // Count 0 sends nothing and leaves the counter as it was.
    type(tester, IDC_SEND_COUNT, "0");
    click(tester, IDC_MULTI_SEND);
    EXPECT_EQ(printer->writes.size(), 3u);
    EXPECT_EQ(text(tester, IDC_SENT_COUNT), "3");

    // A count that does not parse: the prompt, then the count held before.
    type(tester, IDC_SEND_COUNT, "many");
    click(tester, IDC_MULTI_SEND);
    EXPECT_EQ(messageTexts(), QStringList{"Enter an integer."});
    EXPECT_EQ(printer->writes.size(), 3u);
    EXPECT_EQ(text(tester, IDC_SENT_COUNT), "3");
}

TEST_F(CmdTesterTest, MultiSendPausesBeforeEachSendOfTextsOver1500Bytes)
{
    struct Case {
        QString text;
        qsizetype bytes;
        std::vector<int> sleeps;
    };
    const Case cases[] = {
        {QString(1500, u'A'), 1500, {}},
        {QString(1501, u'A'), 1501, {100, 100}},
        {QString(1000, QChar(0x4E2D)), 2000, {100, 100}},  // two bytes each in the code page
        {QString(750, QChar(0x4E2D)), 1500, {}},
    };
    for (const Case& c : cases) {
        printer->writes.clear();
        clock.clearSleeps();
        setCommand(c.text);
        type(tester, IDC_SEND_COUNT, "2");
        click(tester, IDC_MULTI_SEND);
        ASSERT_EQ(printer->writes.size(), 2u);
        EXPECT_EQ(printer->writes[0].size(), c.bytes);
        EXPECT_EQ(printer->writes[1], printer->writes[0]);
        EXPECT_EQ(clock.sleeps(), c.sleeps) << c.bytes;
    }
}

TEST_F(CmdTesterTest, MultiSendStopsWhenATcpSendWritesNothing)
{
    useTcp();
    CallbackClock tcpClock;
    platform::ScopedService<platform::Clock> clockScope(tcpClock);
    // The first send goes out (the link pauses 50 ms after it); then the printer is gone.
    tcpClock.onSleep = [this](int ms) {
        if (ms == 50)
            network.peer().failSend = true;
    };
    tester.m_strSentCount = "7";
    tester.UpdateData(false);
    setCommand(QString(1501, u'B'));
    type(tester, IDC_SEND_COUNT, "5");
    click(tester, IDC_MULTI_SEND);
    EXPECT_EQ(network.peer().received, QByteArray(1501, 'B'));
    EXPECT_EQ(tcpClock.sleeps, (std::vector<int>{100, 50, 100}));
    EXPECT_EQ(text(tester, IDC_SENT_COUNT), "");
}

TEST_F(CmdTesterTest, MultiSendOfAnEmptyTextOverTcpEmptiesTheCounter)
{
    useTcp();
    tester.m_strSentCount = "4";
    tester.UpdateData(false);
    type(tester, IDC_SEND_COUNT, "3");
    click(tester, IDC_MULTI_SEND);
    EXPECT_TRUE(network.peer().sends.empty());
    EXPECT_EQ(text(tester, IDC_SENT_COUNT), "");
}

TEST_F(CmdTesterTest, ReadAppendsToTheReceiveViewInBothTypes)
{
    QByteArray second("\x20\x7f\x80", 3);
    for (char c = 'a'; c <= 'r'; ++c)
        second.append(c);
    printer->replies = {"ABCDEFGHIJKLMNOPQRST", second};

    click(tester, IDC_HEX);  // nothing read yet: nothing shown
    EXPECT_EQ(received(), "");
    click(tester, IDC_ASCII);
    click(tester, IDC_READ);
    EXPECT_EQ(received(), "A B C D\tE F G H\tI J K L\tM N O P\tQ R S T\r\n");
    click(tester, IDC_READ);
    EXPECT_EQ(received(),
              "A B C D\tE F G H\tI J K L\tM N O P\tQ R S T\r\n"
              ". . . a\tb c d e\tf g h i\tj k l m\tn o p q\r\n"
              "r ");
    click(tester, IDC_READ);  // no reply: nothing changes
    click(tester, IDC_HEX);
    EXPECT_EQ(received(),
              "41 42 43 44\t45 46 47 48\t49 4a 4b 4c\t4d 4e 4f 50\t51 52 53 54\r\n"
              "20 7f 80 61\t62 63 64 65\t66 67 68 69\t6a 6b 6c 6d\t6e 6f 70 71\r\n"
              "72 ");
    EXPECT_EQ(tester.m_received.size(), 41);

    click(tester, IDC_CLEAR);
    EXPECT_EQ(received(), "");
    click(tester, IDC_ASCII);
    EXPECT_EQ(received(), "");
    EXPECT_TRUE(tester.m_received.isEmpty());
    // Two reads that got bytes at the first attempt, one empty read of three attempts.
    EXPECT_EQ(printer->calls.filter("read(").size(), 5);
    EXPECT_EQ(printer->calls.filter("read(512)").size(), 5);
}

TEST_F(CmdTesterTest, ReceivedLinesWrapInsideTheViewInsteadOfRunningPastIt)
{
    printer->replies = {"3034257BF7194E4000001A853034257BF7194E40"};
    tester.show();
    click(tester, IDC_HEX);
    click(tester, IDC_READ);
    QCoreApplication::sendPostedEvents();
    auto* view = qobject_cast<QPlainTextEdit*>(tester.GetDlgItem(IDC_RECEIVED));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(received().startsWith("33 30 33 34\t"));
    // Nothing of a line hides to the right: the view has no sideways scrolling.
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    EXPECT_NE(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    click(tester, IDC_ASCII);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
}

TEST_F(CmdTesterTest, SaveThenLoadThroughTheFileDialogs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("jobs.txt");
    const QString job = QString::fromUtf8("SS3\r\nT100,100,3,1,1,0,0,N,N,'\xC3\xA9t\xC3\xA9 \xE4\xB8\xAD'\r\nP1\r\n");
    tester.m_strCommand = job;
    tester.UpdateData(false);
    hooks.answerFileDialog(path);
    click(tester, IDC_SAVE);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\xff\xfeS\0S\0" "3\0\r\0\n\0"));

    setCommand("something else");
    hooks.answerFileDialog(path);
    click(tester, IDC_LOAD);
    EXPECT_EQ(tester.m_strCommand, job);
    EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), job);

    ASSERT_EQ(hooks.fileDialogs().size(), 2u);
    const ui::FileDialogRequest& save = hooks.fileDialogs()[0];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.defaultName, "Quensa.txt");
    EXPECT_EQ(save.filter, kSaveFilter);
    EXPECT_FALSE(save.overwritePrompt);
    const ui::FileDialogRequest& load = hooks.fileDialogs()[1];
    EXPECT_FALSE(load.save);
    EXPECT_EQ(load.defaultName, "");
    EXPECT_EQ(load.filter, kLoadFilter);
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CmdTesterTest, CancelledOrFailedFileDialogs)
{
    setCommand("typed");
    hooks.cancelFileDialog();
    click(tester, IDC_LOAD);
    EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), "typed");  // a cancelled Load keeps the job

    setCommand("typed");
    hooks.cancelFileDialog();
    click(tester, IDC_SAVE);
    EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), "typed");

    QTemporaryDir dir;
    hooks.answerFileDialog(dir.filePath("missing.txt"));
    click(tester, IDC_LOAD);
    EXPECT_EQ(tester.m_strCommand, "");
    EXPECT_EQ(messageTexts(), (QStringList{"Don't select load file", "Don't select save file",
                                           dir.filePath("missing.txt") + " was not found."}));
    for (const ui::RecordedMessage& m : hooks.messages())
        EXPECT_EQ(m.icon, platform::AlertIcon::Exclamation);
}

TEST_F(CmdTesterTest, LoadOfOddFilesIntoTheEditor)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    QByteArray big(50 * 1024 * 1024, 'Z');
    big[1024] = '\0';
    const Case cases[] = {
        {"empty", QByteArray(), ""},
        {"mark only", QByteArray("\xff\xfe"), ""},
        {"odd utf-16", QByteArray("\xff\xfeO\0K\0!", 7), "OK"},
        {"big-endian", QByteArray("\xfe\xff\0O\0K", 6), "OK"},
        {"50 MiB cut at a zero", big, QString(1024, u'Z')},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        setCommand("before");
        hooks.answerFileDialog(path);
        click(tester, IDC_LOAD);
        EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), c.text) << c.name;
    }
    EXPECT_TRUE(hooks.messages().empty());
}

TEST_F(CmdTesterTest, ClipboardAndClean)
{
    setCommand("ABC");
    tester.m_editCommand->selectAll();
    click(tester, IDC_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "ABC");
    click(tester, IDC_CUT);
    EXPECT_EQ(tester.m_strCommand, "");
    click(tester, IDC_PASTE);
    click(tester, IDC_PASTE);
    EXPECT_EQ(tester.m_strCommand, "ABCABC");
    click(tester, IDC_CLEAN);
    EXPECT_EQ(text(tester, IDC_EDIT_COMMAND), "");
}

TEST_F(CmdTesterTest, SendCountArrowsWrapAround)
{
    auto* spin = tester.item<ui::UpDownCtrl>(IDC_SEND_COUNT_SPIN);
    ASSERT_NE(spin, nullptr);
    type(tester, IDC_SEND_COUNT, "10000");
    spin->stepUp();
    EXPECT_EQ(text(tester, IDC_SEND_COUNT), "0");
    spin->stepDown();
    EXPECT_EQ(text(tester, IDC_SEND_COUNT), "10000");
}

}  // namespace
