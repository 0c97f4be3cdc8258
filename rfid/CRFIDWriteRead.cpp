#include "rfid/CRFIDWriteRead.h"

#include "link/Comm.h"
#include "rfid/CRFIDRead.h"
#include "rfid/RfidMessages.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/RfidCommands.h"

#include <QLineEdit>

namespace {

constexpr int IDC_PASSWORD = 1152;
constexpr int IDC_SET_DATA = 1084;
constexpr int IDC_RESET_DATA = 1297;
constexpr int IDC_WRITE = 1268;
constexpr int IDC_POPUP_READ = 1429;
constexpr int IDC_FORMAT = 1266;
constexpr int IDC_COUNT = 1269;
constexpr int IDC_START = 1267;
constexpr int IDC_ACCESS = 1270;
constexpr int IDC_KILL = 1271;
constexpr int IDC_DATA = 1272;
constexpr int IDC_LOCK_COMMAND = 1293;
constexpr int IDC_UNLOCK = 1298;
constexpr int IDC_EPC_DATA = 1427;
constexpr int IDC_USER_DATA = 1228;

constexpr int kDefaultStartBlock = 4;
constexpr int kDefaultCountIndex = 10;  // 12 bytes

}  // namespace

CRFIDWriteRead::CRFIDWriteRead(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    // The template's cells start disabled.
    for (int i = 0; i < rfid::kGridCells; ++i)
        m_ui.grid->cell(i)->setEnabled(false);
    connect(m_ui.grid, &CRfidDataGrid::cellEdited, this, &CRFIDWriteRead::OnCellChange);
    onCommand(IDC_PASSWORD, &CRFIDWriteRead::OnSetPassword);
    onCommand(IDC_SET_DATA, &CRFIDWriteRead::OnSetData);
    onCommand(IDC_RESET_DATA, &CRFIDWriteRead::OnResetData);
    onCommand(IDC_DATA, &CRFIDWriteRead::OnDataCheck);
    onCommand(IDC_LOCK_COMMAND, &CRFIDWriteRead::OnLockCommandCheck);
    onCommand(IDC_UNLOCK, &CRFIDWriteRead::OnUnlockCheck);
    onCommand(IDC_EPC_DATA, &CRFIDWriteRead::OnEpcData);
    onCommand(IDC_USER_DATA, &CRFIDWriteRead::OnUserData);
    onCommand(IDC_WRITE, &CRFIDWriteRead::OnWriteTag);
    onCommand(IDC_POPUP_READ, &CRFIDWriteRead::OnPopupReadDialog);
}

bool CRFIDWriteRead::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_nStartBlock = kDefaultStartBlock;
    m_nByteCountIndex = kDefaultCountIndex;
    m_nFormat = 0;
    m_nDataKind = 0;
    m_strAccessPassword = QLatin1String(rfid::kDottedDefaultPassword);
    m_strKillPassword = QLatin1String(rfid::kDottedDefaultPassword);
    m_strCell.fill(QString());
    m_bData = m_bLockCommand = m_bUnlock = 0;
    m_bLockBox.fill(0);
    UpdateData(false);
    return true;
}

void CRFIDWriteRead::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_FORMAT, m_nFormat);
    ui::DDX_CBIndex(dx, IDC_COUNT, m_nByteCountIndex);
    ui::DDX_CBIndex(dx, IDC_START, m_nStartBlock);
    for (int i = 0; i < rfid::kGridCells; ++i)
        ui::DDX_Text(dx, m_ui.grid->cellId(i), m_strCell[i]);
    ui::DDX_Text(dx, IDC_ACCESS, m_strAccessPassword);
    ui::DDX_Text(dx, IDC_KILL, m_strKillPassword);
    ui::DDX_Check(dx, IDC_DATA, m_bData);
    ui::DDX_Check(dx, IDC_LOCK_COMMAND, m_bLockCommand);
    for (std::size_t i = 0; i < m_bLockBox.size(); ++i)
        ui::DDX_Check(dx, rfid::kLockBoxIds[i], m_bLockBox[i]);
    ui::DDX_Check(dx, IDC_UNLOCK, m_bUnlock);
    ui::DDX_Radio(dx, IDC_EPC_DATA, m_nDataKind);
}

void CRFIDWriteRead::EnableCells(int first, int count)
{
    for (int i = 0; i < rfid::kGridCells; ++i)
        m_ui.grid->cell(i)->setEnabled(i >= first && i < first + count);
}

void CRFIDWriteRead::EnableRangeControls(bool enable)
{
    for (int id : {IDC_SET_DATA, IDC_START, IDC_COUNT, IDC_FORMAT})
        EnableDlgItem(id, enable);
}

void CRFIDWriteRead::EnableWrite()
{
    EnableDlgItem(IDC_WRITE, IsDlgButtonChecked(IDC_DATA) || IsDlgButtonChecked(IDC_LOCK_COMMAND) ||
                                 IsDlgButtonChecked(IDC_UNLOCK));
}

