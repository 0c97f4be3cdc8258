#pragma once

#include "ui/Dialog.h"

#include "ui_CBlockDrawCommand.h"

class QComboBox;

// Builds the line-and-box command "BD": start and end point, type letter and, for "S"
// and "B", one more number.
class CBlockDrawCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CBlockDrawCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bInserted = 0;
    int m_nSavedType = 0;  // the type index "Insert to label" took
    int m_bReopened = 0;
    QComboBox* m_cbType = nullptr;
    float m_fEndY = 0.0f;
    float m_fEndX = 0.0f;
    int m_nOption = 0;
    float m_fStartX = 0.0f;
    float m_fStartY = 0.0f;

private:
    void OnTypeChange();
    void OnTestPrint();
    void OnInsertToLabel();
    void OnOpenConvertUnit();
    void EnableOption(int typeIndex);

    Ui::CBlockDrawCommand m_ui;
};
