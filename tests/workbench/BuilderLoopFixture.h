#pragma once

#include "WorkbenchFixture.h"

#include "tests/support/QtPrinters.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QComboBox>

// Builders run through the real tester: each scripted opening of a builder acts on it, and
// appended() gives what the tester's editor gained after its own starting line.
inline constexpr int IDC_CLOSE = ui::IDOK;
inline constexpr int IDC_INSERT = 1120;
inline constexpr int IDC_TEST_PRINT = 1121;
inline constexpr int IDC_CONVERT = 1000;

class BuilderLoopTest : public WorkbenchTest {
protected:
    void SetUp() override
    {
        WorkbenchTest::SetUp();
        tester.OnInitDialog();
        tester.m_editCommand->setPlainText("SIZE\n");
    }

    QString appended() const
    {
        const QString shown = text(tester, 1056);
        EXPECT_TRUE(shown.startsWith("SIZE\r\n"));
        EXPECT_EQ(tester.m_strCommand, shown);
        return shown.mid(6);
    }

    void TearDown() override
    {
        EXPECT_EQ(hooks.pendingScripts(), 0);
        WorkbenchTest::TearDown();
    }

    CQuensa_CmdTesterDlg tester;
};

// Picks a list item as the operator does, so the selection handler runs.
inline void choose(ui::Dialog& d, int id, int index)
{
    auto* combo = d.item<QComboBox>(id);
    ASSERT_NE(combo, nullptr) << id;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
