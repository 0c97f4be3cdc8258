#pragma once

#include "ui/Dialog.h"

#include "ui_CCalibrationExtra.h"

#include <QString>

// The fine-adjustment window, opened by the sensing page's analysis when the two peaks lie
// one to three bins apart: seven levels counted from the high peak, and a Save of its own.
class CCalibrationExtra : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCalibrationExtra(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;
    void OnOK() override;

    void LabelDetailLevels();
    void OnSelectDetailLevel();
    void OnSaveCalibration();

    int m_nResult = 0;  // -1 also marks that this opening's Save has sent
    int m_nHighCount = 0;
    int m_nLowBin = 0;
    int m_nHighBin = 0;
    int m_nLowCount = 0;
    int m_nSpan = 0;
    int m_nSensingType = 0;
    QString m_strLowLabel;
    QString m_strHighLabel;
    QString m_strLowCount;
    QString m_strHighCount;
    int m_nDetailLevel = -1;
    int m_nMiddleGapValue = 0;
    int m_nGapCount = 0;

private:
    int LevelValue(int level) const;

    Ui::CCalibrationExtra m_ui;
};
