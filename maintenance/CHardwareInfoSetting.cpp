#include "maintenance/CHardwareInfoSetting.h"

#include "link/Comm.h"
#include "maintenance/MenuZeroStringIds.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"


namespace {

constexpr int IDC_HW_VERSION = 1231;
constexpr int IDC_SERIAL_NUMBER = 1234;
constexpr int IDC_PRINTER_ID = 1237;

// The row's messages, in the table's order from its base.
enum Message { Read = 0, ReadFailed, Written, WriteFailed, Initialized, InitializeFailed };

QString text(hwinfo::Record record, int message)
{
    return ui::LoadString(IDS_HW_RECORD_BASE + record * kHwRecordStride + message);
}

}  // namespace

CHardwareInfoSetting::CHardwareInfoSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(1232, &CHardwareInfoSetting::OnGetHwVersion);
    onCommand(1233, &CHardwareInfoSetting::OnSetHwVersion);
    onCommand(1152, &CHardwareInfoSetting::OnInitHwVersion);
    onCommand(1236, &CHardwareInfoSetting::OnGetSerialNumber);
    onCommand(1235, &CHardwareInfoSetting::OnSetSerialNumber);
    onCommand(1153, &CHardwareInfoSetting::OnInitSerialNumber);
    onCommand(1239, &CHardwareInfoSetting::OnGetPrinterId);
    onCommand(1238, &CHardwareInfoSetting::OnSetPrinterId);
    onCommand(1154, &CHardwareInfoSetting::OnInitPrinterId);
    onEditChange(IDC_HW_VERSION, &CHardwareInfoSetting::OnChangeHwVersion);
    onEditChange(IDC_SERIAL_NUMBER, &CHardwareInfoSetting::OnChangeSerialNumber);
    onEditChange(IDC_PRINTER_ID, &CHardwareInfoSetting::OnChangePrinterId);
}

void CHardwareInfoSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_HW_VERSION, m_strHwVersion);
    ui::DDX_Text(dx, IDC_PRINTER_ID, m_strPrinterId);
    ui::DDX_Text(dx, IDC_SERIAL_NUMBER, m_strSerialNumber);
}

QString& CHardwareInfoSetting::field(hwinfo::Record record)
{
    switch (record) {
    case hwinfo::HardwareVersion:
        return m_strHwVersion;
    case hwinfo::SerialNumber:
        return m_strSerialNumber;
    case hwinfo::PrinterId:
        break;
    }
    return m_strPrinterId;
}

void CHardwareInfoSetting::getRecord(hwinfo::Record record)
{
    const hwinfo::RecordRules& rules = hwinfo::Rules(record);
    QString& value = field(record);
    value.clear();
    UpdateData(false);

    g_comm.Write(rules.read);
    platform::clock().sleep(rules.waitMs);
    QByteArray reply(rules.replyLength, '\0');
    const int n = g_comm.Read(reply.data(), rules.replyLength);
    if (n > 0)
        value = hwinfo::ReplyText(reply.left(n));

    // An empty serial number is still an answer; an empty version or ID is not.
    const bool success = n > 0 && (record == hwinfo::SerialNumber || !value.isEmpty());
    if (success)
        ui::MessageBox(text(record, Read) + value + QLatin1Char('.'),
                       platform::AlertIcon::Information, QStringLiteral("Information"));
    else
        ui::MessageBox(text(record, ReadFailed));
    UpdateData(false);
    // Showing the reply changes the edit's text as typing does, under the same limit.
    limitRecord(record);
}

void CHardwareInfoSetting::setRecord(hwinfo::Record record)
{
    UpdateData(true);
    const QByteArray command =
        hwinfo::Write(record, platform::codePage().fromWide(field(record)));
    // A value whose code-page form would not fit the printer's command is refused, not cut.
    if (command.isEmpty()) {
        ui::MessageBox(ui::LoadString(IDS_HW_TOO_LONG_BASE + record));
        return;
    }
    const bool sent = g_comm.Write(command) != 0;
    platform::clock().sleep(hwinfo::kWriteWaitMs);
    report(record, Written, sent);
}

void CHardwareInfoSetting::initRecord(hwinfo::Record record)
{
    UpdateData(true);
    const bool sent = g_comm.Write(hwinfo::Initialize(record)) != 0;
    platform::clock().sleep(hwinfo::kWriteWaitMs);
    report(record, Initialized, sent);
}

void CHardwareInfoSetting::report(hwinfo::Record record, int success, bool sent)
{
    if (sent)
        ui::MessageBox(text(record, success), platform::AlertIcon::Information);
    else
        ui::MessageBox(text(record, success + 1));
}

void CHardwareInfoSetting::limitRecord(hwinfo::Record record)
{
    UpdateData(true);
    QString& value = field(record);
    const int limit = hwinfo::Rules(record).maxChars;
    if (value.size() <= limit)
        return;
    value.truncate(limit);
    UpdateData(false);
    ui::MessageBox(ui::LoadString(IDS_HW_TOO_LONG_BASE + record));
}
