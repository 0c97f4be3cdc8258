#include "maintenance/CSerialSetting.h"

#include "link/Comm.h"
#include "maintenance/MemorySwitch.h"
#include "maintenance/MenuZeroStringIds.h"
#include "maintenance/SerialSwitch.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

namespace {

constexpr int IDC_GET = 1002;
constexpr int IDC_SET = 1003;
constexpr int IDC_DEFAULT = 1152;
constexpr int IDC_HANDSHAKE = 1013;
constexpr int IDC_STOP_BIT = 1014;
constexpr int IDC_DATA_LENGTH = 1015;
constexpr int IDC_PARITY_SELECTION = 1016;
constexpr int IDC_PARITY_CHECK = 1017;
constexpr int IDC_BAUD = 1019;
constexpr int kSwitch = 2;

void say(int id, platform::AlertIcon icon = platform::AlertIcon::Exclamation)
{
    ui::MessageBox(ui::LoadString(id), icon);
}

}  // namespace

CSerialSetting::CSerialSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_GET, &CSerialSetting::OnGetSerial);
    onCommand(IDC_SET, &CSerialSetting::OnSetSerial);
    onCommand(IDC_DEFAULT, &CSerialSetting::OnDefaultSerial);
}

void CSerialSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_DATA_LENGTH, m_nDataLength);
    ui::DDX_CBIndex(dx, IDC_HANDSHAKE, m_nHandshake);
    ui::DDX_CBIndex(dx, IDC_PARITY_CHECK, m_nParityCheck);
    ui::DDX_CBIndex(dx, IDC_PARITY_SELECTION, m_nParitySelection);
    ui::DDX_CBIndex(dx, IDC_STOP_BIT, m_nStopBit);
    ui::DDX_CBIndex(dx, IDC_BAUD, m_nBaudChoice);
}

void CSerialSetting::OnGetSerial()
{
    m_nDataLength = m_nHandshake = m_nParityCheck = m_nParitySelection = m_nStopBit =
        m_nBaudChoice = -1;
    UpdateData(false);

    const QByteArray read =
        memswitch::Read(kSwitch, g_comm.m_nPortType, memswitch::kMenuModeZeroPrefix);
    g_comm.Write(read);
    platform::clock().sleep(10);
    char reply = 0;
    if (g_comm.Read(&reply, 1) <= 0) {
        say(IDS_GET_SERIAL_FAILED);
        return;
    }
    if (!GetDlgItem(IDC_SET)->isEnabled())
        enableFields();

    const SerialSwitchFields f = DecodeSerialSwitch(static_cast<std::uint8_t>(reply));
    m_nHandshake = f.handshake;
    m_nStopBit = f.stopBit;
    m_nDataLength = f.dataLength;
    m_nParityCheck = f.parityCheck;
    m_nParitySelection = f.paritySelection;
    m_nBaudChoice = f.baudChoice;
    UpdateData(false);
    say(IDS_GET_SERIAL_SUCCESS, platform::AlertIcon::Information);
}

void CSerialSetting::OnSetSerial()
{
    if (!WriteSerialSwitch()) {
        say(IDS_SET_SERIAL_FAILED);
        return;
    }
    say(IDS_SET_SERIAL_SUCCESS, platform::AlertIcon::Information);
    say(IDS_TURN_PRINTER_OFF_AND_ON, platform::AlertIcon::Information);
    say(IDS_RECONNECT_PRINTER, platform::AlertIcon::Information);
}

void CSerialSetting::OnDefaultSerial()
{
    m_nDataLength = m_nHandshake = m_nParityCheck = m_nParitySelection = m_nStopBit = 0;
    UpdateData(false);
}

bool CSerialSetting::WriteSerialSwitch()
{
    UpdateData(true);
    SerialSwitchFields f;
    f.handshake = m_nHandshake;
    f.stopBit = m_nStopBit;
    f.dataLength = m_nDataLength;
    f.parityCheck = m_nParityCheck;
    f.paritySelection = m_nParitySelection;
    f.baudChoice = m_nBaudChoice;
    const QByteArray write = memswitch::Write(kSwitch, EncodeSerialSwitch(f),
                                              memswitch::kMenuModeZeroPrefix);
    g_comm.Write(write);
    const QByteArray commit = memswitch::Commit(kSwitch, memswitch::kMenuModeZeroPrefix);
    return g_comm.Write(commit) > 0;
}

void CSerialSetting::enableFields()
{
    for (int id : {IDC_HANDSHAKE, IDC_STOP_BIT, IDC_DATA_LENGTH, IDC_PARITY_CHECK,
                   IDC_PARITY_SELECTION, IDC_BAUD, IDC_SET, IDC_DEFAULT})
        EnableDlgItem(id, true);
}
