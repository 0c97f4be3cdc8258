// The job editors keep the exact text through every edit: each sequence of keys, pastes,
// finds and replaces, undo and redo gives what it must, in Send, Save and Copy alike; a long
// line stays one line to the keys and the mouse. A seeded random run checks the editor
// against a plain string of the text.
#include "Utf16File.h"
#include "WorkbenchFixture.h"

#include "ui/FindReplaceDialog.h"
#include "ui/RawTextEdit.h"
#include "ui/ShownText.h"
#include "workbench/CCommunicationDlg.h"
#include "workbench/CQuensa_CmdTesterDlg.h"
#include "workbench/CmdTesterIds.h"
#include "workbench/CommunicationDlgIds.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QtEndian>

#include <cctype>
#include <functional>
#include <memory>
#include <random>
#include <utility>

namespace {

struct WindowKind {
    const char* name;
    std::function<std::unique_ptr<ui::Dialog>()> make;
    int open, send, save, edit, cut;
    bool replaces;  // the window has the replace dialog
};

const WindowKind kWindows[] = {
    {"CommunicationWindow", [] { return std::make_unique<CCommunicationDlg>(); },
     comm_dlg::IDC_FILE_OPEN, comm_dlg::IDC_SEND, comm_dlg::IDC_SAVE_TO_FILE,
     comm_dlg::IDC_SEND_EDIT, comm_dlg::IDC_CUT, true},
    {"CommandTester", [] { return std::make_unique<CQuensa_CmdTesterDlg>(); }, IDC_LOAD,
     IDC_MULTI_SEND, IDC_SAVE, IDC_EDIT_COMMAND, IDC_CUT, false},
};

void PrintTo(const WindowKind& kind, std::ostream* os)
{
    *os << kind.name;
}

// A picture's graphic field: one line of hex digits, `length` characters long.
QString graphicLine(qsizetype length)
{
    QString line = QStringLiteral("^GFA,");
    for (int i = 0; line.size() < length; ++i)
        line += QChar(u"0123456789ABCDEF"[i % 16]);
    return line;
}

QString removed(QString text, qsizetype from, qsizetype count)
{
    return text.remove(from, count);
}

QString inserted(QString text, qsizetype at, const QString& what)
{
    return text.insert(at, what);
}

// The operator at one of the windows: keys, clipboard, buttons, the replace dialog.
class Operator {
public:
    Operator(const WindowKind& kind, ztest::FakeDevice* printer, ui::TestHooks& hooks)
        : m_kind(kind), m_printer(printer), m_hooks(hooks), m_window(kind.make())
    {
        m_window->OnInitDialog();
        m_window->resize(700, 500);
        m_window->show();
        edit()->setFocus();
    }

    ui::RawTextEdit* edit() const { return m_window->item<ui::RawTextEdit>(m_kind.edit); }
    ui::Dialog& window() { return *m_window; }

    void load(const QString& text) { loadBytes(utf16File(text)); }
    void loadBytes(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("job.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
        file.close();
        m_hooks.answerFileDialog(path);
        click(*m_window, m_kind.open);
        edit()->setFocus();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& chars = {})
    {
        ztest::key(edit(), k, mods, chars);
    }
    void press(int k, int times, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        for (int i = 0; i < times; ++i)
            key(k, mods);
    }
    void typeChar(QChar c) { key(c.isLetter() ? c.toUpper().unicode() : c.unicode(), {}, QString(c)); }
    // The caret `presses` presses of Right from the start; a line end is one press.
    void caret(int presses)
    {
        key(Qt::Key_Home, Qt::ControlModifier);
        press(Qt::Key_Right, presses);
    }
    void select(int presses) { press(Qt::Key_Right, presses, Qt::ShiftModifier); }
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void cutButton() { click(*m_window, m_kind.cut); }
    void redo() { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
    }
    QString copied()
    {
        QApplication::clipboard()->clear();
        key(Qt::Key_C, Qt::ControlModifier);
        return QApplication::clipboard()->text();
    }

    ui::FindReplaceDialog* replaceDialog(const QString& find, const QString& replacement)
    {
        auto* window = static_cast<CCommunicationDlg*>(m_window.get());
        if (!window->m_pFindDialog)
            key(Qt::Key_H, Qt::ControlModifier);
        ui::FindReplaceDialog* dialog = window->m_pFindDialog;
        // What was pasted into the dialog's fields, line ends and all.
        dialog->findEdit()->setText(find);
        dialog->replaceEdit()->setText(replacement);
        return dialog;
    }
    void replaceAll(const QString& find, const QString& replacement)
    {
        replaceDialog(find, replacement)->replaceAllButton()->click();
    }
    void findNext(const QString& find) { replaceDialog(find, {})->findNextButton()->click(); }
    void replace(const QString& find, const QString& replacement)
    {
        replaceDialog(find, replacement)->replaceButton()->click();
    }

    QByteArray send()
    {
        m_printer->written.clear();
        click(*m_window, m_kind.send);
        return m_printer->written;
    }
    QByteArray save()
    {
        const QString path = m_dir.filePath("saved.txt");
        m_hooks.answerFileDialog(path);
        click(*m_window, m_kind.save);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QString copyAll()
    {
        key(Qt::Key_A, Qt::ControlModifier);
        return copied();
    }

private:
    const WindowKind& m_kind;
    ztest::FakeDevice* m_printer;
    ui::TestHooks& m_hooks;
    QTemporaryDir m_dir;
    std::unique_ptr<ui::Dialog> m_window;
};

class JobEditTest : public WorkbenchTest, public ::testing::WithParamInterface<WindowKind> {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        op = std::make_unique<Operator>(GetParam(), printer, hooks);
    }
    void TearDown() override
    {
        op.reset();
        WorkbenchTest::TearDown();
    }

    // Send, Save and Copy all give the text.
    void expectText(const QString& text)
    {
        EXPECT_EQ(op->send(), codePage.fromWide(text));
        EXPECT_EQ(op->save(), utf16File(text));
        EXPECT_EQ(op->copyAll(), text);
    }

    std::unique_ptr<Operator> op;
};

// A text with its line ends and separators spelled out, for a failure message.
std::string spelled(const QString& text)
{
    std::string out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\r': out += "\\r"; break;
        case u'\n': out += "\\n"; break;
        case 0x2028: out += "<LS>"; break;
        case 0x2029: out += "<PS>"; break;
        default: out += char(c.unicode() < 0x80 ? c.unicode() : '?');
        }
    }
    return out;
}

