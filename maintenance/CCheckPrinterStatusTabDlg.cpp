#include "maintenance/CCheckPrinterStatusTabDlg.h"

#include "maintenance/CCheckPrinterStatusTabCtrl.h"
#include "maintenance/CStatusCmdPage.h"
#include "maintenance/TabPageLayout.h"
#include "ui/DataExchange.h"
#include "ui/StringTable.h"

namespace {

constexpr int IDC_TAB = 1520;
constexpr int IDS_CP_TAB = 644;
constexpr int IDS_CU_TAB = 645;

}  // namespace

CCheckPrinterStatusTabDlg::CCheckPrinterStatusTabDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
}

CCheckPrinterStatusTabDlg::~CCheckPrinterStatusTabDlg() = default;

bool CCheckPrinterStatusTabDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_tabCtrl->CreatePages();
    m_tabCtrl->insertItem(0, ui::LoadString(IDS_CP_TAB));
    m_tabCtrl->insertItem(1, ui::LoadString(IDS_CU_TAB));
    m_tabCtrl->setCurrentItem(0);
    ReserveTabPageArea(*m_tabCtrl, {m_tabCtrl->m_pPage[0], m_tabCtrl->m_pPage[1],
                                    m_tabCtrl->m_pPage[2], m_tabCtrl->m_pPage[3]});
    m_tabCtrl->LayoutPages();
    return true;
}

void CCheckPrinterStatusTabDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_TAB, m_tabCtrl);
}
