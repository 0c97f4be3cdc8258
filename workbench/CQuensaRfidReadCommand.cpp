#include "workbench/CQuensaRfidReadCommand.h"

#include "ui/DataExchange.h"

namespace {

constexpr int IDC_COUNT = 1262;
constexpr int IDC_START = 1263;
constexpr int IDC_FORMAT = 1265;
constexpr int IDC_OUTPUT = 1266;
constexpr int IDC_INSERT = 1120;

}  // namespace

CQuensaRfidReadCommand::CQuensaRfidReadCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    onCommand(IDC_INSERT, &CQuensaRfidReadCommand::OnInsertToLabel);
}

bool CQuensaRfidReadCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_bReopened) {
        m_nFormat = 0;       // H
        m_nStartIndex = 0;   // 4
        m_nCountIndex = 11;  // 12
        m_nOutputType = 0;   // S
        m_bInserted = 0;
    }
    UpdateData(false);
    return true;
}

void CQuensaRfidReadCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_COUNT, m_nCountIndex);
    ui::DDX_CBIndex(dx, IDC_START, m_nStartIndex);
    ui::DDX_CBIndex(dx, IDC_FORMAT, m_nFormat);
    ui::DDX_CBIndex(dx, IDC_OUTPUT, m_nOutputType);
}

void CQuensaRfidReadCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