// Cut points that show as an empty row: one with nothing of its line on a side, because a
// piece is empty or a line end in a group of lines stands right beside it.
int bareCuts(const QTextDocument* document)
{
    int bare = 0;
    for (QTextBlock b = document->begin().next(); b.isValid(); b = b.next()) {
        if (ui::lineEndBefore(b) != ui::LineEnd::Piece)
            continue;
        const QString before = b.previous().text();
        const QString after = b.text();
        if (before.isEmpty() || after.isEmpty() || before.back() == QChar::LineSeparator ||
            after.front() == QChar::LineSeparator)
            ++bare;
    }
    return bare;
}

// The longest run of characters between two breaks of any kind, cut points too.
qsizetype longestPiece(const QTextDocument* document)
{
    qsizetype longest = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        for (const QString& piece : b.text().split(QChar::LineSeparator))
            longest = std::max(longest, piece.size());
    return longest;
}

// A cut point between the two halves of a surrogate pair.
bool splitsAPair(const QTextDocument* document)
{
    for (QTextBlock b = document->begin().next(); b.isValid(); b = b.next())
        if (!b.text().isEmpty() && b.text().front().isLowSurrogate())
            return true;
    return false;
}

struct EditCase {
    const char* name;
    QString job;
    std::function<void(Operator&)> steps;
    QString expected;
    bool replaces = false;  // uses the replace dialog
};

const QString kLong = graphicLine(3218);
const QString kSixes = QStringLiteral("^GFA,,") + QStringLiteral("ABCDEF").repeated(400);
const QString kNearCut = QString(1033, u'a');
// A character outside the BMP whose pair would be cut at the piece length.
const QString kEmoji = QStringLiteral("\U0001F600");
const QString kPairAtCut = QString(1023, u'a') + kEmoji + QString(20, u'b');
// More than 4096 lines, then a long line that starts inside a group of lines.
const QString kGroupedLong = QString(4097, u'\n') + QString(1033, u'b');

// Selects the piece of the long line at the end of kGroupedLong that the group holds.
void selectGroupedPiece(Operator& o)
{
    QTextDocument* document = o.edit()->document();
    const QTextBlock piece = document->findBlock(int(o.edit()->documentPosition(4097)));
    QTextCursor cursor(piece);
    cursor.setPosition(piece.position() + piece.length() - 1 - 1024);
    cursor.setPosition(piece.position() + piece.length() - 1, QTextCursor::KeepAnchor);
    o.edit()->setTextCursor(cursor);
}

