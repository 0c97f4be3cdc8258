#include "maintenance/CUserSetting_ZII_SerialTab.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/InterfaceCommands.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <cstring>

namespace {

constexpr int IDC_SERIAL = 1100;
constexpr int IDC_BLUETOOTH = 1101;
constexpr int IDC_USB_DONGLE = 1134;
constexpr int IDC_BAUD = 1067;
constexpr int IDC_DATA_BITS = 1068;
constexpr int IDC_PARITY = 1069;
constexpr int IDC_STOP_BITS = 1070;
constexpr int IDC_PROTOCOL = 1071;
constexpr int IDC_DEVICE_NAME = 1130;
constexpr int IDC_ENCRYPTION = 1074;
constexpr int IDC_CONNECTION = 1072;
constexpr int IDC_ROLE = 1075;
constexpr int IDC_SSP = 1073;
constexpr int IDC_PIN = 1131;
constexpr int IDC_MAC = 1132;
constexpr int IDC_MAC_CAPTION = 1135;
constexpr int IDC_DEFAULT = 1152;
constexpr int IDC_GET = 1002;
constexpr int IDC_SET = 1003;

constexpr int IDS_BAUD_LIST = 264;
constexpr int IDS_PARITY_LIST = 266;
constexpr int IDS_STOP_BITS_LIST = 267;
constexpr int IDS_PROTOCOL_LIST = 268;
constexpr int IDS_SERIAL_SET_OK = 272;
constexpr int IDS_TURN_PRINTER_OFF_ON = 273;
constexpr int IDS_SERIAL_SET_FAILED = 274;

constexpr int kMaxDeviceName = 64;
constexpr int kMaxPin = 4;
constexpr int kModuleFieldBytes = 64;

bool family201()
{
    return g_curModelInfo && g_curModelInfo->m_nMenuViewId == 201;
}

void sleepMs(int ms)
{
    platform::clock().sleep(ms);
}

}  // namespace

CUserSetting_ZII_SerialTab::CUserSetting_ZII_SerialTab(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_GET, &CUserSetting_ZII_SerialTab::OnGet);
    onCommand(IDC_SET, &CUserSetting_ZII_SerialTab::OnSet);
    onCommand(IDC_DEFAULT, &CUserSetting_ZII_SerialTab::OnDefaultSetting);
    onCommand(IDC_USB_DONGLE, &CUserSetting_ZII_SerialTab::OnUsbDongleType);
    onSelChange(IDC_SSP, &CUserSetting_ZII_SerialTab::OnSspModeChange);
}

bool CUserSetting_ZII_SerialTab::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    FillSerialLists();
    EnableDlgItem(IDC_SERIAL, !family201());
    EnableDlgItem(IDC_USB_DONGLE, g_curModelInfo && g_curModelInfo->m_bUsbDongle);
    return true;
}

void CUserSetting_ZII_SerialTab::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Check(dx, IDC_SERIAL, m_bSerial);
    ui::DDX_Check(dx, IDC_BLUETOOTH, m_bBluetooth);
    ui::DDX_Check(dx, IDC_USB_DONGLE, m_bUsbDongle);
    ui::DDX_CBIndex(dx, IDC_BAUD, m_nBaud);
    ui::DDX_CBIndex(dx, IDC_DATA_BITS, m_nDataBits);
    ui::DDX_CBIndex(dx, IDC_PARITY, m_nParity);
    ui::DDX_CBIndex(dx, IDC_STOP_BITS, m_nStopBits);
    ui::DDX_CBIndex(dx, IDC_PROTOCOL, m_nProtocol);
    ui::DDX_CBIndex(dx, IDC_ENCRYPTION, m_nEncryption);
    ui::DDX_CBIndex(dx, IDC_CONNECTION, m_nConnection);
    ui::DDX_CBIndex(dx, IDC_ROLE, m_nRole);
    ui::DDX_CBIndex(dx, IDC_SSP, m_nSsp);
    ui::DDX_Text(dx, IDC_MAC, m_strMacAddress);
    ui::DDX_Text(dx, IDC_DEVICE_NAME, m_strDeviceName);
    ui::DDV_MaxChars(dx, IDC_DEVICE_NAME, m_strDeviceName, kMaxDeviceName);
    ui::DDX_Text(dx, IDC_PIN, m_strPinCode);
    ui::DDV_MaxChars(dx, IDC_PIN, m_strPinCode, kMaxPin);
}

