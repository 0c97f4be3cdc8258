#pragma once

// Acts on a dialog's controls as the operator does (a missing control fails the test), and
// reads back what it showed.

#include "ui/Dialog.h"
#include "ui/TestHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace ztest {

inline void click(ui::Dialog& dialog, int id)
{
    auto* button = dialog.item<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// Sets a check box or radio button by clicking it, so its handler runs.
inline void check(ui::Dialog& dialog, int id, bool on = true)
{
    auto* button = dialog.item<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    if (button->isChecked() != on)
        button->click();
}

// A key pressed and released on a widget, its shortcuts offered first as for a real key.
inline void key(QWidget* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier,
                const QString& chars = QString())
{
    QKeyEvent override(QEvent::ShortcutOverride, k, mods, chars);
    QApplication::sendEvent(target, &override);
    QKeyEvent press(QEvent::KeyPress, k, mods, chars);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k, mods, chars);
    QApplication::sendEvent(target, &release);
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

// Selects the entry with this text; no selection handler runs.
inline void choose(ui::Dialog& dialog, int id, const QString& entry)
{
    auto* list = dialog.item<QComboBox>(id);
    ASSERT_NE(list, nullptr) << id;
    const int index = list->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    list->setCurrentIndex(index);
}

// Picks the entry at `index` from the drop-down list, so the selection handler runs.
inline void choose(ui::Dialog& dialog, int id, int index)
{
    auto* list = dialog.item<QComboBox>(id);
    ASSERT_NE(list, nullptr) << id;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The texts of the message boxes shown so far, in order.
inline QStringList messageTexts(const ui::TestHooks& hooks)
{
    QStringList texts;
    for (const ui::RecordedMessage& m : hooks.messages())
        texts << m.text;
    return texts;
}

}  // namespace ztest
