#pragma once

#include "ui/Dialog.h"

#include "ui_CQuensaRfidWriteCommand.h"

#include <QString>
#include <array>

// Builds the tag write ">RFW,": data type, start block, byte count and up to twelve byte
// cells, opened for typing by "Set Data".
class CQuensaRfidWriteCommand : public ui::Dialog {
    Q_OBJECT
public:
    static constexpr int kCells = 12;

    explicit CQuensaRfidWriteCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_nCellChars = 0;
    int m_bReopened = 0;
    int m_bInserted = 0;
    int m_nFormat = -1;
    int m_nStartIndex = -1;
    int m_nCountIndex = -1;
    std::array<QString, kCells> m_strCell;

private:
    void OnInsertToLabel();
    void OnSetData();
    void OnResetData();
    void OnCellChange(int cell);
    void SetCellLimit();
    void EnableCells(int first, int count);
    void EnableRangeControls(bool enable);

    Ui::CQuensaRfidWriteCommand m_ui;
};
