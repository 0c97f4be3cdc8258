#include "maintenance/CPrinterPageSetting.h"

#include "link/Comm.h"
#include "maintenance/MemorySwitch.h"
#include "maintenance/MenuZeroStringIds.h"
#include "maintenance/PrinterPageCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/ResourceText.h"
#include "ui/StringTable.h"
#include "ui/UpDownCtrl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <array>

namespace {

constexpr int IDC_DENSITY_SPIN = 1205;
constexpr int IDC_HORZ_MARGIN = 1210;
constexpr int IDC_PAPER_LENGTH = 1207;
constexpr int IDC_VERT_MARGIN = 1213;
constexpr int IDC_PAPER_WIDTH = 1225;
constexpr int IDC_DENSITY = 1201;
constexpr int IDC_STROBE_2 = 1227;
constexpr int IDC_STROBE_3 = 1228;
constexpr int IDC_STROBE_4 = 1229;
constexpr int IDC_GAP_LENGTH = 1208;
constexpr int IDC_GAP_DETECT = 1267;
constexpr int IDC_SPEED = 1317;
constexpr int IDC_CHECK_DISABLE = 1432;
constexpr int IDC_PRINT_OFFSET = 1226;
constexpr int IDC_OFFSET_NEGATIVE = 1434;
constexpr int IDC_TEAR_OFF_NEGATIVE = 1435;
constexpr int IDC_TEAR_OFF = 1230;

constexpr int IDC_SET_STROBE = 1162, IDC_GET_STROBE = 1163;
constexpr int IDC_SET_GAP_DETECT = 1166, IDC_GET_GAP_DETECT = 1167;
constexpr int IDC_SET_SPEED = 1168, IDC_GET_SPEED = 1169;
constexpr int IDC_SET_CHECK_LENGTH = 1170;
constexpr int IDC_SET_OFFSET = 1171, IDC_GET_OFFSET = 1172;
constexpr int IDC_SET_TEAR_OFF = 1173, IDC_GET_TEAR_OFF = 1174;
constexpr int IDC_INITIALIZE = 1244;

constexpr int IDS_GAP_DETECT_POSITIONS = 250;
constexpr int kSpeedSwitch = 3;
constexpr int kStrobeSwitch = 4;  // also the gap detect position

// The numeric rows: the "^MBU" number, the query, the controls and the messages.
struct NumericRow {
    int number;
    const char* query;
    int editId;
    int setId;
    int getId;
    int messages;
    int CPrinterPageSetting::*field;
};
const std::array<NumericRow, 6> kNumericRows = {{
    {0, "^PI5,0\r\n", IDC_PAPER_WIDTH, 1152, 1153, IDS_ROW_PAPER_WIDTH,
     &CPrinterPageSetting::m_nPaperWidth},
    {2, "^PI5,1\r\n", IDC_PAPER_LENGTH, 1154, 1155, IDS_ROW_PAPER_LENGTH,
     &CPrinterPageSetting::m_nPaperLength},
    {5, "^PI5,2\r\n", IDC_GAP_LENGTH, 1164, 1165, IDS_ROW_GAP_LENGTH,
     &CPrinterPageSetting::m_nGapLength},
    {3, "^PI5,3\r\n", IDC_HORZ_MARGIN, 1156, 1157, IDS_ROW_HORZ_MARGIN,
     &CPrinterPageSetting::m_nHorzMargin},
    {4, "^PI5,4\r\n", IDC_VERT_MARGIN, 1158, 1159, IDS_ROW_VERT_MARGIN,
     &CPrinterPageSetting::m_nVertMargin},
    {1, "^PI4,1\r\n", IDC_DENSITY, 1160, 1161, IDS_ROW_DENSITY,
     &CPrinterPageSetting::m_nDensity},
}};

void say(int messages, int which)
{
    const bool success = which == kRowSetSuccess || which == kRowGetSuccess;
    ui::MessageBox(ui::LoadString(messages + which),
                   success ? platform::AlertIcon::Information : platform::AlertIcon::Exclamation);
}

}  // namespace

