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
