#include "maintenance/CLanguageSetting.h"

#include "link/Comm.h"
#include "maintenance/MemorySwitch.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/WaitCursor.h"

#include <QComboBox>

namespace {

constexpr int IDC_CODE_PAGE = 11;
constexpr int IDC_ICS = 13;
constexpr int IDC_LOCK = 1101;
constexpr int IDC_GET = 1002;
constexpr int IDC_SET = 1003;
constexpr int IDC_GET_HIDDEN = 1004;
constexpr int IDC_SET_TO_PRINTER_HIDDEN = 1514;

constexpr int kCodePageSwitch = 1;
constexpr int kIcsSwitch = 3;

}  // namespace

CLanguageSetting::CLanguageSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_GET, &CLanguageSetting::OnGetLanguage);
    onCommand(IDC_GET_HIDDEN, &CLanguageSetting::OnGetLanguage);
    onCommand(IDC_SET, &CLanguageSetting::OnSetLanguage);
}

bool CLanguageSetting::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    ShowDlgItem(IDC_GET_HIDDEN, false);
    ShowDlgItem(IDC_SET_TO_PRINTER_HIDDEN, false);
    return true;
}

void CLanguageSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_CODE_PAGE, m_nCodePage);
    ui::DDX_CBIndex(dx, IDC_ICS, m_nIcs);
    ui::DDX_Control(dx, IDC_CODE_PAGE, m_cbCodePage);
}

int CLanguageSetting::ReadSwitch(int number)
{
    g_comm.Write(memswitch::Read(number, g_comm.m_nPortType));
    platform::clock().sleep(50);
    unsigned char value = 0;
    return g_comm.Read(&value, 1) > 0 ? value : -1;
}

void CLanguageSetting::OnGetLanguage()
{
    m_nCodePage = -1;
    m_nIcs = -1;
    ui::WaitCursor wait;
    EnableDlgItem(IDC_CODE_PAGE, true);
    EnableDlgItem(IDC_ICS, true);
    EnableDlgItem(IDC_SET, true);

    // A switch that sends no byte shows no selection.
    m_nCodePage = ReadSwitch(kCodePageSwitch);
    m_nIcs = ReadSwitch(kIcsSwitch);

    platform::clock().sleep(20);
    g_comm.Write(setting::LockStatusQuery());
    platform::clock().sleep(50);
    char reply[256] = {};
    const int n = g_comm.Read(reply, int(sizeof reply));
    // Byte 2 holds the language lock; a shorter reply says nothing about it.
    if (n > 2)
        CheckDlgButton(IDC_LOCK, (reply[2] & 0x08) != 0);

    platform::clock().sleep(30);
    // An index beyond a list leaves it without a selection.
    if (m_nCodePage >= m_cbCodePage->count())
        m_nCodePage = -1;
    if (m_nIcs >= m_ui.cmbIcs->count())
        m_nIcs = -1;
    UpdateData(false);
}

void CLanguageSetting::OnSetLanguage()
{
    UpdateData(true);
    // Nothing chosen in a list: that switch keeps what the printer holds.
    g_comm.Write(setting::SettingLock(false, setting::LockLanguage));
    if (m_nCodePage >= 0) {
        g_comm.Write(memswitch::Write(kCodePageSwitch, static_cast<std::uint8_t>(m_nCodePage)));
        g_comm.Write(memswitch::Commit(kCodePageSwitch));
    }
    if (m_nIcs >= 0) {
        g_comm.Write(memswitch::Write(kIcsSwitch, static_cast<std::uint8_t>(m_nIcs)));
        g_comm.Write(memswitch::Commit(kIcsSwitch));
    }
    g_comm.Write(setting::SettingLock(IsDlgButtonChecked(IDC_LOCK), setting::LockLanguage));
}