CPrinterPageSetting::CPrinterPageSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    // Number-only edits: a sign or a blank never reaches a command.
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    for (int id : {IDC_HORZ_MARGIN, IDC_PAPER_LENGTH, IDC_VERT_MARGIN, IDC_PAPER_WIDTH, IDC_DENSITY,
                   IDC_GAP_LENGTH, IDC_PRINT_OFFSET, IDC_TEAR_OFF})
        item<QLineEdit>(id)->setValidator(new QRegularExpressionValidator(digits, this));
    for (std::size_t i = 0; i < kNumericRows.size(); ++i) {
        const int row = static_cast<int>(i);
        bindCommand(kNumericRows[i].setId, [this, row] { OnSetNumeric(row); });
        bindCommand(kNumericRows[i].getId, [this, row] { OnGetNumeric(row); });
    }
    onCommand(IDC_SET_STROBE, &CPrinterPageSetting::OnSetStrobe);
    onCommand(IDC_GET_STROBE, &CPrinterPageSetting::OnGetStrobe);
    onCommand(IDC_SET_SPEED, &CPrinterPageSetting::OnSetSpeed);
    onCommand(IDC_GET_SPEED, &CPrinterPageSetting::OnGetSpeed);
    onCommand(IDC_SET_GAP_DETECT, &CPrinterPageSetting::OnSetGapDetect);
    onCommand(IDC_GET_GAP_DETECT, &CPrinterPageSetting::OnGetGapDetect);
    onCommand(IDC_SET_OFFSET, &CPrinterPageSetting::OnSetOffset);
    onCommand(IDC_GET_OFFSET, &CPrinterPageSetting::OnGetOffset);
    onCommand(IDC_SET_TEAR_OFF, &CPrinterPageSetting::OnSetTearOff);
    onCommand(IDC_GET_TEAR_OFF, &CPrinterPageSetting::OnGetTearOff);
    onCommand(IDC_SET_CHECK_LENGTH, &CPrinterPageSetting::OnSetCheckLabelLength);
    onCommand(IDC_INITIALIZE, &CPrinterPageSetting::OnInitializeAll);
}

bool CPrinterPageSetting::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_spinDensity = item<ui::UpDownCtrl>(IDC_DENSITY_SPIN);
    m_cbPrintSpeed = item<QComboBox>(IDC_SPEED);
    if (m_spinDensity) {
        m_spinDensity->setRange(0, 20);
        m_spinDensity->hide();
    }
    m_nGapDetectPos = 0;
    m_nPrintSpeed = -1;
    m_nCheckLabelLength = 0;
    FillSpeedCombo();
    FillComboFromResource(IDS_GAP_DETECT_POSITIONS, item<QComboBox>(IDC_GAP_DETECT));
    UpdateData(false);
    return true;
}

void CPrinterPageSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_HORZ_MARGIN, m_nHorzMargin);
    ui::DDV_MinMaxInt(dx, IDC_HORZ_MARGIN, m_nHorzMargin, 0, 832);
    ui::DDX_Text(dx, IDC_PAPER_LENGTH, m_nPaperLength);
    ui::DDV_MinMaxInt(dx, IDC_PAPER_LENGTH, m_nPaperLength, 0, 2432);
    ui::DDX_Text(dx, IDC_VERT_MARGIN, m_nVertMargin);
    ui::DDV_MinMaxInt(dx, IDC_VERT_MARGIN, m_nVertMargin, 0, 2432);
    ui::DDX_Text(dx, IDC_PAPER_WIDTH, m_nPaperWidth);
    ui::DDV_MinMaxInt(dx, IDC_PAPER_WIDTH, m_nPaperWidth, 0, 832);
    ui::DDX_Text(dx, IDC_DENSITY, m_nDensity);
    ui::DDV_MinMaxInt(dx, IDC_DENSITY, m_nDensity, 0, 20);
    ui::DDX_Radio(dx, IDC_STROBE_2, m_nStrobe);
    ui::DDX_Text(dx, IDC_GAP_LENGTH, m_nGapLength);
    ui::DDX_CBIndex(dx, IDC_GAP_DETECT, m_nGapDetectPos);
    ui::DDX_CBIndex(dx, IDC_SPEED, m_nPrintSpeed);
    ui::DDX_Radio(dx, IDC_CHECK_DISABLE, m_nCheckLabelLength);
    ui::DDX_Text(dx, IDC_PRINT_OFFSET, m_nPrintOffset);
    ui::DDV_MinMaxInt(dx, IDC_PRINT_OFFSET, m_nPrintOffset, 0, 100);
    ui::DDX_Check(dx, IDC_OFFSET_NEGATIVE, m_bOffsetNegative);
    ui::DDX_Check(dx, IDC_TEAR_OFF_NEGATIVE, m_bTearOffNegative);
    ui::DDX_Text(dx, IDC_TEAR_OFF, m_nTearOffPos);
    ui::DDV_MinMaxInt(dx, IDC_TEAR_OFF, m_nTearOffPos, 0, 100);
}

