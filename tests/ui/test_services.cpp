#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "ui/TestHooks.h"
#include "ui/WaitCursor.h"

#include "platform/Services.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

TEST(FileDialogTest, FilterStringsBecomeQtFilters)
{
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"All files(*.*)|*.*|Text files(*.txt)|*.txt||",
         {"All files(*.*) (*)", "Text files(*.txt) (*.txt)"}},
        {"Pictures|*.bmp;*.pcx||", {"Pictures (*.bmp *.pcx)"}},
        {"ZPL files(*.zpl)|*.zpl", {"ZPL files(*.zpl) (*.zpl)"}},  // no closing "||"
        {"", {}},
        {"||", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::toQtFilters(c.filter), c.expected) << c.filter;
}

TEST(FileDialogTest, HooksRecordRequestsAndAnswerInOrder)
{
    ui::TestHooks hooks;
    hooks.answerFileDialog("/tmp/a.txt");
    hooks.cancelFileDialog();
    const QString filter = "All files(*.*)|*.*||";
    EXPECT_EQ(ui::GetOpenFileName(nullptr, QString(), filter), "/tmp/a.txt");
    EXPECT_EQ(ui::GetSaveFileName(nullptr, "Quensa.txt", filter, false), std::nullopt);
    EXPECT_EQ(ui::GetOpenFileName(nullptr, QString(), filter), std::nullopt);  // queue empty

    ASSERT_EQ(hooks.fileDialogs().size(), 3u);
    const ui::FileDialogRequest& save = hooks.fileDialogs()[1];
    EXPECT_FALSE(hooks.fileDialogs()[0].save);
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.defaultName, "Quensa.txt");
    EXPECT_EQ(save.filter, filter);
    EXPECT_FALSE(save.overwritePrompt);
}

TEST(StringTableTest, LooksUpNumberedStrings)
{
    EXPECT_EQ(ui::LoadString(276), "Set USB serial number is successful");
    EXPECT_EQ(ui::LoadString(999999), "");
    EXPECT_EQ(ui::LoadString(-1), "");
}

TEST(TestHooksTest, NestedHooksRecordAndRestoreTheMessageBoxes)
{
    ui::TestHooks outer;
    ui::MessageBox("outer");
    {
        ui::TestHooks inner;
        EXPECT_EQ(ui::TestHooks::active(), &inner);
        ui::MessageBox("inner", platform::AlertIcon::Information);
        ASSERT_EQ(inner.messages().size(), 1u);
        EXPECT_EQ(inner.messages()[0].icon, platform::AlertIcon::Information);
    }
    EXPECT_EQ(ui::TestHooks::active(), &outer);
    ui::MessageBox("outer again");
    ASSERT_EQ(outer.messages().size(), 2u);
    EXPECT_EQ(outer.messages()[0].text, "outer");
    EXPECT_EQ(outer.messages()[0].icon, platform::AlertIcon::Exclamation);
    EXPECT_EQ(outer.messages()[1].text, "outer again");
}

TEST(TestHooksTest, LeavingRestoresTheServiceInPlaceBefore)
{
    platform::Alerts* before = &platform::alerts();
    {
        ui::TestHooks hooks;
        EXPECT_NE(&platform::alerts(), before);
    }
    EXPECT_EQ(&platform::alerts(), before);
    EXPECT_EQ(ui::TestHooks::active(), nullptr);
}

TEST(WaitCursorTest, NestsAndRestores)
{
    EXPECT_EQ(ui::WaitCursor::depth(), 0);
    {
        ui::WaitCursor outer;
        {
            ui::WaitCursor inner;
            EXPECT_EQ(ui::WaitCursor::depth(), 2);
        }
        EXPECT_EQ(ui::WaitCursor::depth(), 1);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(ui::WaitCursor::depth(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
