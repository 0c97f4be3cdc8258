#pragma once

#include "ui/Dialog.h"

#include "ui_CPrintingSetting.h"

#include <QString>

// Builds the print speed, density and direction commands, and prints a label listing them.
class CPrintingSetting : public ui::Dialog {
    Q_OBJECT
public:
    explicit CPrintingSetting(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    int m_bInserted = 0;
    int m_bReopened = 0;
    int m_nSpeed = -1;      // 0-4: 2.5, 3.0, 4.0, 5.0, 6.0 ips
    int m_nDirection = -1;  // 0 top, 1 bottom
    int m_bApplyDensity = 0;
    int m_bApplyDirection = 0;
    int m_bApplySpeed = 0;
    int m_nDensityPos = 0;  // the density is 20 minus the position
    QString m_strDensity;

private:
    void OnInsertToLabel();
    void OnTestPrint();
    void OnVScroll();

    Ui::CPrintingSetting m_ui;
};
