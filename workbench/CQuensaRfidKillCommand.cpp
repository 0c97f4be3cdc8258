#include "workbench/CQuensaRfidKillCommand.h"

namespace {

constexpr int IDC_INSERT = 1120;

}  // namespace

CQuensaRfidKillCommand::CQuensaRfidKillCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_INSERT, &CQuensaRfidKillCommand::OnInsertToLabel);
}

void CQuensaRfidKillCommand::OnInsertToLabel()
{
    m_bReopened = 1;
    m_bInserted = 1;
    EndDialog(ui::IDCANCEL);
}
