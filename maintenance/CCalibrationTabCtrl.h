#pragma once

#include "ui/TabStrip.h"

namespace ui {
class Dialog;
}

// The calibration window's tab control: page 0 the manual calibration page, page 1 the
// sensing page. Its one tab item shows page 1.
class CCalibrationTabCtrl : public ui::TabStrip {
    Q_OBJECT
public:
    explicit CCalibrationTabCtrl(QWidget* parent = nullptr);
    ~CCalibrationTabCtrl() override;

    // Creates both page windows as children of the calibration window.
    void CreatePages();
    void LayoutPages();
    void OnSelChange();
    // The page the selected tab item shows: item 0 page 1, item 1 page 0.
    int ShownPage() const;

    int m_nPageCount = 2;
    int m_nPageTemplate[2] = {178, 190};
    ui::Dialog* m_pPage[2] = {};
};