void CRFIDWriteRead::OnDataCheck()
{
    EnableWrite();
}

void CRFIDWriteRead::OnLockCommandCheck()
{
    EnableWrite();
}

void CRFIDWriteRead::OnUnlockCheck()
{
    EnableWrite();
}

void CRFIDWriteRead::OnEpcData()
{
    EnableDlgItem(IDC_FORMAT, true);
}

void CRFIDWriteRead::OnUserData()
{
    EnableDlgItem(IDC_FORMAT, false);
}

void CRFIDWriteRead::OnSetData()
{
    UpdateData(true);
    const int count = m_nByteCountIndex + rfid::kFewestBytes;
    // Every byte of a range must have its cell; a range past the grid is refused.
    if (!rfid::RangeFitsGrid(m_nStartBlock, count)) {
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_INVALID_RANGE));
        return;
    }
    m_nCellChars = m_nFormat == 1 ? 1 : 2;
    for (int i = 0; i < rfid::kGridCells; ++i)
        m_ui.grid->cell(i)->setMaxLength(m_nCellChars);
    EnableCells(m_nStartBlock, count);
    m_strCell.fill(QString());
    EnableDlgItem(IDC_RESET_DATA, true);
    EnableRangeControls(false);
    UpdateData(false);
}

void CRFIDWriteRead::OnResetData()
{
    EnableDlgItem(IDC_RESET_DATA, false);
    EnableRangeControls(true);
    m_strCell.fill(QString());
    m_nStartBlock = kDefaultStartBlock;
    m_nByteCountIndex = kDefaultCountIndex;
    m_nFormat = 0;
    EnableCells(0, 0);
    UpdateData(false);
}

void CRFIDWriteRead::OnCellChange(int position)
{
    if (m_ui.grid->cell(position)->text().size() != m_nCellChars)
        return;
    QWidget* target = nullptr;
    if (position + 1 < rfid::kGridCells) {
        QLineEdit* next = m_ui.grid->cell(position + 1);
        target = next->isEnabled() ? static_cast<QWidget*>(next) : GetDlgItem(IDC_WRITE);
    } else {
        target = GetDlgItem(IDC_SET_DATA);
    }
    // A disabled target cannot take the keys: they go to the next control in the tab order
    // that can.
    const auto takesKeys = [this](QWidget* w) {
        return isAncestorOf(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
               w->isVisibleTo(this);
    };
    for (QWidget* first = target; !takesKeys(target);) {
        target = target->nextInFocusChain();
        if (target == first)
            return;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void CRFIDWriteRead::OnWriteTag()
{
    UpdateData(true);
    int r = 0;
    // A step that failed is not covered by the success of the print that follows it.
    bool failed = false;
    if (m_bUnlock) {
        const QString command = rfid::UnlockCommand();
        r = g_comm.WriteString(command, static_cast<int>(command.size()));
        if (r == 0) {
            failed = true;
            ui::MessageBox(ui::LoadString(rfid::IDS_RFID_UNLOCK_FAILED));
        }
    }
    if (m_bData) {
        const QString command = rfid::WriteDataCommand(
            m_nDataKind, m_nFormat, m_nStartBlock, m_nByteCountIndex + rfid::kFewestBytes,
            QStringList(m_strCell.begin(), m_strCell.end()));
        r = g_comm.WriteString(command, static_cast<int>(command.size()));
        EnableRangeControls(true);
        if (r == 0) {
            failed = true;
            EnableCells(0, 0);
            UpdateData(false);
            ui::MessageBox(ui::LoadString(rfid::IDS_RFID_DATA_FAILED));
        }
    }
    if (m_bLockCommand) {
        const QString command = rfid::LockCommand(rfid::LockPayload(m_bLockBox));
        r = g_comm.WriteString(command, static_cast<int>(command.size()));
        if (r == 0) {
            failed = true;
            ui::MessageBox(ui::LoadString(rfid::IDS_RFID_LOCK_FAILED));
        }
    }
    const QByteArray print = rfid::PrintOneLabel();
    r = g_comm.Write(print);
    if (r != 0 && !failed)
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_WRITE_SUCCESS), platform::AlertIcon::Information);
}

void CRFIDWriteRead::OnSetPassword()
{
    UpdateData(true);
    if (const int refusal = rfid::PasswordRefusal(m_strAccessPassword, m_strKillPassword)) {
        ui::MessageBox(ui::LoadString(refusal));
        return;
    }
    const QString command = rfid::PasswordCommand(m_strAccessPassword, m_strKillPassword);
    rfid::ShowOutcome(g_comm.WriteString(command, static_cast<int>(command.size())) != 0,
               rfid::IDS_RFID_SET_SUCCESS, rfid::IDS_RFID_SET_FAILED);
}

void CRFIDWriteRead::OnPopupReadDialog()
{
    CRFIDRead read(this);
    read.DoModal();
}