// One item per speed code that switch 3 holds, named as the template names them. The model
// record's speeds are no codes of the switch, and the template's item past code 6 would be
// written as code 0.
void CPrinterPageSetting::FillSpeedCombo()
{
    if (!m_cbPrintSpeed)
        return;
    while (m_cbPrintSpeed->count() > printerpage::kSpeedCodes)
        m_cbPrintSpeed->removeItem(m_cbPrintSpeed->count() - 1);
}

void CPrinterPageSetting::OnSetNumeric(int row)
{
    const NumericRow& r = kNumericRows.at(static_cast<std::size_t>(row));
    if (!UpdateData(true))
        return;
    const bool sent = g_comm.Write(printerpage::UserSetting(r.number, this->*r.field)) != 0;
    say(r.messages, sent ? kRowSetSuccess : kRowSetFailed);
}

void CPrinterPageSetting::OnGetNumeric(int row)
{
    const NumericRow& r = kNumericRows.at(static_cast<std::size_t>(row));
    UpdateData(true);
    g_comm.Write(QByteArray(r.query));
    platform::clock().sleep(10);
    char reply[32] = {};
    const int n = g_comm.Read(reply, sizeof reply);
    if (n <= 0) {
        say(r.messages, kRowGetFailed);
        return;
    }
    SetDlgItemText(r.editId, printerpage::NumericReply(QByteArray(reply, n)));
    UpdateData(true);
    enable({r.editId, r.setId});
    say(r.messages, kRowGetSuccess);
}

bool CPrinterPageSetting::writeSwitch(int number, std::uint8_t value)
{
    g_comm.Write(memswitch::Write(number, value, memswitch::kMenuModeZeroPrefix, true));
    return g_comm.Write(memswitch::Commit(number, memswitch::kMenuModeZeroPrefix)) != 0;
}

int CPrinterPageSetting::readSwitch(int number)
{
    g_comm.Write(memswitch::Read(number, g_comm.m_nPortType, memswitch::kMenuModeZeroPrefix));
    platform::clock().sleep(10);
    char reply = 0;
    if (g_comm.Read(&reply, 1) <= 0)
        return -1;
    return static_cast<std::uint8_t>(reply);
}

void CPrinterPageSetting::OnSetStrobe()
{
    UpdateData(true);
    const bool sent = writeSwitch(kStrobeSwitch, printerpage::StrobeByte(m_nStrobe));
    say(IDS_ROW_STROBE, sent ? kRowSetSuccess : kRowSetFailed);
}

void CPrinterPageSetting::OnGetStrobe()
{
    UpdateData(true);
    m_nStrobe = -1;
    UpdateData(false);
    const int value = readSwitch(kStrobeSwitch);
    if (value < 0) {
        say(IDS_ROW_STROBE, kRowGetFailed);
        return;
    }
    m_nStrobe = printerpage::StrobeIndex(static_cast<std::uint8_t>(value));
    UpdateData(false);
    enable({IDC_SET_STROBE, IDC_STROBE_2, IDC_STROBE_3, IDC_STROBE_4});
    say(IDS_ROW_STROBE, kRowGetSuccess);
}

void CPrinterPageSetting::OnSetGapDetect()
{
    UpdateData(true);
    const bool sent = writeSwitch(kStrobeSwitch, printerpage::GapDetectByte(m_nGapDetectPos));
    say(IDS_ROW_GAP_DETECT, sent ? kRowSetSuccess : kRowSetFailed);
}

