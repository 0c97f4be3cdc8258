#include "workbench/CPrinterCopies.h"

#include "ui/DataExchange.h"

namespace {

constexpr int IDC_SECOND = 1170;
constexpr int IDC_FIRST = 1172;
constexpr int IDC_INSERT = 1120;
constexpr int kMaxCount = 100;

}  // namespace

CPrinterCopies::CPrinterCopies(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_INSERT, &CPrinterCopies::OnInsertToLabel);
}

bool CPrinterCopies::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinFirst->setRange(0, kMaxCount);
    m_ui.spinSecond->setRange(0, kMaxCount);
    // No values are kept from one opening to the next.
    m_bInserted = 0;
    m_nFirst = 1;
    m_nSecond = 1;
    UpdateData(false);
    return true;
}

void CPrinterCopies::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_SECOND, m_nSecond);
    ui::DDX_Text(dx, IDC_FIRST, m_nFirst);
}

void CPrinterCopies::OnInsertToLabel()
{
    UpdateData(true);
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