void CUserSetting_ZII_SerialTab::FillSerialLists()
{
    FillComboFromResource(IDS_BAUD_LIST, item<QComboBox>(IDC_BAUD));
    FillComboFromResource(IDS_PARITY_LIST, item<QComboBox>(IDC_PARITY));
    FillComboFromResource(IDS_STOP_BITS_LIST, item<QComboBox>(IDC_STOP_BITS));
    FillComboFromResource(IDS_PROTOCOL_LIST, item<QComboBox>(IDC_PROTOCOL));
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::EnableCheckedGroups()
{
    if (m_bSerial) {
        for (int id : {IDC_BAUD, IDC_DATA_BITS, IDC_PARITY, IDC_STOP_BITS, IDC_PROTOCOL})
            EnableDlgItem(id, true);
    }
    if (m_bBluetooth) {
        for (int id : {IDC_DEVICE_NAME, IDC_ENCRYPTION, IDC_PIN, IDC_CONNECTION})
            EnableDlgItem(id, true);
    }
    EnableDlgItem(IDC_SET, true);
}

int CUserSetting_ZII_SerialTab::EntryIndex(int listId, const QString& text, int current) const
{
    if (text.isEmpty())
        return current;
    const int index = item<QComboBox>(listId)->findText(text, Qt::MatchExactly);
    return index >= 0 ? index : current;
}

void CUserSetting_ZII_SerialTab::OnGet()
{
    UpdateData(true);
    if (!m_bSerial && !m_bBluetooth)
        return;
    ui::WaitCursor wait;
    EnableCheckedGroups();
    if (m_bSerial)
        GetSerialSettings();
    sleepMs(30);
    if (m_bBluetooth)
        GetBluetoothSettings(m_bUsbDongle);
    sleepMs(30);
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::GetSerialSettings()
{
    char reply[256] = {};
    const QByteArray query = setting::SettingQuery(setting::QuerySerial);
    g_comm.Write(query);
    sleepMs(30);
    const int n = g_comm.Read(reply, int(sizeof reply));
    if (n <= 0)
        return;
    const std::optional<iface::SerialReply> r = iface::ParseSerialReply(reply, n);
    if (!r)
        return;
    m_nBaud = EntryIndex(IDC_BAUD, r->baud, m_nBaud);
    m_nDataBits = EntryIndex(IDC_DATA_BITS, r->dataBits, m_nDataBits);
    m_nParity = EntryIndex(IDC_PARITY, r->parity, m_nParity);
    m_nStopBits = EntryIndex(IDC_STOP_BITS, r->stopBits, m_nStopBits);
    m_nProtocol = EntryIndex(IDC_PROTOCOL, r->protocol, m_nProtocol);
    // Shown now: the Bluetooth read that follows starts by taking the window values.
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::OnSet()
{
    UpdateData(true);
    if (!m_bSerial && !m_bBluetooth)
        return;
    ui::WaitCursor wait;
    UpdateData(true);
    if (m_bSerial)
        SetSerialSettings();
    if (m_bBluetooth)
        SetBluetoothSettings(m_bUsbDongle);
}

void CUserSetting_ZII_SerialTab::SetSerialSettings()
{
    const int lists[] = {IDC_BAUD, IDC_DATA_BITS, IDC_PARITY, IDC_STOP_BITS, IDC_PROTOCOL};
    const int chosen[] = {m_nBaud, m_nDataBits, m_nParity, m_nStopBits, m_nProtocol};
    QString texts[5];
    for (int i = 0; i < 5; ++i) {
        // A field without a choice would go out empty and leave the printer's port unknown.
        if (chosen[i] < 0) {
            ui::MessageBox(LoadResString(IDS_SERIAL_SET_FAILED));
            return;
        }
        texts[i] = item<QComboBox>(lists[i])->itemText(chosen[i]);
    }
    const QString text = iface::SerialSetText(texts[0], texts[1], texts[2], texts[3], texts[4]);
    if (g_comm.WriteString(text, int(text.size())) != 0) {
        ui::MessageBox(LoadResString(IDS_SERIAL_SET_OK), platform::AlertIcon::Information);
        ui::MessageBox(LoadResString(IDS_TURN_PRINTER_OFF_ON), platform::AlertIcon::Information);
    } else {
        ui::MessageBox(LoadResString(IDS_SERIAL_SET_FAILED));
    }
}

void CUserSetting_ZII_SerialTab::OnDefaultSetting()
{
    UpdateData(true);
    if (!m_bSerial && !m_bBluetooth)
        return;
    ui::WaitCursor wait;
    EnableCheckedGroups();
    UpdateData(true);
    if (m_bSerial) {
        m_nBaud = EntryIndex(IDC_BAUD, QStringLiteral("115200"), m_nBaud);
        m_nDataBits = EntryIndex(IDC_DATA_BITS, QStringLiteral("8"), m_nDataBits);
        const auto upperMatch = [this](int listId, const char* wanted, int current) {
            auto* list = item<QComboBox>(listId);
            for (int i = 0; i < list->count(); ++i) {
                if (list->itemText(i).toUpper() == QLatin1String(wanted))
                    return i;
            }
            return current;
        };
        m_nParity = upperMatch(IDC_PARITY, "NONE", m_nParity);
        m_nStopBits = upperMatch(IDC_STOP_BITS, "1", m_nStopBits);
        m_nProtocol = upperMatch(IDC_PROTOCOL, "HARDWARE", m_nProtocol);
    }
    if (m_bBluetooth) {
        char reply[64] = {};
        const QByteArray query("^PI0\r\n");
        g_comm.Write(query);
        sleepMs(40);
        const int n = g_comm.Read(reply, int(sizeof reply));
        // The model name without the query's line end: a CR inside the name would end the
        // name field of the module's record early.
        QByteArray name = n > 0 ? setting::ReplyText(reply, n) : QByteArray();
        while (name.endsWith('\r') || name.endsWith('\n'))
            name.chop(1);
        m_strDeviceName = ReplyString(name);
        m_nEncryption = 1;
        m_nConnection = 1;
        m_nSsp = 0;
        m_strPinCode = QStringLiteral("9173");
    }
    m_strMacAddress.clear();
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::OnUsbDongleType()
{
    UpdateData(true);
    ShowDlgItem(IDC_MAC_CAPTION, !m_bUsbDongle);
    ShowDlgItem(IDC_MAC, !m_bUsbDongle);
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::OnSspModeChange()
{
    EnableDlgItem(IDC_PIN, item<QComboBox>(IDC_SSP)->currentIndex() == 0);
}

QString CUserSetting_ZII_SerialTab::ReplyString(const QByteArray& text) const
{
    return platform::codePage().toWide(text);
}

int CUserSetting_ZII_SerialTab::BluetoothQuery(const QByteArray& query)
{
    std::memset(m_reply, 0, sizeof m_reply);
    g_comm.Write(query);
    sleepMs(70);
    return g_comm.Read(m_reply, int(sizeof m_reply));
}

void CUserSetting_ZII_SerialTab::GetBluetoothSettings(bool usbDongle)
{
    UpdateData(true);
    m_strMacAddress.clear();
    if (usbDongle) {
        const auto dongle = [this](iface::DongleItem item) {
            const int n = BluetoothQuery(iface::DongleQuery(item));
            return n > 0 ? std::optional(setting::ReplyText(m_reply, n)) : std::nullopt;
        };
        if (auto text = dongle(iface::DongleName))
            m_strDeviceName = ReplyString(*text);
        if (auto text = dongle(iface::DongleEncryption))
            m_nEncryption = iface::EncryptionFromDongle(*text) ? 1 : 0;
        if (auto text = dongle(iface::DonglePin))
            m_strPinCode = ReplyString(*text);
        if (auto text = dongle(iface::DongleConnection))
            m_nConnection = iface::ConnectionFromDongle(*text);
        if (m_nConnection >= 0) {
            m_nSsp = 0;
            m_nRole = 0;
        }
        EnableDlgItem(IDC_SSP, false);
        EnableDlgItem(IDC_ROLE, false);
    } else {
        const auto module = [this](char letter) {
            const int n = BluetoothQuery(iface::ModuleQuery(letter));
            return n > 0 ? std::optional(iface::ModuleReplyText(m_reply, n, letter)) : std::nullopt;
        };
        if (auto text = module('d'))
            m_strDeviceName = ReplyString(*text);
        if (auto text = module('s'))
            m_nEncryption = iface::ModuleEncryption(*text) ? 1 : 0;
        if (auto text = module('k'))
            m_strPinCode = ReplyString(*text);
        if (auto text = module('c'))
            m_nConnection = iface::ModuleConnection(*text);
        if (family201()) {
            auto* ssp = item<QComboBox>(IDC_SSP);
            if (ssp->count() != 2 || ssp->itemText(0) != QLatin1String("PIN Code Mode")) {
                ssp->clear();
                ssp->addItems({QStringLiteral("PIN Code Mode"), QStringLiteral("SSP Mode")});
                m_nSsp = -1;
            }
            EnableDlgItem(IDC_SSP, true);
            if (BluetoothQuery(setting::ParameterQuery(setting::ParamBluetoothRole)) > 0)
                m_nRole = m_reply[0] == 1 ? 1 : 0;
            EnableDlgItem(IDC_ROLE, true);
            if (BluetoothQuery(setting::ParameterQuery(setting::ParamBluetoothPairing)) > 0)
                m_nSsp = m_reply[0] == 1 ? 1 : 0;
            // PIN codes count only in PIN code mode.
            EnableDlgItem(IDC_PIN, m_nSsp == 0);
        } else {
            const int n = BluetoothQuery(iface::ModuleQuery('L'));
            if (n > 0) {
                const std::optional<int> role = iface::ModuleRole(m_reply, n);
                m_nRole = role.value_or(0);
                EnableDlgItem(IDC_ROLE, role.has_value());
            }
        }
        if (auto text = module('m'))
            m_strMacAddress = ReplyString(*text);
    }
    UpdateData(false);
}

void CUserSetting_ZII_SerialTab::SetBluetoothSettings(bool usbDongle)
{
    UpdateData(true);
    if (usbDongle) {
        const auto send = [](const QString& text) { g_comm.WriteString(text, int(text.size())); };
        send(iface::DongleSetName(m_strDeviceName));
        // A list without a choice leaves the dongle's own value alone.
        if (m_nEncryption >= 0)
            send(iface::DongleSet(iface::DongleEncryption, QString::number(m_nEncryption)));
        send(iface::DongleSet(iface::DonglePin, m_strPinCode));
        if (m_nConnection >= 0)
            send(iface::DongleSet(iface::DongleConnection, QString::number(m_nConnection)));
    } else {
        const QByteArray pin = platform::codePage().fromWide(m_strPinCode);
        const QByteArray name = platform::codePage().fromWide(m_strDeviceName);
        // The record has room for a PIN of four characters; a longer one leaves it out.
        if (m_nEncryption >= 0 && m_nConnection >= 0 && name.size() <= kModuleFieldBytes &&
            m_strPinCode.size() <= kMaxPin)
            g_comm.Write(
                iface::ModuleRecordP(m_nEncryption, m_nConnection, pin, name, !family201()));
        if (!family201()) {
            if (m_nSsp >= 0)
                g_comm.Write(iface::ModuleRecordX(m_nSsp));
            sleepMs(3000);
            g_comm.Write(iface::ModuleRecordL(m_nRole == 1));
            sleepMs(2500);
        } else {
            const QByteArray ssp = setting::ParameterSet(setting::ParamBluetoothPairing, m_nSsp);
            if (m_nSsp >= 0)
                g_comm.Write(ssp);
            if (m_nRole >= 0)
                g_comm.Write(setting::ParameterSet(setting::ParamBluetoothRole, m_nRole));
            if (m_nSsp >= 0)
                g_comm.Write(ssp);
        }
    }
    UpdateData(false);
}
