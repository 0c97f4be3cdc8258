#pragma once

#include "ui/Dialog.h"

#include "ui_CVectorTextCommand.h"

#include "workbench/TextCommands.h"

#include <QString>

// Builds the vector-font text command "V".
class CVectorTextCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CVectorTextCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // The command the fields describe.
    ostrel::VectorText command() const;

    int m_bInserted = 0;
    int m_bReopened = 0;
    float m_fX = 0.0f;
    int m_nBold = -1;
    int m_nDirection = -1;
    int m_nFont = -1;
    int m_nItalic = -1;
    int m_nJustify = -1;
    int m_nReverse = -1;
    int m_nRotation = -1;
    int m_nSpace = 0;
    float m_fY = 0.0f;
    int m_nHeight = 0;
    int m_nWidth = 0;
    QString m_strText;

private:
    void OnTestPrint();
    void OnInsertToLabel();
    void OnOpenConvertUnit();

    Ui::CVectorTextCommand m_ui;
};

