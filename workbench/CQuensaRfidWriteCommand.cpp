#include "workbench/CQuensaRfidWriteCommand.h"

#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/RfidCommands.h"

#include <QLineEdit>

namespace {

constexpr int IDC_FORMAT = 1266;
constexpr int IDC_START = 1267;
constexpr int IDC_COUNT = 1269;
constexpr int IDC_FIRST_CELL = 1249;
constexpr int IDC_SET_DATA = 1084;
constexpr int IDC_RESET_DATA = 1297;
constexpr int IDC_INSERT = 1120;

constexpr int kDefaultStartIndex = 0;   // block 4
constexpr int kDefaultCountIndex = 11;  // 12 bytes

}  // namespace

CQuensaRfidWriteCommand::CQuensaRfidWriteCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    onCommand(IDC_INSERT, &CQuensaRfidWriteCommand::OnInsertToLabel);
    onCommand(IDC_SET_DATA, &CQuensaRfidWriteCommand::OnSetData);
    onCommand(IDC_RESET_DATA, &CQuensaRfidWriteCommand::OnResetData);
    for (int i = 0; i < kCells; ++i) {
        connect(item<QLineEdit>(IDC_FIRST_CELL + i), &QLineEdit::textEdited, this,
                [this, i] { OnCellChange(i); });
    }
}

bool CQuensaRfidWriteCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_bReopened) {
        m_nFormat = 0;
        m_nStartIndex = kDefaultStartIndex;
        m_nCountIndex = kDefaultCountIndex;
        m_bInserted = 0;
    } else {
        m_nCellChars = m_nFormat == 1 ? 1 : 2;
        SetCellLimit();
        EnableCells(m_nStartIndex, m_nCountIndex + 1);
        EnableDlgItem(IDC_RESET_DATA, true);
        EnableRangeControls(false);
    }
    UpdateData(false);
    return true;
}

void CQuensaRfidWriteCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_FORMAT, m_nFormat);
    ui::DDX_CBIndex(dx, IDC_START, m_nStartIndex);
    ui::DDX_CBIndex(dx, IDC_COUNT, m_nCountIndex);
    for (int i = 0; i < kCells; ++i)
        ui::DDX_Text(dx, IDC_FIRST_CELL + i, m_strCell[i]);
}

void CQuensaRfidWriteCommand::SetCellLimit()
{
    for (int i = 0; i < kCells; ++i)
        item<QLineEdit>(IDC_FIRST_CELL + i)->setMaxLength(m_nCellChars);
}

// Disables every cell, then enables `count` cells from position `first`; positions past
// the twelfth have no cell.
void CQuensaRfidWriteCommand::EnableCells(int first, int count)
{
    for (int i = 0; i < kCells; ++i)
        EnableDlgItem(IDC_FIRST_CELL + i, i >= first && i < first + count);
}

void CQuensaRfidWriteCommand::EnableRangeControls(bool enable)
{
    EnableDlgItem(IDC_SET_DATA, enable);
    for (int id : {IDC_FORMAT, IDC_START, IDC_COUNT})
        EnableDlgItem(id, enable);
}

void CQuensaRfidWriteCommand::OnSetData()
{
    UpdateData(true);
    if (m_nStartIndex + m_nCountIndex + 1 > kCells) {
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_INVALID_RANGE));
        return;
    }
    m_nCellChars = m_nFormat == 1 ? 1 : 2;
    SetCellLimit();
    EnableCells(m_nStartIndex, m_nCountIndex + 1);
    m_strCell.fill(QString());
    EnableDlgItem(IDC_RESET_DATA, true);
    EnableRangeControls(false);
    UpdateData(false);
}

void CQuensaRfidWriteCommand::OnResetData()
{
    EnableDlgItem(IDC_RESET_DATA, false);
    EnableRangeControls(true);
    m_strCell.fill(QString());
    m_nFormat = 0;
    m_nStartIndex = kDefaultStartIndex;
    m_nCountIndex = kDefaultCountIndex;
    EnableCells(0, 0);
    UpdateData(false);
}

void CQuensaRfidWriteCommand::OnCellChange(int cell)
{
    UpdateData(true);
    UpdateData(false);
    if (m_strCell[cell].size() != m_nCellChars || cell + 1 >= kCells)
        return;
    QWidget* next = GetDlgItem(IDC_FIRST_CELL + cell + 1);
    if (next->isEnabled())
        next->setFocus(Qt::OtherFocusReason);
}

void CQuensaRfidWriteCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
