#include "maintenance/CCalibrationTabCtrl.h"

#include "maintenance/CCalibration_2.h"
#include "maintenance/CManualCalibration.h"
#include "maintenance/TabPageLayout.h"

CCalibrationTabCtrl::CCalibrationTabCtrl(QWidget* parent) : ui::TabStrip(parent)
{
    m_pPage[0] = new CManualCalibration;
    m_pPage[1] = new CCalibration_2;
    connect(this, &ui::TabStrip::selectionChanged, this, &CCalibrationTabCtrl::OnSelChange);
}

CCalibrationTabCtrl::~CCalibrationTabCtrl()
{
    for (int i = m_nPageCount - 1; i >= 0; --i) {
        delete m_pPage[i];
        m_pPage[i] = nullptr;
    }
}

void CCalibrationTabCtrl::CreatePages()
{
    for (int i = 0; i < m_nPageCount; ++i)
        m_pPage[i]->Create(parentWidget());
}

int CCalibrationTabCtrl::ShownPage() const
{
    switch (currentItem()) {
    case 0:
        return 1;
    case 1:
        return 0;
    default:
        return -1;
    }
}

void CCalibrationTabCtrl::LayoutPages()
{
    LayoutTabPages(*this, {m_pPage[0], m_pPage[1]}, ShownPage());
}

void CCalibrationTabCtrl::OnSelChange()
{
    LayoutPages();
}
