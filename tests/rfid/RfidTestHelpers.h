#pragma once

#include "ui/Dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace rfidtest {

// Chooses the entry with this text, as the operator does from the drop-down list.
inline void select(ui::Dialog& d, int id, const QString& text)
{
    auto* combo = d.item<QComboBox>(id);
    ASSERT_NE(combo, nullptr) << id;
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
}

// Types as the operator does: one character at a time, within the edit's limit.
inline void typeKeys(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    for (QChar c : text) {
        if (edit->text().size() >= edit->maxLength())
            continue;
        edit->setText(edit->text() + c);
        emit edit->textEdited(edit->text());
    }
}

inline void typeKeys(ui::Dialog& d, int id, const QString& text)
{
    typeKeys(d.item<QLineEdit>(id), text);
}

}  // namespace rfidtest
