#include "maintenance/CCheckPrinterStatusTabCtrl.h"

#include "maintenance/CCpStatusCmdDlg.h"
#include "maintenance/CCpsStatusCmdDlg.h"
#include "maintenance/CCuStatusCmdDlg.h"
#include "maintenance/CEeStatusCmdDlg.h"
#include "maintenance/TabPageLayout.h"

CCheckPrinterStatusTabCtrl::CCheckPrinterStatusTabCtrl(QWidget* parent) : ui::TabStrip(parent)
{
    m_pPage[0] = new CCpStatusCmdDlg;
    m_pPage[1] = new CCuStatusCmdDlg;
    m_pPage[2] = new CEeStatusCmdDlg;
    m_pPage[3] = new CCpsStatusCmdDlg;
    connect(this, &ui::TabStrip::selectionChanged, this, &CCheckPrinterStatusTabCtrl::OnSelChange);
}

CCheckPrinterStatusTabCtrl::~CCheckPrinterStatusTabCtrl()
{
    for (CStatusCmdPage*& page : m_pPage) {
        delete page;
        page = nullptr;
    }
}

void CCheckPrinterStatusTabCtrl::CreatePages()
{
    for (CStatusCmdPage* page : m_pPage)
        page->Create(parentWidget());
}

void CCheckPrinterStatusTabCtrl::LayoutPages()
{
    LayoutTabPages(*this, {m_pPage[0], m_pPage[1], m_pPage[2], m_pPage[3]}, currentItem());
}

void CCheckPrinterStatusTabCtrl::OnSelChange()
{
    LayoutPages();
}
