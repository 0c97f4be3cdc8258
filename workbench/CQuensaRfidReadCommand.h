#pragma once

#include "ui/Dialog.h"

#include "ui_CQuensaRfidReadCommand.h"

// Builds the tag read ">RFR,": data type, start block, byte count and output type.
class CQuensaRfidReadCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CQuensaRfidReadCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bReopened = 0;
    int m_bInserted = 0;
    int m_nFormat = -1;
    int m_nStartIndex = -1;
    int m_nCountIndex = -1;
    int m_nOutputType = -1;

private:
    void OnInsertToLabel();

    Ui::CQuensaRfidReadCommand m_ui;
};
