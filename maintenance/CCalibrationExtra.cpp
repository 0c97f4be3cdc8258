#include "maintenance/CCalibrationExtra.h"

#include "link/Comm.h"
#include "maintenance/CalibrationCommands.h"
#include "ui/ColorStatic.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

constexpr int IDC_FIRST_LEVEL = 1401;
constexpr int IDC_LOW_LABEL = 1410;
constexpr int IDC_HIGH_LABEL = 1411;
constexpr int IDC_LOW_COUNT = 1413;
constexpr int IDC_HIGH_COUNT = 1421;
constexpr int IDC_MIDDLE_GAP_VALUE = 1384;
constexpr int IDC_GAP_COUNT = 1237;
constexpr int IDC_SAVE_CALIBRATION = 1154;
constexpr int kLevelCount = 8;
constexpr int kDefaultLevel = 4;

constexpr int IDS_SELECT_SENSING_LEVEL = 641;

}  // namespace

CCalibrationExtra::CCalibrationExtra(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    for (int id : {IDC_MIDDLE_GAP_VALUE, IDC_GAP_COUNT})
        item<QLineEdit>(id)->setValidator(new QRegularExpressionValidator(digits, this));
    for (int id : {IDC_LOW_COUNT, IDC_HIGH_COUNT}) {
        auto* text = item<ui::ColorStatic>(id);
        text->setTextColor(QColor(0, 255, 255));
        text->setBackgroundColor(QColor(0, 0, 128));
    }
    for (int level = 0; level < kLevelCount; ++level)
        onCommand(IDC_FIRST_LEVEL + level, &CCalibrationExtra::OnSelectDetailLevel);
    onCommand(IDC_SAVE_CALIBRATION, &CCalibrationExtra::OnSaveCalibration);
}

bool CCalibrationExtra::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_strLowLabel = calibration::ThreeDigits((m_nLowBin + 1) * 32) + QStringLiteral(" : ");
    m_strHighLabel = calibration::ThreeDigits((m_nHighBin + 1) * 32) + QStringLiteral(" : ");
    m_strLowCount = calibration::ThreeDigits(m_nLowCount);
    m_strHighCount = calibration::ThreeDigits(m_nHighCount);
    m_nDetailLevel = kDefaultLevel;
    LabelDetailLevels();
    update();
    UpdateData(false);
    return true;
}

void CCalibrationExtra::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_LOW_LABEL, m_strLowLabel);
    ui::DDX_Text(dx, IDC_HIGH_LABEL, m_strHighLabel);
    ui::DDX_Text(dx, IDC_LOW_COUNT, m_strLowCount);
    ui::DDX_Text(dx, IDC_HIGH_COUNT, m_strHighCount);
    ui::DDX_Radio(dx, IDC_FIRST_LEVEL, m_nDetailLevel);
    ui::DDX_Text(dx, IDC_MIDDLE_GAP_VALUE, m_nMiddleGapValue);
    ui::DDX_Text(dx, IDC_GAP_COUNT, m_nGapCount);
}

int CCalibrationExtra::LevelValue(int level) const
{
    return calibration::DetailLevelValue(m_nHighBin, m_nSpan, level);
}

void CCalibrationExtra::LabelDetailLevels()
{
    for (int level = 1; level < kLevelCount; ++level) {
        SetDlgItemText(IDC_FIRST_LEVEL + level,
                       calibration::ThreeDigits(LevelValue(level)) + QStringLiteral(" :"));
    }
    m_nMiddleGapValue = LevelValue(m_nDetailLevel);
}

void CCalibrationExtra::OnSelectDetailLevel()
{
    UpdateData(true);
    m_nMiddleGapValue = LevelValue(m_nDetailLevel);
    UpdateData(false);
}

void CCalibrationExtra::OnSaveCalibration()
{
    UpdateData(true);
    if (m_nResult == -1) {
        ui::MessageBox(ui::LoadString(IDS_SELECT_SENSING_LEVEL));
        return;
    }
    // Always the menu-mode-1 form: this window is the same in both modes.
    g_comm.WriteString(calibration::SaveCommand(QChar(u'*'), m_nMiddleGapValue, m_nGapCount), 0);
    m_nResult = -1;
    update();
    UpdateData(false);
}

void CCalibrationExtra::OnOK()
{
    UpdateData(true);
    m_nResult = m_nMiddleGapValue;
    ui::Dialog::OnOK();
}
