#pragma once

#include "ui/Dialog.h"

#include "ui_CQuensaRfidKillCommand.h"

// Builds the tag kill ">RFKL"; it has no fields.
class CQuensaRfidKillCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CQuensaRfidKillCommand(QWidget* parent = nullptr);

    int m_bReopened = 0;
    int m_bInserted = 0;

private:
    void OnInsertToLabel();

    Ui::CQuensaRfidKillCommand m_ui;
};