const EditCase kEditCases[] = {
    {"deleting an LF, then undo", "ab\ncd", [](Operator& o) { o.caret(2); o.key(Qt::Key_Delete); o.undo(); }, "ab\ncd"},
    {"deleting a lone CR, then undo", "ab\rcd", [](Operator& o) { o.caret(2); o.key(Qt::Key_Delete); o.undo(); }, "ab\rcd"},
    {"Backspace over a line separator, undo, redo", QStringLiteral("ab\u2028cd"),
     [](Operator& o) { o.caret(3); o.key(Qt::Key_Backspace); o.undo(); o.redo(); }, "abcd"},
    {"undo of a deleted paragraph separator among LF lines", QStringLiteral("a\nb\u2029c\n"),
     [](Operator& o) { o.caret(3); o.key(Qt::Key_Delete); o.undo(); }, QStringLiteral("a\nb\u2029c\n")},
    {"Enter in an LF job, then undo and redo", "a\nb",
     [](Operator& o) { o.caret(1); o.key(Qt::Key_Return); o.undo(); o.redo(); }, "a\r\n\nb"},
    {"Enter at the end of a CR job", "SS3\rP1\r",
     [](Operator& o) { o.key(Qt::Key_End, Qt::ControlModifier); o.key(Qt::Key_Return); }, "SS3\rP1\r\r\n"},
    {"select all in a long line, type, undo", kLong,
     [](Operator& o) { o.key(Qt::Key_A, Qt::ControlModifier); o.typeChar(u'z'); o.undo(); }, kLong},
    {"Backspace at a cut point", kLong, [](Operator& o) { o.caret(1024); o.key(Qt::Key_Backspace); },
     removed(kLong, 1023, 1)},
    {"Backspace at a cut point, then undo", kLong,
     [](Operator& o) { o.caret(1024); o.key(Qt::Key_Backspace); o.undo(); }, kLong},
    {"Delete at a cut point", kLong, [](Operator& o) { o.caret(1024); o.key(Qt::Key_Delete); },
     removed(kLong, 1024, 1)},
    {"Left and Right over a cut point move one character each", kLong,
     [](Operator& o) {
         o.caret(1025);
         o.press(Qt::Key_Left, 2);
         o.typeChar(u'q');
         o.press(Qt::Key_Right, 2);
         o.typeChar(u'r');
     },
     inserted(inserted(kLong, 1023, "q"), 1026, "r")},
    {"cut across a cut point", kLong,
     [](Operator& o) { o.caret(1020); o.select(10); o.key(Qt::Key_X, Qt::ControlModifier); },
     removed(kLong, 1020, 10)},
    {"cut across a cut point, paste it back, undo twice", kLong,
     [](Operator& o) {
         o.caret(1020);
         o.select(10);
         o.key(Qt::Key_X, Qt::ControlModifier);
         o.key(Qt::Key_V, Qt::ControlModifier);
         o.undo();
         o.undo();
     },
     kLong},
    {"the window's Cut of a line from its start through its line end", "a\r\nb\nc",
     [](Operator& o) { o.caret(2); o.select(2); o.cutButton(); }, "a\r\nc"},
    {"Delete of a line from its start through its line end, then undo", "a\r\nb\nc\rd",
     [](Operator& o) { o.caret(2); o.select(4); o.key(Qt::Key_Delete); }, "a\r\nd"},
    {"Backspace after an empty line", "a\n\r\nb",
     [](Operator& o) { o.caret(3); o.key(Qt::Key_Backspace); }, "a\nb"},
    {"redo of a pasted long line", "^XA\n^XZ\n",
     [](Operator& o) { o.caret(4); o.paste(kLong + "\n"); o.undo(); o.redo(); }, "^XA\n" + kLong + "\n^XZ\n"},
    {"a line end next to a cut point, undone", "x\r" + kLong + "\ry",
     [](Operator& o) { o.caret(2 + 1024); o.key(Qt::Key_Return); o.undo(); o.redo(); },
     inserted("x\r" + kLong + "\ry", 2 + 1024, "\r\n")},
    {"Replace All of X by YY between LF lines", "aX\nb\nc\nXd\ne",
     [](Operator& o) { o.replaceAll("X", "YY"); }, "aYY\nb\nc\nYYd\ne", true},
    {"Replace All of X by YY between LF lines, undone", "aX\nb\nc\nXd\ne",
     [](Operator& o) { o.replaceAll("X", "YY"); o.undo(); }, "aX\nb\nc\nXd\ne", true},
    {"Replace All in a CR job, undone and redone", "SS3\rP1\rX\rP1\r",
     [](Operator& o) { o.replaceAll("P1", "P2"); o.undo(); o.redo(); }, "SS3\rP2\rX\rP2\r", true},
    {"a pasted CR LF as the replacement", "a;b;c;d", [](Operator& o) { o.replaceAll(";", ";\r\n"); },
     "a;\r\nb;\r\nc;\r\nd", true},
    {"a pasted LF as the replacement", "a;b", [](Operator& o) { o.replaceAll(";", "\n"); }, "a\nb", true},
    {"a pasted LF as the find text never finds a cut point", "^XA\n" + kLong + "\n^XZ",
     [](Operator& o) { o.replaceAll("\n", "#"); }, "^XA#" + kLong + "#^XZ", true},
    {"a pasted CR LF as the find text", "a\r\nb\nc\r\n", [](Operator& o) { o.replaceAll("\r\n", "|"); },
     "a|b\nc|", true},
    {"an LF of a CR LF is found on its own", "a\r\nb", [](Operator& o) { o.replaceAll("\n", "#"); },
     "a\r#b", true},
    {"Replace All finds matches across cut points", kSixes,
     [](Operator& o) { o.replaceAll("ABCDEF", "x"); }, QStringLiteral("^GFA,,") + QString(400, u'x'), true},
    {"Replace All in a long line, undone", kSixes,
     [](Operator& o) { o.replaceAll("ABCDEF", "x"); o.undo(); }, kSixes, true},
    {"Find Next and Replace of a match across a cut point", kSixes,
     [](Operator& o) {
         for (int i = 0; i < 170; ++i)  // the 170th match holds the cut at 1024
             o.findNext("ABCDEF");
         EXPECT_EQ(o.copied(), "ABCDEF");
         o.replace("ABCDEF", "-");
     },
     QString(kSixes).replace(6 + 169 * 6, 6, "-"), true},
    {"Enter at the end of a piece", kNearCut, [](Operator& o) { o.caret(1024); o.key(Qt::Key_Return); },
     inserted(kNearCut, 1024, "\r\n")},
    {"Enter at the start of a piece", kNearCut,
     [](Operator& o) { o.caret(1025); o.key(Qt::Key_Left); o.key(Qt::Key_Return); }, inserted(kNearCut, 1024, "\r\n")},
    {"Delete of a grouped long line's first piece", kGroupedLong,
     [](Operator& o) { selectGroupedPiece(o); o.key(Qt::Key_Delete); }, QString(4097, u'\n') + QString(9, u'b')},
    {"Ctrl+Backspace goes back over a cut point to the word's start", kLong,
     [](Operator& o) { o.caret(1500); o.key(Qt::Key_Backspace, Qt::ControlModifier); }, removed(kLong, 5, 1495)},
    {"Ctrl+Delete goes on over cut points to the word's end", kLong,
     [](Operator& o) { o.caret(10); o.key(Qt::Key_Delete, Qt::ControlModifier); }, kLong.left(10)},
    {"Ctrl+Backspace right after a cut point", kLong,
     [](Operator& o) { o.caret(1025); o.key(Qt::Key_Left); o.key(Qt::Key_Backspace, Qt::ControlModifier); },
     removed(kLong, 5, 1019)},
    {"Ctrl+Backspace and Ctrl+Delete at line ends take the line end", "ab\r\ncd\ref",
     [](Operator& o) {
         o.caret(3);
         o.key(Qt::Key_Backspace, Qt::ControlModifier);
         o.key(Qt::Key_End);
         o.key(Qt::Key_Delete, Qt::ControlModifier);
     },
     "abcdef"},
    {"Backspace after a character outside the BMP at a cut point", kPairAtCut,
     [](Operator& o) { o.caret(1024); o.key(Qt::Key_Backspace); }, removed(kPairAtCut, 1023, 2)},
    {"Delete of a character outside the BMP at a cut point, then undo and redo", kPairAtCut,
     [](Operator& o) { o.caret(1023); o.key(Qt::Key_Delete); o.undo(); o.redo(); }, removed(kPairAtCut, 1023, 2)},
    {"Backspace after a character outside the BMP before a line end", "x" + kEmoji + "\r\ny",
     [](Operator& o) { o.caret(2); o.key(Qt::Key_Backspace); }, "x\r\ny"},
    {"Backspace of a line end after a character outside the BMP", "x" + kEmoji + "\ny",
     [](Operator& o) { o.caret(3); o.key(Qt::Key_Backspace); o.key(Qt::Key_Backspace); }, "xy"},
    {"a character outside the BMP typed at a full piece", kNearCut,
     [](Operator& o) { o.caret(1023); o.key(0, {}, kEmoji); }, inserted(kNearCut, 1023, kEmoji)},
    {"Replace All of a pasted CR leaves the caret after the replacement", "a\r\nb",
     [](Operator& o) { o.replaceAll("\r", "#"); o.typeChar(u'z'); }, "a#z\nb", true},
    {"Replace with a pasted line end, then Find Next selects what follows", "a;b;c",
     [](Operator& o) {
         o.findNext(";");
         o.replace(";", "\r\n");
         EXPECT_EQ(o.copied(), ";");
         o.replace(";", "\n");
     },
     "a\r\nb\nc", true},
};

