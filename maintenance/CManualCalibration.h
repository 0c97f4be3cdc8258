#pragma once

#include "ui/Dialog.h"

#include "ui_CManualCalibration.h"

#include <QString>

class QComboBox;

// The manual calibration page: media type, label length, detections and detect margin,
// with eight presets; sends the manual calibration or cancels one.
class CManualCalibration : public ui::Dialog {
    Q_OBJECT
public:
    explicit CManualCalibration(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    void OnExecuteCalibration();
    void OnCancelCalibration();
    void OnSettingPreset(int preset);

    QComboBox* m_cbDetectMargin = nullptr;
    QComboBox* m_cbDetectCount = nullptr;
    QString m_strLabelLength;
    int m_nMediaType = -1;

private:
    Ui::CManualCalibration m_ui;
};
