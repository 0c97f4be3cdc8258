#include "maintenance/CCalibrationTabDialog.h"

#include "maintenance/CCalibrationTabCtrl.h"
#include "maintenance/TabPageLayout.h"
#include "ui/DataExchange.h"
#include "ui/StringTable.h"


namespace {

constexpr int IDC_TAB = 1063;
constexpr int IDS_CALIBRATION_TAB = 248;

}  // namespace

CCalibrationTabDialog::CCalibrationTabDialog(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    // The template's tab control is invisible but keeps its place for the pages.
    auto* tabs = item<CCalibrationTabCtrl>(IDC_TAB);
    QSizePolicy policy = tabs->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    tabs->setSizePolicy(policy);
    tabs->hide();
}

CCalibrationTabDialog::~CCalibrationTabDialog() = default;

bool CCalibrationTabDialog::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_tabCtrl->CreatePages();
    m_tabCtrl->insertItem(0, ui::LoadString(IDS_CALIBRATION_TAB));
    m_tabCtrl->setCurrentItem(0);
    // Room for the page the one tab shows; the manual page has no tab and is never shown.
    ReserveTabPageArea(*m_tabCtrl, {m_tabCtrl->m_pPage[m_tabCtrl->ShownPage()]});
    m_tabCtrl->LayoutPages();
    return true;
}

void CCalibrationTabDialog::resizeEvent(QResizeEvent* event)
{
    ui::Dialog::resizeEvent(event);
    if (m_tabCtrl && m_tabCtrl->m_pPage[1] && m_tabCtrl->m_pPage[1]->parentWidget() == this)
        m_tabCtrl->LayoutPages();
}

void CCalibrationTabDialog::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_TAB, m_tabCtrl);
}
