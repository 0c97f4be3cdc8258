#include "workbench/CQuensaRfidPasswordCommand.h"

#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/RfidCommands.h"

#include <QLineEdit>

namespace {

constexpr int IDC_ACCESS = 1270;
constexpr int IDC_KILL = 1271;
constexpr int IDC_INSERT = 1120;

}  // namespace

CQuensaRfidPasswordCommand::CQuensaRfidPasswordCommand(QWidget* parent)
    : ui::Dialog(parent),
      m_strAccessPassword(QLatin1String(rfid::kDottedDefaultPassword)),
      m_strKillPassword(QLatin1String(rfid::kDottedDefaultPassword))
{
    m_ui.setupUi(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    onCommand(IDC_INSERT, &CQuensaRfidPasswordCommand::OnInsertToLabel);
    onEditChange(IDC_ACCESS, &CQuensaRfidPasswordCommand::OnAccessChange);
    onEditChange(IDC_KILL, &CQuensaRfidPasswordCommand::OnKillChange);
}

bool CQuensaRfidPasswordCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_bReopened) {
        m_strAccessPassword = QLatin1String(rfid::kDottedDefaultPassword);
        m_strKillPassword = QLatin1String(rfid::kDottedDefaultPassword);
        m_bInserted = 0;
    }
    UpdateData(false);
    return true;
}

void CQuensaRfidPasswordCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_KILL, m_editKill);
    ui::DDX_Control(dx, IDC_ACCESS, m_editAccess);
    ui::DDX_Text(dx, IDC_ACCESS, m_strAccessPassword);
    ui::DDX_Text(dx, IDC_KILL, m_strKillPassword);
}

// A dot follows each of the first three pairs as soon as the pair is complete.
void CQuensaRfidPasswordCommand::InsertDot(QLineEdit* edit, QString& text)
{
    UpdateData(true);
    const qsizetype length = text.size();
    if (length == 2 || length == 5 || length == 8) {
        text += u'.';
        edit->setText(text);
        edit->setFocus(Qt::OtherFocusReason);
    }
    UpdateData(false);
}

void CQuensaRfidPasswordCommand::OnAccessChange()
{
    InsertDot(item<QLineEdit>(IDC_ACCESS), m_strAccessPassword);
}

void CQuensaRfidPasswordCommand::OnKillChange()
{
    InsertDot(item<QLineEdit>(IDC_KILL), m_strKillPassword);
}

bool CQuensaRfidPasswordCommand::ValidatePasswords()
{
    const int refusal = rfid::PasswordRefusal(m_strAccessPassword, m_strKillPassword);
    if (refusal != 0)
        ui::MessageBox(ui::LoadString(refusal));
    return refusal == 0;
}

void CQuensaRfidPasswordCommand::OnInsertToLabel()
{
    UpdateData(true);
    if (!ValidatePasswords()) {
        UpdateData(false);
        return;
    }
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