struct EditInWindow {
    const WindowKind* window;
    const EditCase* edit;
};

void PrintTo(const EditInWindow& p, std::ostream* os)
{
    *os << p.window->name << ": " << p.edit->name;
}

// Every case of the table in every window that has what it uses.
std::vector<EditInWindow> editsInWindows()
{
    std::vector<EditInWindow> all;
    for (const WindowKind& window : kWindows)
        for (const EditCase& edit : kEditCases)
            if (!edit.replaces || window.replaces)
                all.push_back({&window, &edit});
    return all;
}

std::string testName(const EditInWindow& p)
{
    std::string name = std::string(p.window->name) + "_";
    bool upper = true;
    for (const char* c = p.edit->name; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) {
            name += upper ? char(std::toupper(static_cast<unsigned char>(*c))) : *c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

class JobEditSequenceTest : public WorkbenchTest, public ::testing::WithParamInterface<EditInWindow> {
protected:
    void TearDown() override
    {
        op.reset();
        WorkbenchTest::TearDown();
    }
    std::unique_ptr<Operator> op;
};

// Send, Save and Copy give the text, and no row shows without text.
TEST_P(JobEditSequenceTest, EachEditSequenceGivesTheExactText)
{
    const EditCase& c = *GetParam().edit;
    op = std::make_unique<Operator>(*GetParam().window, printer, hooks);
    op->load(c.job);
    c.steps(*op);
    EXPECT_EQ(op->send(), codePage.fromWide(c.expected));
    EXPECT_EQ(op->save(), utf16File(c.expected));
    EXPECT_EQ(op->copyAll(), c.expected);
    EXPECT_EQ(bareCuts(op->edit()->document()), 0);
    EXPECT_LE(longestPiece(op->edit()->document()), ui::ShownText::kPieceLength);
    EXPECT_FALSE(splitsAPair(op->edit()->document()));
    EXPECT_TRUE(hooks.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(BothWindows, JobEditSequenceTest, ::testing::ValuesIn(editsInWindows()),
                         [](const auto& info) { return testName(info.param); });

// The line ends of every kind at the start, at the end, beside a cut point and in a job of
// more than 4096 lines, through typing, deleting, undo and redo.
TEST_P(JobEditTest, EveryLineEndKindHoldsAtEveryPlace)
{
    const QString many = QStringLiteral("M\r").repeated(2500) + QStringLiteral("L\n").repeated(2500);
    for (const QString end : {"\r\n", "\n", "\r", "\u2028", "\u2029"}) {
        const QString job = end + QString(1023, u'a') + end + QString(1500, u'b') + end + many + end;
        SCOPED_TRACE(end.toUtf8().toHex().toStdString());
        op->load(job);
        // At the start, at both ends of the long line's first piece, in the many lines, at the end.
        op->typeChar(u'x');
        op->caret(1 + 1 + 1023 + 1 + 1024);
        op->key(Qt::Key_Backspace);
        op->key(Qt::Key_Delete);
        op->caret(1 + 1 + 1023 + 1 + 1498 + 1 + 4000);  // two b gone
        op->key(Qt::Key_Return);
        op->key(Qt::Key_End, Qt::ControlModifier);
        op->key(Qt::Key_Backspace);
        QString expected = "x" + job;
        expected.remove(1 + end.size() + 1023 + end.size() + 1023, 2);
        const qsizetype manyAt = 1 + 2 * end.size() + 1023 + 1498 + end.size();
        expected.insert(manyAt + 4000, "\r\n");
        expected.chop(end.size());
        expectText(expected);
        for (int i = 0; i < 5; ++i)
            op->undo();
        expectText(job);
        for (int i = 0; i < 5; ++i)
            op->redo();
        expectText(expected);
    }
}

// A cut point is no position of its own: Home and End, double and triple clicks act on the
// line as on a short one.
TEST_P(JobEditTest, ClicksInALongLineTakeWhatTheyTakeInAShortOne)
{
    const QString job = "^XA\n" + kLong + "\n^XZ";
    op->load(job);
    ui::RawTextEdit* edit = op->edit();
    QApplication::processEvents();
    // The second piece of the long line: the second block after the first line.
    const QTextBlock piece = edit->document()->findBlockByNumber(2);
    QTextCursor at(piece);
    at.setPosition(piece.position() + 5);
    edit->setTextCursor(at);
    edit->ensureCursorVisible();
    const QPoint point = edit->cursorRect(at).center();
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(op->copied(), kLong.mid(5)) << "the hex digits after ^GFA, are one word";
    QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(op->copied(), kLong + "\n");
    op->key(Qt::Key_Delete);
    expectText("^XA\n^XZ");

    // More than 4096 lines: a triple click takes its own line and no other.
    QString lines;
    for (int i = 0; i < 5000; ++i)
        lines += QStringLiteral("^FO%1\r\n").arg(i);
    op->load(lines);
    const QTextBlock first = edit->document()->begin();
    const QPoint row = edit->cursorRect(QTextCursor(first)).center() + QPoint(3, 0);
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, row);
    QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(op->copied(), "^FO0\r\n");
    op->key(Qt::Key_Delete);
    expectText(lines.mid(6));
}

// A triple click on the last row in view takes that row's line, although the base class's
// selection of the block scrolls the view, in a short job and in one of grouped lines.
TEST_P(JobEditTest, ATripleClickOnTheBottomRowTakesItsLine)
{
    ui::RawTextEdit* edit = op->edit();
    for (const int lines : {100, 5000}) {
        SCOPED_TRACE(lines);
        QString job;
        for (int i = 1; i <= lines; ++i)
            job += QStringLiteral("^FO%1,10\r\n").arg(i);
        op->load(job);
        QApplication::processEvents();
        // Scrolled down from the top until the line is the bottom row.
        const int line = lines == 100 ? 51 : 4500;
        const qsizetype start = job.indexOf(QStringLiteral("^FO%1,").arg(line));
        QTextCursor at = edit->textCursor();
        at.setPosition(int(edit->documentPosition(start)));
        edit->setTextCursor(at);
        edit->ensureCursorVisible();
        QApplication::processEvents();
        const QPoint point = edit->cursorRect(at).center() + QPoint(4, 0);
        ASSERT_GT(point.y(), edit->viewport()->height() - 2 * edit->cursorRect(at).height());
        QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, point);
        QTest::mousePress(edit->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(edit->viewport(), Qt::LeftButton, {}, point);
        const QString taken = QStringLiteral("^FO%1,10\r\n").arg(line);
        EXPECT_EQ(op->copied(), taken);
        op->key(Qt::Key_Delete);
        EXPECT_EQ(edit->text(), removed(job, start, taken.size()));
    }
}

// Text that an input method commits, or that AltGr gives (reported as Ctrl+Alt on some
// systems), replaces a selection that ends in a line end: the break before it stays.
TEST_P(JobEditTest, InputOverASelectionKeepsTheBreakBeforeIt)
{
    ui::RawTextEdit* edit = op->edit();
    for (const QString before : {"\n", "\r", "\r\n", "\u2029"}) {
        for (const QString selected : {"\r", "\n", "\r\n"}) {
            SCOPED_TRACE(spelled(before + selected));
            const QString job = "a" + before + "b" + selected + "c";
            const QString expected = "a" + before + "~c";
            op->load(job);
            edit->selectExact(1 + before.size(), 2 + before.size() + selected.size());
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("~"));
            QApplication::sendEvent(edit, &commit);
            EXPECT_EQ(spelled(edit->text()), spelled(expected)) << "input method";
            op->load(job);
            edit->selectExact(1 + before.size(), 2 + before.size() + selected.size());
            op->key(Qt::Key_AsciiTilde, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("~"));
            EXPECT_EQ(spelled(edit->text()), spelled(expected)) << "AltGr";
            op->undo();
            EXPECT_EQ(spelled(edit->text()), spelled(job));
        }
    }
}

// Delete to the end of the line (Ctrl+K where the desktop binds it) removes to the end of the
// exact line, in a group of lines and over the cut points of a long line; at a line's end it
// takes the line end.
TEST_P(JobEditTest, DeleteToTheEndOfTheLineTakesTheExactLine)
{
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(QKeySequence::DeleteEndOfLine);
    if (bindings.isEmpty())
        GTEST_SKIP() << "this platform binds no key to delete to the end of the line";
    const QKeyCombination k = bindings.front()[0];
    QString grouped;
    for (int i = 0; i < 5000; ++i)
        grouped += QStringLiteral("^FO%1\n").arg(i);
    op->load(grouped);
    const qsizetype at = grouped.indexOf("^FO4500\n") + 3;
    op->edit()->selectExact(at, at);
    op->key(k.key(), k.keyboardModifiers());
    EXPECT_EQ(op->edit()->text(), removed(grouped, at, 4));
    op->key(k.key(), k.keyboardModifiers());
    EXPECT_EQ(op->edit()->text(), removed(grouped, at, 5));
    const QString job = "^XA\n" + kLong + "\n^XZ";
    op->load(job);
    op->caret(4 + 10);
    op->key(k.key(), k.keyboardModifiers());
    expectText(removed(job, 14, kLong.size() - 10));
}

// Pastes and typing into one piece of a long line leave no piece longer than the piece
// length, and no cut point inside a surrogate pair.
TEST_P(JobEditTest, PiecesStayShortUnderPastesAndTyping)
{
    ui::RawTextEdit* edit = op->edit();
    const QString job = "^XA\n" + kLong + "\n^XZ";
    QString expected = job;
    op->load(job);
    const QString pasted = QString(998, u'c') + kEmoji;
    for (int i = 0; i < 20; ++i) {
        op->caret(4 + 500);
        op->paste(pasted);
        expected.insert(4 + 500, pasted);
    }
    for (int i = 0; i < 1100; ++i)
        op->typeChar(u'k');
    expected.insert(4 + 500 + pasted.size(), QString(1100, u'k'));
    EXPECT_EQ(edit->text(), expected);
    EXPECT_LE(longestPiece(edit->document()), ui::ShownText::kPieceLength);
    EXPECT_FALSE(splitsAPair(edit->document()));
    EXPECT_EQ(bareCuts(edit->document()), 0);
    expectText(expected);
}

// A cancelled File Open or Load leaves the typed job as it was.
TEST_P(JobEditTest, ACancelledOpenKeepsTheText)
{
    op->load("^XA\r\n^FO10\n^XZ");
    op->key(Qt::Key_End, Qt::ControlModifier);
    op->typeChar(u'x');
    hooks.cancelFileDialog();
    click(op->window(), GetParam().open);
    EXPECT_EQ(messageTexts(), QStringList{"Don't select load file"});
    hooks.clearMessages();
    expectText("^XA\r\n^FO10\n^XZx");
    op->undo();
    expectText("^XA\r\n^FO10\n^XZ");
}

// A selection dragged with the mouse to another place moves there: the edit's own data,
// dropped through the widget's drag and drop events. Every line end it passes keeps its bytes.
TEST_P(JobEditTest, ADragMoveKeepsEveryLineEnd)
{
    op->load("A1\nB2\nC3\nD4\nE5\n");
    ui::RawTextEdit* edit = op->edit();
    QApplication::processEvents();
    op->caret(3);
    op->select(2);  // B2
    // The data the edit makes of its selection, as a drag takes it (this platform has no
    // drag of its own).
    op->key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* dragged = QApplication::clipboard()->mimeData();
    QTextCursor behind(edit->document()->findBlockByNumber(3));
    behind.movePosition(QTextCursor::EndOfBlock);
    const QPoint to = edit->cursorRect(behind).center() + QPoint(2, 0);
    QWidget* viewport = edit->viewport();
    QDragEnterEvent enter(to, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(to, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(to, Qt::MoveAction, dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    expectText("A1\n\nC3\nD4B2\nE5\n");
    op->undo();
    expectText("A1\nB2\nC3\nD4\nE5\n");
}

// A file's first byte-order mark goes; one after it is a character of the text, sent as the
// code page has it. Characters a text document keeps for itself go out as the code page's
// default character.
TEST_P(JobEditTest, MarksAfterTheFirstAndTheDocumentsOwnCharactersAreText)
{
    op->loadBytes("\xEF\xBB\xBF\xEF\xBB\xBF" "A");
    EXPECT_EQ(op->send(), codePage.fromWide(u"\uFEFFA"));
    EXPECT_EQ(op->save(), QByteArray("\xFF\xFE\xFF\xFE" "A\0", 6));
    op->loadBytes(utf16File(QStringLiteral("a\uFDD0b\uFDD1c")));
    EXPECT_EQ(op->send(), "a?b?c");
    op->load(QString());
    op->paste(QStringLiteral("\uFDD0\r\n\uFDD1"));
    EXPECT_EQ(op->send(), "?\r\n?");
}

// The model of the editor: a plain string of the exact text, with its undo and redo.
struct Model {
    QString text;
    std::vector<QString> undone, redone;

    void edit(QString next)
    {
        undone.push_back(std::exchange(text, std::move(next)));
        redone.clear();
    }
    void undo()
    {
        if (!undone.empty()) {
            redone.push_back(std::exchange(text, undone.back()));
            undone.pop_back();
        }
    }
    void redo()
    {
        if (!redone.empty()) {
            undone.push_back(std::exchange(text, redone.back()));
            redone.pop_back();
        }
    }
};

bool isLineEndCharacter(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

class RandomEdits {
public:
    explicit RandomEdits(unsigned seed) : m_rng(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return below(100) < percent; }

    // Short runs of label text with line ends of every kind, now and then a long line.
    QString text(int pieces, int longPercent)
    {
        static const QString kEnds[] = {"\r\n", "\n", "\r", QStringLiteral("\u2028"), QStringLiteral("\u2029")};
        static const QString kChars = QStringLiteral("abX;^0F");
        QString out;
        for (int i = 0; i < pieces; ++i) {
            if (chance(longPercent))
                out += graphicLine(1024 + below(2200));
            else if (chance(25))
                out += kEnds[below(5)];
            else
                out += kChars[below(kChars.size())];
        }
        return out;
    }
    // A position of the text, never inside a CR LF.
    qsizetype position(const QString& text)
    {
        qsizetype p = below(int(text.size()) + 1);
        if (p > 0 && p < text.size() && text[p - 1] == u'\r' && text[p] == u'\n')
            ++p;
        return p;
    }

private:
    std::mt19937 m_rng;
};

// Thousands of random sequences of edits, each against the model: after every step the
// editor's text is the model's. A failure names its seed.
TEST_P(JobEditTest, MatchesAPlainStringThroughRandomEdits)
{
    constexpr unsigned kSeed = 20261210;
    ui::RawTextEdit* edit = op->edit();
    const bool replaces = GetParam().replaces;
    for (int sequence = 0; sequence < 1600; ++sequence) {
        const unsigned seed = kSeed + sequence;
        RandomEdits random(seed);
        Model model;
        // Short jobs, jobs with lines over 1024 characters, and now and then more than 4096 lines.
        const int kind = sequence % 100 == 99 ? 2 : sequence % 4 == 3 ? 1 : 0;
        model.text = kind == 2 ? QStringLiteral("^FO1\n").repeated(4200) + random.text(20, 0)
                               : random.text(5 + random.below(40), kind == 1 ? 8 : 0);
        op->load(model.text);
        ASSERT_EQ(edit->text(), model.text) << "seed " << seed;
        // Single keys next to the last edit would join its undo step.
        qsizetype touchedFrom = -10, touchedTo = -10;
        bool afterUndo = false;
        auto apart = [&](qsizetype p) { return !afterUndo && (p < touchedFrom - 2 || p > touchedTo + 2); };
        auto touched = [&](qsizetype from, qsizetype to) {
            touchedFrom = from;
            touchedTo = to;
            afterUndo = false;
        };
        for (int step = 0; step < 20; ++step) {
            const QString before = model.text;
            qsizetype s = random.position(before);
            qsizetype e = random.position(before);
            if (s > e)
                std::swap(s, e);
            const int what = random.below(replaces ? 11 : 9);
            std::string name;
            switch (what) {
            case 0: {  // type a character
                if (!apart(s))
                    continue;
                name = "type";
                edit->selectExact(s, s);
                op->typeChar(u'k');
                model.edit(QString(before).insert(s, u'k'));
                touched(s, s + 1);
                break;
            }
            case 1:  // Backspace or Delete beside a character
            case 2: {
                const bool back = what == 1;
                const qsizetype at = back ? s - 1 : s;
                if (at < 0 || at >= before.size() || isLineEndCharacter(before[at]) || !apart(s))
                    continue;
                name = back ? "Backspace" : "Delete";
                edit->selectExact(s, s);
                op->key(back ? Qt::Key_Backspace : Qt::Key_Delete);
                model.edit(QString(before).remove(at, 1));
                touched(at, at);
                break;
            }
            case 3: {  // Delete or Cut of a selection
                if (s == e || !apart(s) || !apart(e))
                    continue;
                const bool cut = random.chance(50);
                name = cut ? "cut" : "delete selection";
                edit->selectExact(s, e);
                op->key(cut ? Qt::Key_X : Qt::Key_Delete, cut ? Qt::ControlModifier : Qt::NoModifier);
                if (cut) {
                    ASSERT_EQ(spelled(QApplication::clipboard()->text()), spelled(before.mid(s, e - s)))
                        << "seed " << seed << ", step " << step << " in " << spelled(before);
                }
                model.edit(QString(before).remove(s, e - s));
                touched(s, s);
                break;
            }
            case 4: {  // paste over the selection
                const QString pasted = random.text(1 + random.below(12), kind == 1 ? 10 : 0);
                name = "paste";
                edit->selectExact(s, e);
                op->paste(pasted);
                model.edit(QString(before).replace(s, e - s, pasted));
                touched(s, s + pasted.size());
                break;
            }
            case 5: {
                name = "Enter";
                edit->selectExact(s, e);
                op->key(Qt::Key_Return);
                model.edit(QString(before).replace(s, e - s, "\r\n"));
                touched(s, s + 2);
                break;
            }
            case 6:
                name = "copy";
                edit->selectExact(s, e);
                ASSERT_EQ(spelled(op->copied()), spelled(before.mid(s, e - s)))
                    << "seed " << seed << ", step " << step << " at " << s << ".." << e << " in "
                    << spelled(before);
                break;
            case 7:
                name = "undo";
                op->undo();
                model.undo();
                afterUndo = true;
                break;
            case 8:
                name = "redo";
                op->redo();
                model.redo();
                afterUndo = true;
                break;
            case 9: {  // Replace All of a piece of the text, line ends and all
                const QString find = before.mid(s, 1 + random.below(3));
                if (find.isEmpty() || (find.back() == u'\r' && before.mid(s + find.size(), 1) == "\n"))
                    continue;
                const QString replacement = random.text(random.below(4), 0);
                name = "Replace All";
                op->replaceAll(find, replacement);
                if (before.contains(find)) {
                    model.edit(QString(before).replace(find, replacement));
                    touched(0, model.text.size());
                }
                break;
            }
            case 10: {  // Find Next from the caret, then Replace
                const QString find = before.mid(e, 1 + random.below(2));
                if (find.isEmpty() || find.back() == u'\r')
                    continue;
                const QString replacement = random.text(random.below(3), 0);
                name = "Find Next and Replace";
                edit->selectExact(s, s);
                op->findNext(find);
                const qsizetype found = before.indexOf(find, s);
                op->replaceDialog(find, replacement)->replaceButton()->click();
                if (found >= 0) {
                    model.edit(QString(before).replace(found, find.size(), replacement));
                    touched(found, found + replacement.size());
                }
                break;
            }
            }
            ASSERT_EQ(spelled(edit->text()), spelled(model.text))
                << "seed " << seed << ", step " << step << ": " << name << " at " << s << ".." << e
                << " in " << spelled(before);
            ASSERT_EQ(bareCuts(edit->document()), 0) << "seed " << seed << ", step " << step << ": " << name;
        }
        ASSERT_EQ(op->send(), codePage.fromWide(model.text)) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, JobEditTest, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
