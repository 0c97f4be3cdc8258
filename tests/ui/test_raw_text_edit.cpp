#include "ui/ControlText.h"
#include "ui/RawTextEdit.h"

#include "tests/support/DialogDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QString longLines()
{
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("line %1").arg(i) + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r" : "\r\n");
    return text + QString(5000, u'x') + "\r\r\n" + QString(3000, u'y');
}

int longestBlock(const QTextDocument* document)
{
    int longest = 0;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        longest = std::max(longest, b.length());
    return longest;
}

// Pieces written in turn make the document the whole text set at once makes, and both read
// back as the text itself.
TEST(RawTextEditTest, AWriterBuildsWhatSettingTheWholeBuilds)
{
    for (const QString& text : {QStringLiteral("a\r\nb\rc\n\r\r\nd\u2028e\u2029\r"), longLines()}) {
        ui::RawTextEdit whole;
        ui::setControlText(&whole, text);
        EXPECT_EQ(ui::controlText(&whole), text);
        for (qsizetype cut : {1, 7, 1024}) {
            ui::RawTextEdit pieces;
            pieces.setPlainText(QStringLiteral("old"));
            {
                ui::RawTextEdit::Writer writer(&pieces);
                // Cuts fall after CRs too: a CR LF split between two pieces is one line end.
                for (qsizetype from = 0; from < text.size(); from += cut)
                    writer.append(QStringView(text).sliced(from, std::min(cut, text.size() - from)));
            }
            EXPECT_EQ(pieces.document()->toRawText(), whole.document()->toRawText()) << cut;
            EXPECT_EQ(pieces.text(), text) << cut;
            EXPECT_EQ(pieces.textCursor().position(), 0);
            EXPECT_FALSE(pieces.document()->isUndoAvailable());
            EXPECT_FALSE(pieces.document()->isModified());
            EXPECT_TRUE(pieces.document()->isUndoRedoEnabled());
        }
    }
}

TEST(RawTextEditTest, LongLinesShowInShortBlocksAndManyLinesInFewBlocks)
{
    ui::RawTextEdit edit;
    const QString text = longLines();
    edit.setText(text);
    EXPECT_LE(longestBlock(edit.document()), 8192 + 1024);
    EXPECT_LT(edit.document()->blockCount(), 4096 + 1000);
    EXPECT_EQ(edit.text(), text);
}

TEST(RawTextEditTest, CopyAndPasteKeepTheLineEndsOfTheSelection)
{
    ui::RawTextEdit edit;
    edit.setText("A\nB\rC\r\nD");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(5, QTextCursor::KeepAnchor);  // "\nB\rC"
    edit.setTextCursor(cursor);
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "\nB\rC");
    cursor.movePosition(QTextCursor::End);
    edit.setTextCursor(cursor);
    edit.paste();
    EXPECT_EQ(edit.text(), "A\nB\rC\r\nD\nB\rC");
    // Pasted over a selection, between line ends of its own.
    cursor.setPosition(2);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QApplication::clipboard()->setText("x\r\ry");
    edit.paste();
    EXPECT_EQ(edit.text(), "A\nx\r\ry\rC\r\nD\nB\rC");
}

// A drop goes in inside an edit block of the base class, whose change the document reports
// only after the dropped text is in.
TEST(RawTextEditTest, ATextDroppedFromAnotherProgramKeepsItsLineEnds)
{
    ui::RawTextEdit edit;
    edit.resize(400, 300);
    edit.setText("x\ry");
    QMimeData dropped;
    dropped.setText("a\nb");
    edit.show();
    const QPoint at = edit.cursorRect(edit.textCursor()).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &drop);
    EXPECT_EQ(edit.text(), "a\nbx\ry");
}

TEST(RawTextEditTest, TypingUndoingAndDeletingMoveTheLineEndsAfterThem)
{
    ui::RawTextEdit edit;
    edit.setText("ab\ncd\ref");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(1);
    edit.setTextCursor(cursor);
    ztest::key(&edit, Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(edit.text(), "axb\ncd\ref");
    ztest::key(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.text(), "ax\r\nb\ncd\ref");
    edit.undo();
    EXPECT_EQ(edit.text(), "axb\ncd\ref");
    // The line end of the joined line is the one at its end.
    cursor.setPosition(3);
    edit.setTextCursor(cursor);
    ztest::key(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "axbcd\ref");
    edit.clear();
    EXPECT_EQ(edit.text(), "");
    // Set through the base class, a text's breaks are all CR LF.
    edit.setText("a\nb\rc");
    edit.setPlainText("p\nq\rr");
    EXPECT_EQ(edit.text(), "p\r\nq\r\nr");
}

// Each break's record is its own character's format, which a text document keeps through its
// own removals: a selection removed through the base class, whose cut() is no virtual, keeps
// the line end before it.
TEST(RawTextEditTest, QtsOwnRemovalsKeepTheLineEndBeforeASelection)
{
    for (const QString before : {"\n", "\r", "\u2028", "\u2029"}) {
        ui::RawTextEdit edit;
        edit.setText("a" + before + "b\rc\r\nd");
        QTextCursor cursor = edit.textCursor();
        cursor.setPosition(2);
        cursor.setPosition(4, QTextCursor::KeepAnchor);  // b and its CR
        edit.setTextCursor(cursor);
        static_cast<QPlainTextEdit&>(edit).cut();
        EXPECT_EQ(edit.text(), "a" + before + "c\r\nd");
        edit.undo();
        EXPECT_EQ(edit.text(), "a" + before + "b\rc\r\nd");
    }
}

// Cut by name (a menu, a button's slot, invokeMethod) is the edit's own: a piece it empties
// goes with its cut point, so that no row shows without text.
TEST(RawTextEditTest, CutByNameDropsThePieceItEmpties)
{
    ui::RawTextEdit edit;
    const QString text(1033, u'a');
    edit.setText(text);
    ASSERT_EQ(edit.document()->blockCount(), 2);
    const QTextBlock piece = edit.document()->lastBlock();
    QTextCursor cursor(piece);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    ASSERT_TRUE(QMetaObject::invokeMethod(&edit, "cut"));
    EXPECT_EQ(QApplication::clipboard()->text(), QString(9, u'a'));
    EXPECT_EQ(edit.text(), QString(1024, u'a'));
    EXPECT_EQ(edit.document()->blockCount(), 1);
}

}  // namespace
