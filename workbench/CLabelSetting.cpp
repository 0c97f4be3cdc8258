#include "workbench/CLabelSetting.h"

#include "ui/DataExchange.h"
#include "workbench/OstrelCommands.h"

namespace {

constexpr int IDC_INCH = 1150;
constexpr int IDC_MM = 1151;
constexpr int IDC_DOTS = 1152;
constexpr int IDC_WIDTH = 1153;
constexpr int IDC_APPLY_MARGIN = 1154;
constexpr int IDC_APPLY_WIDTH = 1155;
constexpr int IDC_WIDTH_UNIT = 1156;
constexpr int IDC_GAP = 1157;
constexpr int IDC_X_MARGIN_UNIT = 1160;
constexpr int IDC_Y_MARGIN_UNIT = 1161;
constexpr int IDC_X_MARGIN = 1162;
constexpr int IDC_Y_MARGIN = 1163;
constexpr int IDC_LENGTH = 1164;
constexpr int IDC_APPLY_LENGTH = 1165;
constexpr int IDC_LENGTH_UNIT = 1166;
constexpr int IDC_INSERT = 1120;

QString unitName(int unit)
{
    switch (unit) {
    case ostrel::UnitInch:
        return QStringLiteral("inch");
    case ostrel::UnitMm:
        return QStringLiteral("mm");
    default:
        return QStringLiteral("dots");
    }
}

}  // namespace

CLabelSetting::CLabelSetting(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_INSERT, &CLabelSetting::OnInsertToLabel);
    onCommand(IDC_INCH, &CLabelSetting::OnUnitInch);
    onCommand(IDC_MM, &CLabelSetting::OnUnitMm);
    onCommand(IDC_DOTS, &CLabelSetting::OnUnitDots);
}

bool CLabelSetting::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_bReopened) {
        m_nUnit = ostrel::UnitInch;
        m_nCurUnit = ostrel::UnitInch;
        m_fWidth = 4.0f;
        m_fLength = 6.0f;
        m_fXMargin = 0.2f;
        m_fYMargin = 0.2f;
        m_nMedia = 0;
        m_bApplyWidth = 1;
        m_bApplyLength = 1;
        m_bApplyMargin = 1;
        SetUnitNames(ostrel::UnitInch);
        m_bInserted = 0;
    }
    UpdateData(false);
    return true;
}

void CLabelSetting::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Radio(dx, IDC_INCH, m_nUnit);
    ui::DDX_Text(dx, IDC_WIDTH, m_fWidth);
    ui::DDX_Check(dx, IDC_APPLY_MARGIN, m_bApplyMargin);
    ui::DDX_Check(dx, IDC_APPLY_WIDTH, m_bApplyWidth);
    ui::DDX_Text(dx, IDC_WIDTH_UNIT, m_strWidthUnit);
    ui::DDX_Radio(dx, IDC_GAP, m_nMedia);
    ui::DDX_Text(dx, IDC_X_MARGIN_UNIT, m_strXMarginUnit);
    ui::DDX_Text(dx, IDC_Y_MARGIN_UNIT, m_strYMarginUnit);
    ui::DDX_Text(dx, IDC_X_MARGIN, m_fXMargin);
    ui::DDX_Text(dx, IDC_Y_MARGIN, m_fYMargin);
    ui::DDX_Text(dx, IDC_LENGTH, m_fLength);
    ui::DDX_Check(dx, IDC_APPLY_LENGTH, m_bApplyLength);
    ui::DDX_Text(dx, IDC_LENGTH_UNIT, m_strLengthUnit);
}

void CLabelSetting::SetUnitNames(int unit)
{
    const QString name = unitName(unit);
    m_strWidthUnit = name;
    m_strLengthUnit = name;
    m_strXMarginUnit = name;
    m_strYMarginUnit = name;
}

void CLabelSetting::ChangeUnit(int unit)
{
    UpdateData(true);
    m_fWidth = ostrel::ConvertLabelValue(m_fWidth, m_nCurUnit, unit);
    m_fLength = ostrel::ConvertLabelValue(m_fLength, m_nCurUnit, unit);
    m_fXMargin = ostrel::ConvertLabelValue(m_fXMargin, m_nCurUnit, unit);
    m_fYMargin = ostrel::ConvertLabelValue(m_fYMargin, m_nCurUnit, unit);
    SetUnitNames(unit);
    m_nCurUnit = unit;
    UpdateData(false);
}

void CLabelSetting::OnUnitInch()
{
    ChangeUnit(ostrel::UnitInch);
}

void CLabelSetting::OnUnitMm()
{
    ChangeUnit(ostrel::UnitMm);
}

void CLabelSetting::OnUnitDots()
{
    ChangeUnit(ostrel::UnitDots);
}

void CLabelSetting::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}
