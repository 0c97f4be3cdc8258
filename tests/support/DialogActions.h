#pragma once

#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStringList>
#include <gtest/gtest.h>

// What a test does to a dialog as its user would: press a button, type into an edit, read
// a control, and the texts of the message boxes shown.
namespace ztest {

inline void click(ui::Dialog& dialog, int id)
{
    auto* button = dialog.item<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

inline void type(ui::Dialog& dialog, int id, const QString& text)
{
    auto* edit = dialog.item<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << id;
    edit->setText(text);
}

inline QString text(const ui::Dialog& dialog, int id)
{
    return dialog.GetDlgItemText(id);
}

inline QStringList messageTexts(const ui::TestHooks& hooks)
{
    QStringList texts;
    for (const ui::RecordedMessage& m : hooks.messages())
        texts << m.text;
    return texts;
}

}  // namespace ztest
