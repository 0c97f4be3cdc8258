#pragma once

#include "maintenance/CalibrationCommands.h"
#include "ui/Dialog.h"

#include "ui_CCalibration_2.h"

#include <QString>

// The calibration window's sensing page: asks the printer for its sensing distribution,
// marks the two populations and proposes the threshold between them, and saves it.
class CCalibration_2 : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCalibration_2(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void OnCheckSensingValue();
    void FindSensingThreshold();
    void OnSaveCalibration();
    void OnCancelCalibration();
    void OnSelectLevel();

    bool m_bMarked[calibration::kBinCount] = {};
    int m_nCounts[calibration::kBinCount] = {};
    int m_nLabelLength = 150;
    int m_nSelectedBin = -1;
    int m_nSensingType = 0;
    int m_nMiddleGapValue = 0;
    int m_nGapCountIndex = -1;
    QString m_strCounts[calibration::kBinCount];

private:
    // The marked bins' count texts in the marked colours, the others in grey.
    void OnCtlColor();
    void Repaint();
    void ClearMarks();
    void ResetCountTexts();
    // Back to no sensing shown: no bin chosen or marked, every count zero, no radio enabled.
    void ClearSensing();
    void EnableBinRadios(const calibration::Analysis* analysis);
    void EnableSaveControls(bool enable);
    QChar Prefix() const;
    // The label length from its edit, for a check alone; false when it is beyond the bound
    // (prompted, nothing to send). A text that is no number keeps the length held.
    bool TakeLabelLength();
    void ShowLabelLength();

    Ui::CCalibration_2 m_ui;
};
