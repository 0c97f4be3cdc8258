#include "rfid/CRFIDRead.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"
#include "workbench/RfidCommands.h"

namespace {

constexpr int IDC_EPC_DATA = 1229;
constexpr int IDC_USER_DATA = 1428;
constexpr int IDC_LABEL_TAG = 1430;
constexpr int IDC_COUNT = 1262;
constexpr int IDC_START = 1263;
constexpr int IDC_FORMAT = 1265;
constexpr int IDC_READ = 1264;
constexpr int IDC_PRINT = 1082;

}  // namespace

CRFIDRead::CRFIDRead(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_READ, &CRFIDRead::OnReadTag);
    onCommand(IDC_PRINT, &CRFIDRead::OnPrintTag);
    onCommand(IDC_EPC_DATA, &CRFIDRead::OnEpcData);
    onCommand(IDC_USER_DATA, &CRFIDRead::OnUserData);
}

bool CRFIDRead::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_nStartBlock = 4;
    m_nByteCountIndex = 10;  // 12 bytes
    m_nFormat = 0;
    m_nDataKind = 0;
    m_nTagKind = 0;
    m_strCell.fill(QString());
    EnableDlgItem(IDC_FORMAT, true);
    UpdateData(false);
    return true;
}

void CRFIDRead::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_START, m_nStartBlock);
    ui::DDX_CBIndex(dx, IDC_COUNT, m_nByteCountIndex);
    ui::DDX_CBIndex(dx, IDC_FORMAT, m_nFormat);
    ui::DDX_Radio(dx, IDC_EPC_DATA, m_nDataKind);
    ui::DDX_Radio(dx, IDC_LABEL_TAG, m_nTagKind);
    for (int i = 0; i < rfid::kGridCells; ++i)
        ui::DDX_Text(dx, m_ui.grid->cellId(i), m_strCell[i]);
}

void CRFIDRead::OnEpcData()
{
    EnableDlgItem(IDC_FORMAT, true);
}

void CRFIDRead::OnUserData()
{
    EnableDlgItem(IDC_FORMAT, false);
}

void CRFIDRead::OnReadTag()
{
    UpdateData(true);
    const int start = m_nStartBlock;
    const int count = m_nByteCountIndex + rfid::kFewestBytes;
    // Every byte of a range must have its cell; a range past the grid is refused.
    if (!rfid::RangeFitsGrid(start, count)) {
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_INVALID_RANGE));
        return;
    }
    const QString command = rfid::ReadTagCommand(m_nDataKind, m_nTagKind, m_nFormat, start, count);
    g_comm.WriteString(command, static_cast<int>(command.size()));
    platform::clock().sleep(kReplyWaitMs);

    const int length = rfid::ReplyLength(m_nFormat, count);
    char buffer[kReplyBufferBytes] = {};
    int received = 0;
    if (g_comm.m_nPortType == PORT_USB) {
        // The printer hands a USB reply over in 16-byte pieces.
        const int pieces = length / kUsbPieceBytes;
        for (int i = 0; i < pieces; ++i) {
            received = g_comm.Read(buffer + i * kUsbPieceBytes, kUsbPieceBytes);
            platform::clock().sleep(kUsbPiecePauseMs);
        }
        if (length % kUsbPieceBytes != 0)
            received = g_comm.Read(buffer + pieces * kUsbPieceBytes, kUsbPieceBytes);
    } else {
        received = g_comm.Read(buffer, length);
    }
    if (received <= 0) {
        ui::MessageBox(ui::LoadString(rfid::IDS_RFID_READ_FAILED));
        return;
    }
    const QStringList cells = rfid::GridCellsFromReply(QByteArray(buffer, kReplyBufferBytes),
                                                       length, start, m_nFormat);
    for (int i = 0; i < rfid::kGridCells; ++i)
        m_strCell[i] = cells[i];
    UpdateData(false);
    ui::MessageBox(ui::LoadString(rfid::IDS_RFID_READ_SUCCESS), platform::AlertIcon::Information);
}

void CRFIDRead::OnPrintTag()
{
    UpdateData(true);
    const QString command = rfid::PrintTagCommand(m_nFormat, m_nStartBlock,
                                                  m_nByteCountIndex + rfid::kFewestBytes);
    g_comm.WriteString(command, static_cast<int>(command.size()));
}
