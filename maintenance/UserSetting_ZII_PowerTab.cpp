#include "maintenance/UserSetting_ZII_PowerTab.h"

#include "link/Comm.h"
#include "maintenance/ClockPowerCommands.h"
#include "maintenance/SettingCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/WaitCursor.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <climits>
#include <cstring>

namespace {

constexpr int IDC_POWER_OFF = 1136;
constexpr int IDC_POWER_OFF_TIME = 1138;
constexpr int IDC_POWER_SAVE = 1137;
constexpr int IDC_POWER_SAVE_TIME = 1513;
constexpr int IDC_GET = 1139;
constexpr int IDC_SET = 1140;

// The range check names its limits as the class library's integer range message does.
void checkRange(ui::DataExchange& dx, int id, unsigned value, unsigned low, unsigned high)
{
    const int shown = value > unsigned(INT_MAX) ? INT_MAX : int(value);
    ui::DDV_MinMaxInt(dx, id, shown, int(low), int(high));
}

}  // namespace

UserSetting_ZII_PowerTab::UserSetting_ZII_PowerTab(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    m_ui.editPowerOffTime->setValidator(new QRegularExpressionValidator(digits, this));
    m_ui.editPowerSaveTime->setValidator(new QRegularExpressionValidator(digits, this));
    onCommand(IDC_GET, &UserSetting_ZII_PowerTab::OnGetFromPrinter);
    onCommand(IDC_SET, &UserSetting_ZII_PowerTab::OnSetToPrinter);
}

bool UserSetting_ZII_PowerTab::OnInitDialog()
{
    return ui::Dialog::OnInitDialog();
}

void UserSetting_ZII_PowerTab::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_POWER_OFF, m_nPowerOff);
    ui::DDX_Text(dx, IDC_POWER_OFF_TIME, m_nPowerOffMinutes);
    checkRange(dx, IDC_POWER_OFF_TIME, m_nPowerOffMinutes, clockpower::kMinMinutes,
               clockpower::kMaxMinutes);
    ui::DDX_CBIndex(dx, IDC_POWER_SAVE, m_nPowerSave);
    ui::DDX_Text(dx, IDC_POWER_SAVE_TIME, m_nPowerSaveSeconds);
    checkRange(dx, IDC_POWER_SAVE_TIME, m_nPowerSaveSeconds, clockpower::kMinSeconds,
               clockpower::kMaxSeconds);
}

void UserSetting_ZII_PowerTab::OnGetFromPrinter()
{
    ui::WaitCursor wait;
    char reply[256];
    for (const std::uint8_t item : {setting::ParamPowerOffEnable, setting::ParamPowerOffTime,
                                    setting::ParamPowerSaveEnable, setting::ParamPowerSaveTime}) {
        // Zeroed for every read, so a short reply never borrows the bytes of the one before.
        std::memset(reply, 0, sizeof reply);
        g_comm.Write(setting::ParameterQuery(item));
        platform::clock().sleep(50);
        const int n = g_comm.Read(reply, int(sizeof reply));
        if (n <= 0)
            continue;
        switch (item) {
        case setting::ParamPowerOffEnable:
            m_nPowerOff = reply[0] == 1 ? 1 : 0;
            break;
        case setting::ParamPowerOffTime:
            m_nPowerOffMinutes = clockpower::PowerOffMinutes(reply, n);
            break;
        case setting::ParamPowerSaveEnable:
            m_nPowerSave = reply[0] == 1 ? 1 : 0;
            break;
        default:
            m_nPowerSaveSeconds = static_cast<unsigned char>(reply[0]);
            break;
        }
    }
    for (int id : {IDC_POWER_OFF, IDC_POWER_OFF_TIME, IDC_POWER_SAVE, IDC_POWER_SAVE_TIME, IDC_SET})
        EnableDlgItem(id, true);
    UpdateData(false);
}

void UserSetting_ZII_PowerTab::OnSetToPrinter()
{
    UpdateData(true);
    if (m_nPowerOffMinutes < clockpower::kMinMinutes || m_nPowerOffMinutes > clockpower::kMaxMinutes
        || m_nPowerSaveSeconds < clockpower::kMinSeconds
        || m_nPowerSaveSeconds > clockpower::kMaxSeconds)
        return;
    ui::WaitCursor wait;
    // A list the printer never answered is left as the printer has it.
    if (m_nPowerOff >= 0)
        g_comm.Write(setting::ParameterSet(setting::ParamPowerOffEnable, m_nPowerOff != 0 ? 1 : 0));
    g_comm.Write(setting::ParameterSet(setting::ParamPowerOffTime, int(m_nPowerOffMinutes * 60)));
    if (m_nPowerSave >= 0)
        g_comm.Write(
            setting::ParameterSet(setting::ParamPowerSaveEnable, m_nPowerSave != 0 ? 1 : 0));
    g_comm.Write(setting::ParameterSet(setting::ParamPowerSaveTime, int(m_nPowerSaveSeconds)));
    UpdateData(false);
}
