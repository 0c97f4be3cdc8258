#include "workbench/CPrintingSetting.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/OstrelCommands.h"

#include <QSignalBlocker>

namespace {

constexpr int IDC_SPEED_FIRST = 1130;
constexpr int IDC_TOP = 1135;
constexpr int IDC_APPLY_DENSITY = 1137;
constexpr int IDC_APPLY_DIRECTION = 1138;
constexpr int IDC_APPLY_SPEED = 1139;
constexpr int IDC_DENSITY_SLIDER = 1140;
constexpr int IDC_DENSITY_TEXT = 1141;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;

constexpr int kMaxDensity = 20;

}  // namespace

CPrintingSetting::CPrintingSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_INSERT, &CPrintingSetting::OnInsertToLabel);
    onCommand(IDC_TEST_PRINT, &CPrintingSetting::OnTestPrint);
    connect(m_ui.sliderDensity, &QSlider::valueChanged, this, [this] { OnVScroll(); });
}

bool CPrintingSetting::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.sliderDensity->setRange(0, kMaxDensity);
    // Position 0 (density 20) at the top: up raises the density, by mouse and by key.
    m_ui.sliderDensity->setInvertedAppearance(true);
    m_ui.sliderDensity->setInvertedControls(true);
    m_ui.sliderDensity->setTickInterval(1);
    if (!m_bReopened) {
        m_nDensityPos = 0;
        m_strDensity = QString::number(kMaxDensity);
        m_nSpeed = 3;
        m_nDirection = 0;
        m_bApplySpeed = 1;
        m_bApplyDensity = 1;
        m_bApplyDirection = 1;
        m_bInserted = 0;
    }
    UpdateData(false);
    return true;
}

void CPrintingSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Radio(dx, IDC_SPEED_FIRST, m_nSpeed);
    ui::DDX_Radio(dx, IDC_TOP, m_nDirection);
    ui::DDX_Check(dx, IDC_APPLY_DENSITY, m_bApplyDensity);
    ui::DDX_Check(dx, IDC_APPLY_DIRECTION, m_bApplyDirection);
    ui::DDX_Check(dx, IDC_APPLY_SPEED, m_bApplySpeed);
    {
        // Showing the position is not a scroll by the operator.
        const QSignalBlocker quiet(m_ui.sliderDensity);
        ui::DDX_Slider(dx, IDC_DENSITY_SLIDER, m_nDensityPos);
    }
    ui::DDX_Text(dx, IDC_DENSITY_TEXT, m_strDensity);
}

void CPrintingSetting::OnVScroll()
{
    UpdateData(true);
    m_strDensity = QString::number(kMaxDensity - m_nDensityPos);
    UpdateData(false);
}

void CPrintingSetting::OnTestPrint()
{
    UpdateData(true);
    const QString job = ostrel::PrintingSettingTestLabel(
        {m_bApplySpeed != 0, m_nSpeed, m_bApplyDensity != 0, kMaxDensity - m_nDensityPos,
         m_bApplyDirection != 0, m_nDirection});
    g_comm.WriteString(job, static_cast<int>(job.size()));
}

void CPrintingSetting::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
