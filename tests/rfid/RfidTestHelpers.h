#pragma once

#include "ui/Dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace rfidtest {

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
