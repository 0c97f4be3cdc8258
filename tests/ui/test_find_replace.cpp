#include "ui/ControlText.h"
#include "ui/FindReplaceDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ControlTextTest, LineEndsBetweenTheWindowsFormAndTheShownForm)
{
    const struct {
        const char* held;
        const char* shown;
        const char* back;
    } cases[] = {
        {"", "", ""},
        {"abc", "abc", "abc"},
        {"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"},
        {"a\rb", "a\nb", "a\r\nb"},
        {"a\nb", "a\nb", "a\r\nb"},
        {"\r\r\n\n\r", "\n\n\n\n", "\r\n\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::toDisplayLines(c.held), c.shown) << c.held;
        EXPECT_EQ(ui::toWindowsLines(c.held), c.back) << c.held;
    }
}

TEST(ControlTextTest, ALongTextInAMultiLineEditReadsBackAsItWasSet)
{
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    text += QStringLiteral("last");
    QPlainTextEdit edit;
    ui::setControlText(&edit, text);
    EXPECT_EQ(ui::controlText(&edit), text);
    EXPECT_EQ(edit.toPlainText(), ui::toDisplayLines(text));
    // One position per character and line end, whatever the paragraphs.
    EXPECT_EQ(ui::documentLines(edit.document()), ui::toDisplayLines(text));
    EXPECT_EQ(edit.document()->characterCount() - 1, ui::toDisplayLines(text).size());
    EXPECT_LT(edit.document()->blockCount(), 1000);
}

// Pieces written in turn make the document the whole text set at once makes.
TEST(ControlTextTest, APlainTextWriterBuildsWhatSettingTheWholeBuilds)
{
    QString longText;
    for (int i = 0; i < 5000; ++i)
        longText += QStringLiteral("line %1\r\n").arg(i);
    for (const QString& text : {QStringLiteral("a\r\nb\rc\n\r\r\nd"), longText}) {
        QPlainTextEdit whole;
        ui::setControlText(&whole, text);
        QPlainTextEdit pieces;
        pieces.setPlainText(QStringLiteral("old"));
        pieces.clear();
        {
            ui::PlainTextWriter writer(&pieces, text.count(u'\n') + text.count(u'\r'));
            // Cut after each CR: a CR LF split between two pieces is one line end.
            for (qsizetype from = 0; from < text.size();) {
                const qsizetype cr = text.indexOf(u'\r', from);
                const qsizetype to = cr < 0 ? text.size() : cr + 1;
                writer.append(QStringView(text).sliced(from, to - from));
                from = to;
            }
        }
        EXPECT_EQ(pieces.document()->toRawText(), whole.document()->toRawText());
        EXPECT_EQ(pieces.document()->blockCount(), whole.document()->blockCount());
        EXPECT_EQ(ui::controlText(&pieces), ui::toWindowsLines(text));
        EXPECT_EQ(pieces.textCursor().position(), 0);
        EXPECT_FALSE(pieces.document()->isUndoAvailable());
        EXPECT_FALSE(pieces.document()->isModified());
        EXPECT_TRUE(pieces.document()->isUndoRedoEnabled());
    }
}

struct Report {
    bool findNext, replace, replaceAll, terminating;
    QString find, replacement;
    bool operator==(const Report&) const = default;
};

TEST(FindReplaceDialogTest, ReportsEachButtonAndFinallyItsClosing)
{
    QWidget owner;
    std::vector<Report> reports;
    QPointer<ui::FindReplaceDialog> dialog = new ui::FindReplaceDialog;
    QObject::connect(dialog, &ui::FindReplaceDialog::findReplace, &owner,
                     [&](ui::FindReplaceDialog* d) {
                         reports.push_back({d->FindNext(), d->ReplaceCurrent(), d->ReplaceAll(),
                                            d->IsTerminating(), d->GetFindString(),
                                            d->GetReplaceString()});
                     });
    ASSERT_TRUE(dialog->Create(false, "", "", ui::FindReplaceDialog::FR_HIDEUPDOWN |
                                                  ui::FindReplaceDialog::FR_HIDEMATCHCASE |
                                                  ui::FindReplaceDialog::FR_HIDEWHOLEWORD,
                               &owner));
    EXPECT_FALSE(dialog->Create(false, "", "", 0, &owner));  // one window per object
    EXPECT_EQ(dialog->windowTitle(), "Replace");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), &owner);
    // Nothing to find: the buttons are disabled and report nothing.
    EXPECT_FALSE(dialog->findNextButton()->isEnabled());
    dialog->findNextButton()->click();
    EXPECT_TRUE(reports.empty());

    dialog->findEdit()->setText("X");
    dialog->replaceEdit()->setText("YY");
    EXPECT_TRUE(dialog->findNextButton()->isEnabled());
    dialog->findNextButton()->click();
    dialog->replaceButton()->click();
    dialog->replaceAllButton()->click();
    dialog->cancelButton()->click();
    EXPECT_EQ(reports, (std::vector<Report>{{true, false, false, false, "X", "YY"},
                                            {false, true, false, false, "X", "YY"},
                                            {false, false, true, false, "X", "YY"},
                                            {false, false, false, true, "X", "YY"}}));
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST(FindReplaceDialogTest, TheFindFormHasNoReplaceControls)
{
    QWidget owner;
    auto* dialog = new ui::FindReplaceDialog;
    dialog->Create(true, "abc", "", ui::FindReplaceDialog::FR_DOWN, &owner);
    EXPECT_EQ(dialog->windowTitle(), "Find");
    EXPECT_EQ(dialog->GetFindString(), "abc");
    EXPECT_FALSE(dialog->replaceButton()->isVisible());
    EXPECT_FALSE(dialog->replaceEdit()->isVisible());
    EXPECT_TRUE(dialog->SearchDown());
}

}  // namespace
