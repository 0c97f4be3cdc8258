#pragma once

#include "WorkbenchFixture.h"

#include "tests/support/QtPrinters.h"
#include "workbench/CQuensa_CmdTesterDlg.h"

#include <QComboBox>
#include <functional>
#include <vector>

// Builders run through the real tester: each scripted opening of a builder acts on it, and
// appended() gives what the tester's editor gained after its own starting line.
inline constexpr int IDC_CLOSE = ui::IDOK;
inline constexpr int IDC_INSERT = 1120;
inline constexpr int IDC_TEST_PRINT = 1121;
inline constexpr int IDC_CONVERT = 1000;

// One field typed into before a "Test Print": how the command changes, or (no change) the
// prompt that the exchange shows while the held value is sent.
template <class Value>
struct TypedCase {
    int id;
    const char* typed;
    std::function<void(Value&)> change;
    const char* prompt;
};

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

    // Each case typed into its field of the open builder, then "Test Print": the bytes sent
    // are line(defaults changed by the case) with the print suffix, the prompts those named.
    // The field gets its text back, exchanged, before the next case.
    template <class Value, class Line>
    void expectTestPrints(ui::Dialog& d, const Value& defaults,
                          const std::vector<TypedCase<Value>>& cases, Line line)
    {
        for (const TypedCase<Value>& c : cases) {
            hooks.clearMessages();
            printer->written.clear();
            const QString before = text(d, c.id);
            type(d, c.id, c.typed);
            click(d, IDC_TEST_PRINT);
            Value expected = defaults;
            if (c.change)
                c.change(expected);
            EXPECT_EQ(QString::fromLatin1(printer->written), line(expected) + "\rP1\r")
                << c.id << " " << c.typed;
            EXPECT_EQ(messageTexts(), c.prompt ? QStringList{c.prompt} : QStringList{})
                << c.id << " " << c.typed;
            type(d, c.id, before);
            d.UpdateData(true);
        }
    }

    CQuensa_CmdTesterDlg tester;
};

inline QString comboText(const ui::Dialog& d, int id)
{
    return d.item<QComboBox>(id)->currentText();
}

inline QStringList comboItems(const ui::Dialog& d, int id)
{
    QStringList list;
    auto* box = d.item<QComboBox>(id);
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}
