#include "maintenance/CUserSetting_ZII_TimeTab.h"

#include "link/Comm.h"
#include "maintenance/ClockPowerCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"

#include <QDateEdit>
#include <QTimeEdit>

namespace {

constexpr int IDC_SET_CLOCK = 1518;
constexpr int IDC_COMPUTER_CLOCK = 1519;
constexpr int IDC_PICKED_CLOCK = 1520;
constexpr int IDC_DATE = 1521;
constexpr int IDC_TIME = 1522;
constexpr int IDC_SET_TO_PRINTER = 1514;

}  // namespace

CUserSetting_ZII_TimeTab::CUserSetting_ZII_TimeTab(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_SET_CLOCK, &CUserSetting_ZII_TimeTab::OnSetClockCheck);
    onCommand(IDC_COMPUTER_CLOCK, &CUserSetting_ZII_TimeTab::EnableDateTimePickers);
    onCommand(IDC_PICKED_CLOCK, &CUserSetting_ZII_TimeTab::EnableDateTimePickers);
    onCommand(IDC_SET_TO_PRINTER, &CUserSetting_ZII_TimeTab::OnSetToPrinter);
}

bool CUserSetting_ZII_TimeTab::OnInitDialog()
{
    // The pickers start at the moment the page is made.
    const QDateTime now = platform::clock().localTime();
    m_ui.dateEdit->setDate(now.date());
    m_ui.timeEdit->setTime(now.time());
    m_nClockSource = 0;
    ui::Dialog::OnInitDialog();
    EnableDateTimePickers();
    return true;
}

void CUserSetting_ZII_TimeTab::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Check(dx, IDC_SET_CLOCK, m_bSetClock);
    ui::DDX_Radio(dx, IDC_COMPUTER_CLOCK, m_nClockSource);
    ui::DDX_Control(dx, IDC_DATE, m_datePicker);
    ui::DDX_Control(dx, IDC_TIME, m_timePicker);
}

void CUserSetting_ZII_TimeTab::OnSetClockCheck()
{
    UpdateData(true);
    EnableDlgItem(IDC_COMPUTER_CLOCK, m_bSetClock);
    EnableDlgItem(IDC_PICKED_CLOCK, m_bSetClock);
    EnableDateTimePickers();
    UpdateData(false);
}

void CUserSetting_ZII_TimeTab::EnableDateTimePickers()
{
    const bool enable = IsDlgButtonChecked(IDC_SET_CLOCK) && IsDlgButtonChecked(IDC_PICKED_CLOCK);
    EnableDlgItem(IDC_DATE, enable);
    EnableDlgItem(IDC_TIME, enable);
}

void CUserSetting_ZII_TimeTab::OnSetToPrinter()
{
    UpdateData(true);
    if (!m_bSetClock)
        return;
    QDate date;
    QTime time;
    if (m_nClockSource == 1) {
        date = m_datePicker->date();
        time = m_timePicker->time();
    } else {
        const QDateTime now = platform::clock().localTime();
        date = now.date();
        time = now.time();
    }
    const QString text = clockpower::ClockSetText(date, time);
    g_comm.WriteString(text, int(text.size()));
}
