#include "maintenance/CManualCalibration.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/CalibrationCommands.h"
#include "ui/DataExchange.h"

#include <QComboBox>
#include <QPushButton>

namespace {

constexpr int IDC_MEDIA_TYPE = 1106;
constexpr int IDC_LABEL_LENGTH = 1237;
constexpr int IDC_DETECT_COUNT = 1250;
constexpr int IDC_DETECT_MARGIN = 1253;
constexpr int IDC_FIRST_PRESET = 1152;
constexpr int IDC_CANCEL_CALIBRATION = 1247;
constexpr int IDC_EXECUTE_CALIBRATION = 1248;

// List indexes of the presets: detect margin on gap media, on black-mark media, detections.
struct Preset {
    int gapMargin;
    int blackMarkMargin;
    int detectCount;
};

constexpr Preset kPresets[8] = {
    {1, 0, 1}, {1, 0, 4}, {2, 1, 1}, {2, 1, 4}, {3, 2, 1}, {3, 2, 4}, {13, 8, 1}, {13, 8, 4},
};

}  // namespace

CManualCalibration::CManualCalibration(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    for (int preset = 0; preset < 8; ++preset) {
        connect(item<QPushButton>(IDC_FIRST_PRESET + preset), &QPushButton::clicked, this,
                [this, preset] { OnSettingPreset(preset); });
    }
    onCommand(IDC_EXECUTE_CALIBRATION, &CManualCalibration::OnExecuteCalibration);
    onCommand(IDC_CANCEL_CALIBRATION, &CManualCalibration::OnCancelCalibration);
}

bool CManualCalibration::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_cbDetectCount->setCurrentIndex(4);
    m_nMediaType = 0;
    m_cbDetectMargin->setCurrentIndex(6);
    m_strLabelLength = QStringLiteral("1500");
    UpdateData(false);
    return true;
}

void CManualCalibration::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_DETECT_MARGIN, m_cbDetectMargin);
    ui::DDX_Control(dx, IDC_DETECT_COUNT, m_cbDetectCount);
    ui::DDX_Text(dx, IDC_LABEL_LENGTH, m_strLabelLength);
    ui::DDX_CBIndex(dx, IDC_MEDIA_TYPE, m_nMediaType);
}

void CManualCalibration::OnExecuteCalibration()
{
    // The label length as the edit shows it, like the two lists: what the operator sees is
    // what is sent.
    m_strLabelLength = GetDlgItemText(IDC_LABEL_LENGTH);
    g_comm.WriteString(calibration::ManualExecuteCommand(calibration::CommandPrefix(g_menuMode),
                                                         m_cbDetectCount->currentText(),
                                                         m_cbDetectMargin->currentText(),
                                                         m_strLabelLength),
                       0);
}

void CManualCalibration::OnCancelCalibration()
{
    g_comm.WriteString(calibration::ManualCancelCommand(calibration::CommandPrefix(g_menuMode)), 0);
}

void CManualCalibration::OnSettingPreset(int preset)
{
    UpdateData(true);
    const Preset& p = kPresets[preset];
    m_cbDetectMargin->setCurrentIndex(m_nMediaType == 0 ? p.gapMargin : p.blackMarkMargin);
    m_cbDetectCount->setCurrentIndex(p.detectCount);
    UpdateData(false);
}
