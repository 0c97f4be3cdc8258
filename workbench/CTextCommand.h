#pragma once

#include "ui/Dialog.h"

#include "ui_CTextCommand.h"

#include "workbench/TextCommands.h"

#include <QString>

class QComboBox;

// Builds the bitmap-font text command "T"; "Find Font" opens the font finder.
class CTextCommand : public ui::Dialog {
    Q_OBJECT
public:
    explicit CTextCommand(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    // The command the fields describe, with the rotation index given.
    ostrel::BitmapText command(int rotation) const;

    int m_bInserted = 0;
    int m_nSavedRotation = 0;  // the rotation index "Insert to label" took
    int m_bReopened = 0;
    QComboBox* m_cbRotation = nullptr;
    QString m_strBold;
    QString m_strText;
    QString m_strFont;
    int m_nHMulti = 0;
    QString m_strReverse;
    int m_nSpace = 0;
    int m_nVMulti = 0;
    float m_fX = 0.0f;
    float m_fY = 0.0f;

private:
    void OnTestPrint();
    void OnInsertToLabel();
    void OnFindFont();
    void OnOpenConvertUnit();

    Ui::CTextCommand m_ui;
};
