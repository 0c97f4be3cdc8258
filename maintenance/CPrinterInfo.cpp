#include "maintenance/CPrinterInfo.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/PrinterInfoCommands.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/ResourceText.h"
#include "ui/WaitCursor.h"

#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <optional>

namespace {

constexpr int IDC_PROGRESS = 1245;
constexpr int IDC_MODEL = 1229;
constexpr int IDC_FIRMWARE = 1231;
constexpr int IDC_MOTOR_FEED = 1236;
constexpr int IDC_MOTOR_TOTAL = 1237;
constexpr int IDC_TPH_ENERGIZE = 1238;
constexpr int IDC_TPH_TOTAL = 1239;
constexpr int IDC_CUTTER = 1240;
constexpr int IDC_CUTTER_TOTAL = 1241;
constexpr int IDC_CUTTER_LABEL = 1141;
constexpr int IDC_CUTTER_TOTAL_LABEL = 1142;
constexpr int IDC_USB_SERIAL = 1119;
constexpr int IDC_GET = 1002;
constexpr int IDC_INIT_MOTOR = 1116;
constexpr int IDC_INIT_TPH = 1117;
constexpr int IDC_INIT_CUTTER = 1118;
constexpr int IDC_SET_USB_SERIAL = 1120;

constexpr int IDS_GET_INFO_OK = 151;
constexpr int IDS_GET_INFO_FAILED = 152;
constexpr int IDS_USB_SERIAL_16 = 269;
constexpr int IDS_USB_SERIAL_13 = 270;

QString modelName()
{
    return g_curModelInfo ? g_curModelInfo->m_strModelName : QString();
}

}  // namespace

CPrinterInfo::CPrinterInfo(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_GET, &CPrinterInfo::OnGetPrinterInfo);
    onCommand(IDC_INIT_MOTOR, &CPrinterInfo::OnInitMotorStat);
    onCommand(IDC_INIT_TPH, &CPrinterInfo::OnInitTphStat);
    onCommand(IDC_INIT_CUTTER, &CPrinterInfo::OnInitCutterStat);
    onCommand(IDC_SET_USB_SERIAL, &CPrinterInfo::OnSetUsbSerialNumber);
    // The model and firmware replies keep their line end; each value keeps one line's
    // height so such a reply neither grows its row nor moves it off its caption.
    for (QLabel* value : {m_ui.value1229, m_ui.value1231, m_ui.value1236, m_ui.value1237,
                          m_ui.value1238, m_ui.value1239, m_ui.value1240, m_ui.value1241}) {
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        value->setFixedHeight(value->fontMetrics().height());
        m_ui.groupInfo->layout()->setAlignment(value, Qt::AlignVCenter);
    }
}

CPrinterInfo::~CPrinterInfo() = default;

bool CPrinterInfo::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (g_curModelInfo && g_curModelInfo->m_nMenuViewId == 201) {
        SetDlgItemText(IDC_CUTTER_LABEL, QStringLiteral("Label Print History :"));
        SetDlgItemText(IDC_CUTTER_TOTAL_LABEL, QStringLiteral("Permanent Label History :"));
        SetDlgItemText(IDC_INIT_CUTTER, QStringLiteral("Init Label Stat"));
    }
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    return true;
}

void CPrinterInfo::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_PROGRESS, m_progress);
    ui::DDX_Text(dx, IDC_MODEL, m_strModel);
    ui::DDX_Text(dx, IDC_FIRMWARE, m_strFirmware);
    ui::DDX_Text(dx, IDC_MOTOR_FEED, m_strMotorFeed);
    ui::DDX_Text(dx, IDC_MOTOR_TOTAL, m_strMotorTotal);
    ui::DDX_Text(dx, IDC_TPH_ENERGIZE, m_strTphEnergize);
    ui::DDX_Text(dx, IDC_TPH_TOTAL, m_strTphTotal);
    ui::DDX_Text(dx, IDC_CUTTER, m_strCutter);
    ui::DDX_Text(dx, IDC_CUTTER_TOTAL, m_strCutterTotal);
    ui::DDX_Text(dx, IDC_USB_SERIAL, m_strUsbSerial);
    ui::DDV_MaxChars(dx, IDC_USB_SERIAL, m_strUsbSerial, printerinfo::UsbSerialLength(modelName()));
}

void CPrinterInfo::StepProgress()
{
    m_progress->setValue(std::min(m_progress->maximum(), m_progress->value() + 10));
}

void CPrinterInfo::OnGetPrinterInfo()
{
    // Ended before either message: the operator answers it with the arrow.
    std::optional<ui::WaitCursor> wait(std::in_place);
    StepProgress();
    QString* values[] = {&m_strModel,     &m_strFirmware, &m_strMotorFeed,   &m_strMotorTotal,
                         &m_strTphEnergize, &m_strTphTotal, &m_strCutter, &m_strCutterTotal};
    for (QString* v : values)
        v->clear();
    UpdateData(false);

    QString read[printerinfo::kInfoQueryCount];
    int lastCount = 0;
    for (int i = 0; i < printerinfo::kInfoQueryCount; ++i) {
        if (i > 0)
            StepProgress();
        const printerinfo::InfoQuery& q = printerinfo::kInfoQueries[i];
        g_comm.Write(QByteArray(q.command));
        platform::clock().sleep(40);
        char reply[32] = {};
        lastCount = g_comm.Read(reply, int(sizeof reply));
        read[i] = printerinfo::InfoValue(q.kind, reply, lastCount);
    }
    StepProgress();
    wait.reset();
    if (lastCount <= 0) {
        ui::MessageBox(LoadResString(IDS_GET_INFO_FAILED));
        return;
    }
    m_progress->setValue(0);
    for (int i = 0; i < printerinfo::kInfoQueryCount; ++i)
        *values[i] = read[i];
    UpdateData(false);
    ui::MessageBox(LoadResString(IDS_GET_INFO_OK), platform::AlertIcon::Information);
}

void CPrinterInfo::OnInitMotorStat()
{
    g_comm.Write(printerinfo::CounterResetCommand(printerinfo::ResetMotor));
}

void CPrinterInfo::OnInitTphStat()
{
    g_comm.Write(printerinfo::CounterResetCommand(printerinfo::ResetTph));
}

void CPrinterInfo::OnInitCutterStat()
{
    g_comm.Write(printerinfo::CounterResetCommand(printerinfo::ResetCutter));
}

void CPrinterInfo::OnSetUsbSerialNumber()
{
    UpdateData(true);
    const int length = printerinfo::UsbSerialLength(modelName());
    if (m_strUsbSerial.size() != length) {
        ui::MessageBox(LoadResString(length == 16 ? IDS_USB_SERIAL_16 : IDS_USB_SERIAL_13));
        return;
    }
    const QString text = printerinfo::UsbSerialText(m_strUsbSerial);
    if (g_comm.WriteString(text, int(text.size())) == 0)
        return;
    ShowUsbSerialNumberMessage();
}
