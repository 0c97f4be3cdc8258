#include "workbench/CQuensaRfidSecurityCommand.h"

#include "ui/DataExchange.h"
#include "workbench/RfidCommands.h"

namespace {

constexpr int IDC_AUTO_LOCK = 1228;
constexpr int IDC_AUTO_UNLOCK = 1229;
constexpr int IDC_UNLOCK = 1298;
constexpr int IDC_PAYLOAD_MODE = 1315;
constexpr int IDC_AUTO_MODE = 1317;
constexpr int IDC_INSERT = 1120;

}  // namespace

CQuensaRfidSecurityCommand::CQuensaRfidSecurityCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    onCommand(IDC_INSERT, &CQuensaRfidSecurityCommand::OnInsertToLabel);
    onCommand(IDC_PAYLOAD_MODE, &CQuensaRfidSecurityCommand::OnPayloadMode);
    onCommand(IDC_AUTO_MODE, &CQuensaRfidSecurityCommand::OnAutoMode);
    onCommand(IDC_AUTO_LOCK, &CQuensaRfidSecurityCommand::OnAutoLock);
    onCommand(IDC_AUTO_UNLOCK, &CQuensaRfidSecurityCommand::OnAutoUnlock);
    onCommand(IDC_UNLOCK, &CQuensaRfidSecurityCommand::OnUnlockCheck);
}

bool CQuensaRfidSecurityCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_bReopened) {
        m_nMode = 0;
        EnableDlgItem(IDC_AUTO_LOCK, false);
        EnableDlgItem(IDC_AUTO_UNLOCK, false);
        m_bInserted = 0;
    } else if (m_nMode != 0) {
        OnAutoMode();
    } else {
        OnPayloadMode();
    }
    UpdateData(false);
    return true;
}

void CQuensaRfidSecurityCommand::DoDataExchange(ui::DataExchange& dx)
{
    for (std::size_t i = 0; i < m_bLockBox.size(); ++i)
        ui::DDX_Check(dx, rfid::kLockBoxIds[i], m_bLockBox[i]);
    ui::DDX_Check(dx, IDC_UNLOCK, m_bUnlock);
    ui::DDX_Radio(dx, IDC_PAYLOAD_MODE, m_nMode);
    ui::DDX_Radio(dx, IDC_AUTO_LOCK, m_nAutoAction);
}

void CQuensaRfidSecurityCommand::EnablePayload(bool enable)
{
    EnableDlgItem(IDC_UNLOCK, enable);
    for (int id : rfid::kLockBoxIds)
        EnableDlgItem(id, enable);
    EnableDlgItem(IDC_AUTO_LOCK, !enable);
    EnableDlgItem(IDC_AUTO_UNLOCK, !enable);
}

void CQuensaRfidSecurityCommand::OnPayloadMode()
{
    m_nMode = 0;
    m_nAutoAction = -1;
    EnablePayload(true);
    UpdateData(false);
}

void CQuensaRfidSecurityCommand::OnAutoMode()
{
    m_nMode = 1;
    m_nAutoAction = 0;
    EnablePayload(false);
    UpdateData(false);
}

void CQuensaRfidSecurityCommand::OnAutoLock()
{
    UpdateData(true);
    m_nAutoAction = 0;
    UpdateData(false);
}

void CQuensaRfidSecurityCommand::OnAutoUnlock()
{
    UpdateData(true);
    m_nAutoAction = 1;
    UpdateData(false);
}

void CQuensaRfidSecurityCommand::OnUnlockCheck()
{
    UpdateData(true);
}

void CQuensaRfidSecurityCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
