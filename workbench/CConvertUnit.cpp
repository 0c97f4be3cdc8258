#include "workbench/CConvertUnit.h"

#include "ui/DataExchange.h"
#include "workbench/OstrelCommands.h"

namespace {

constexpr int IDC_OUT_UNIT = 1180;
constexpr int IDC_RESULT = 1181;
constexpr int IDC_IN_UNIT = 1182;
constexpr int IDC_VALUE = 1183;
constexpr int IDC_INCH_TO_MM = 1184;
constexpr int IDC_CONVERT_UNIT = 1190;

struct Conversion {
    const char* inUnit;
    const char* outUnit;
};
constexpr Conversion kConversions[6] = {
    {"inch", "mm"}, {"inch", "dots"}, {"dots", "inch"},
    {"dots", "mm"}, {"mm", "inch"},   {"mm", "dots"},
};

}  // namespace

CConvertUnit::CConvertUnit(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_CONVERT_UNIT, &CConvertUnit::OnConvertUnit);
    for (int i = 0; i < 6; ++i) {
        if (auto* radio = item<QAbstractButton>(IDC_INCH_TO_MM + i))
            connect(radio, &QAbstractButton::clicked, this, [this, i] { OnConversionChosen(i); });
    }
}

bool CConvertUnit::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_fValue = 0.0f;
    m_fResult = 0.0f;
    m_strInUnit = QStringLiteral("inch");
    m_strOutUnit = QStringLiteral("mm");
    m_nConversion = 0;
    UpdateData(false);
    return true;
}

void CConvertUnit::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_OUT_UNIT, m_strOutUnit);
    // The result is output: taking it back could only fail (on "inf") and block the window.
    if (!dx.saving())
        ui::DDX_Text(dx, IDC_RESULT, m_fResult);
    ui::DDX_Text(dx, IDC_IN_UNIT, m_strInUnit);
    ui::DDX_Text(dx, IDC_VALUE, m_fValue);
    ui::DDX_Radio(dx, IDC_INCH_TO_MM, m_nConversion);
}

void CConvertUnit::OnConvertUnit()
{
    UpdateData(true);
    if (const auto result = ostrel::ConvertUnitValue(m_fValue, m_nConversion))
        m_fResult = *result;
    UpdateData(false);
}

void CConvertUnit::OnConversionChosen(int conversion)
{
    UpdateData(true);
    m_strInUnit = QString::fromLatin1(kConversions[conversion].inUnit);
    m_strOutUnit = QString::fromLatin1(kConversions[conversion].outUnit);
    UpdateData(false);
}

void OnOpenConvertUnit(QWidget* parent)
{
    CConvertUnit converter(parent);
    converter.DoModal();
}
