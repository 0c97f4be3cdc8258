#pragma once

#include "ui/Dialog.h"

#include "ui_CCalibrationTabDialog.h"

class CCalibrationTabCtrl;

// The media-sensor calibration window: the sensing page over an invisible tab control,
// and the manual calibration page, created with it and never shown.
class CCalibrationTabDialog : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCalibrationTabDialog(QWidget* parent = nullptr);
    ~CCalibrationTabDialog() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    CCalibrationTabCtrl* m_tabCtrl = nullptr;

protected:
    // The pages lie over the hidden tab control's display area, wherever the window's
    // layout puts it.
    void resizeEvent(QResizeEvent* event) override;

private:
    Ui::CCalibrationTabDialog m_ui;
};