void CPrinterPageSetting::OnGetGapDetect()
{
    UpdateData(true);
    m_nGapDetectPos = -1;
    UpdateData(false);
    const int value = readSwitch(kStrobeSwitch);
    if (value < 0) {
        say(IDS_ROW_GAP_DETECT, kRowGetFailed);
        return;
    }
    m_nGapDetectPos = printerpage::GapDetectIndex(static_cast<std::uint8_t>(value));
    UpdateData(false);
    enable({IDC_SET_GAP_DETECT, IDC_GAP_DETECT});
    say(IDS_ROW_GAP_DETECT, kRowGetSuccess);
}

void CPrinterPageSetting::OnSetSpeed()
{
    UpdateData(true);
    const bool sent = writeSwitch(kSpeedSwitch, printerpage::SpeedByte(m_nPrintSpeed));
    say(IDS_ROW_SPEED, sent ? kRowSetSuccess : kRowSetFailed);
}

void CPrinterPageSetting::OnGetSpeed()
{
    UpdateData(true);
    const int value = readSwitch(kSpeedSwitch);
    if (value < 0) {
        say(IDS_ROW_SPEED, kRowGetFailed);
        return;
    }
    m_nPrintSpeed = printerpage::SpeedIndex(static_cast<std::uint8_t>(value));
    UpdateData(false);
    enable({IDC_SET_SPEED, IDC_SPEED});
    say(IDS_ROW_SPEED, kRowGetSuccess);
}

void CPrinterPageSetting::setPosition(const char* mnemonic, int editId, bool negative, int value,
                                      int messages)
{
    const QByteArray text = platform::codePage().fromWide(GetDlgItemText(editId));
    const bool sent =
        g_comm.Write(printerpage::SignedPosition(mnemonic, negative, text, value)) != 0;
    say(messages, sent ? kRowSetSuccess : kRowSetFailed);
}

void CPrinterPageSetting::OnSetOffset()
{
    if (!UpdateData(true))
        return;
    setPosition("SA", IDC_PRINT_OFFSET, m_bOffsetNegative != 0, m_nPrintOffset, IDS_ROW_OFFSET);
}

void CPrinterPageSetting::OnSetTearOff()
{
    if (!UpdateData(true))
        return;
    setPosition("TA", IDC_TEAR_OFF, m_bTearOffNegative != 0, m_nTearOffPos, IDS_ROW_TEAR_OFF);
}

void CPrinterPageSetting::getPosition(const QByteArray& query, int messages, int setId,
                                      int editId, int checkId, int& value, int& negative)
{
    UpdateData(true);
    g_comm.Write(query);
    platform::clock().sleep(10);
    char reply[7] = {};
    const int n = g_comm.Read(reply, sizeof reply);
    const auto position = printerpage::SignedReply(reply, n);
    if (n <= 0 || !position) {
        say(messages, kRowGetFailed);
        return;
    }
    negative = position->negative ? 1 : 0;
    value = position->value;
    UpdateData(false);
    enable({setId, editId, checkId});
    say(messages, kRowGetSuccess);
}

void CPrinterPageSetting::OnGetOffset()
{
    getPosition(QByteArray("^SA\r\n"), IDS_ROW_OFFSET, IDC_SET_OFFSET, IDC_PRINT_OFFSET,
                IDC_OFFSET_NEGATIVE, m_nPrintOffset, m_bOffsetNegative);
}

void CPrinterPageSetting::OnGetTearOff()
{
    getPosition(QByteArray("^PI4,2\r\n"), IDS_ROW_TEAR_OFF, IDC_SET_TEAR_OFF, IDC_TEAR_OFF,
                IDC_TEAR_OFF_NEGATIVE, m_nTearOffPos, m_bTearOffNegative);
}

void CPrinterPageSetting::OnSetCheckLabelLength()
{
    UpdateData(true);
    g_comm.Write(printerpage::CheckLabelLength(m_nCheckLabelLength != 0));
}

void CPrinterPageSetting::OnInitializeAll()
{
    UpdateData(true);
    if (g_comm.Write(printerpage::InitializeAll()) != 0)
        ui::MessageBox(ui::LoadString(IDS_INITIALIZE_ALL_SUCCESS), platform::AlertIcon::Information);
    else
        ui::MessageBox(ui::LoadString(IDS_INITIALIZE_ALL_FAILED));
}

void CPrinterPageSetting::enable(std::initializer_list<int> ids)
{
    for (int id : ids)
        EnableDlgItem(id, true);
}
