#include "maintenance/CCalibration_2.h"

#include "core/Globals.h"
#include "link/Comm.h"
#include "maintenance/CCalibrationExtra.h"
#include "platform/Services.h"
#include "ui/ColorStatic.h"
#include "ui/DataExchange.h"
#include "ui/MessageBox.h"
#include "ui/StringTable.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace {

constexpr int IDC_LABEL_LENGTH = 1238;
constexpr int IDC_FIRST_BIN = 1318;
constexpr int IDC_FIRST_COUNT = 1350;
constexpr int IDC_SENSING_GAP = 1382;
constexpr int IDC_MIDDLE_GAP_VALUE = 1384;
constexpr int IDC_GAP_COUNT = 1426;
constexpr int IDC_CHECK_SENSING = 1152;
constexpr int IDC_CANCEL_CALIBRATION = 1153;
constexpr int IDC_SAVE_CALIBRATION = 1154;

constexpr int IDS_SENSING_READ_FAIL = 640;
constexpr int IDS_SELECT_SENSING_LEVEL = 641;

constexpr int kGapCountBase = 4;  // the list's first item
constexpr int kDefaultGapCountIndex = 3;

const QColor kMarkedText(0, 255, 255);
const QColor kMarkedBackground(0, 0, 128);
const QColor kUnmarkedText(128, 128, 128);

}  // namespace

CCalibration_2::CCalibration_2(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    for (int id : {IDC_LABEL_LENGTH, IDC_MIDDLE_GAP_VALUE})
        item<QLineEdit>(id)->setValidator(new QRegularExpressionValidator(digits, this));
    for (QString& text : m_strCounts)
        text = calibration::CountText(0);

    onCommand(IDC_CHECK_SENSING, &CCalibration_2::OnCheckSensingValue);
    onCommand(IDC_SAVE_CALIBRATION, &CCalibration_2::OnSaveCalibration);
    onCommand(IDC_CANCEL_CALIBRATION, &CCalibration_2::OnCancelCalibration);
    for (int bin = 0; bin < calibration::kBinCount; ++bin)
        onCommand(IDC_FIRST_BIN + bin, &CCalibration_2::OnSelectLevel);
    OnCtlColor();
}

bool CCalibration_2::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    EnableSaveControls(false);
    m_nSensingType = calibration::kSensingGap;
    m_nGapCountIndex = kDefaultGapCountIndex;
    if (g_menuMode == 1) {
        for (int bin = 0; bin < calibration::kBinCount; ++bin)
            SetDlgItemText(IDC_FIRST_BIN + bin, calibration::BinCaption(bin, 1));
    }
    ShowLabelLength();
    UpdateData(false);
    return true;
}

// The label length is left out: only a check uses it (TakeLabelLength), so Save, the bin
// radios and the fine adjustment never stop at a length they do not send.
void CCalibration_2::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Radio(dx, IDC_FIRST_BIN, m_nSelectedBin);
    ui::DDX_Radio(dx, IDC_SENSING_GAP, m_nSensingType);
    ui::DDX_Text(dx, IDC_MIDDLE_GAP_VALUE, m_nMiddleGapValue);
    ui::DDX_CBIndex(dx, IDC_GAP_COUNT, m_nGapCountIndex);
    for (int bin = 0; bin < calibration::kBinCount; ++bin)
        ui::DDX_Text(dx, IDC_FIRST_COUNT + bin, m_strCounts[bin]);
}

bool CCalibration_2::TakeLabelLength()
{
    ui::DataExchange dx(*this, true);
    int length = m_nLabelLength;
    try {
        ui::DDX_Text(dx, IDC_LABEL_LENGTH, length);
    } catch (const ui::DataExchangeFailure&) {
        return true;  // prompted; the check goes on with the length held
    }
    try {
        // A longer feed would block the window for minutes.
        ui::DDV_MinMaxInt(dx, IDC_LABEL_LENGTH, length, 0, calibration::kMaxLabelLengthMm);
    } catch (const ui::DataExchangeFailure&) {
        return false;
    }
    m_nLabelLength = length;
    return true;
}

void CCalibration_2::ShowLabelLength()
{
    SetDlgItemText(IDC_LABEL_LENGTH, QString::number(m_nLabelLength));
}

QChar CCalibration_2::Prefix() const
{
    return calibration::CommandPrefix(g_menuMode);
}

void CCalibration_2::OnCtlColor()
{
    for (int bin = 0; bin < calibration::kBinCount; ++bin) {
        auto* text = item<ui::ColorStatic>(IDC_FIRST_COUNT + bin);
        if (!text)
            continue;
        text->setTextColor(m_bMarked[bin] ? kMarkedText : kUnmarkedText);
        text->setBackgroundColor(m_bMarked[bin] ? kMarkedBackground : QColor());
    }
}

void CCalibration_2::Repaint()
{
    OnCtlColor();
    update();
}

void CCalibration_2::ClearMarks()
{
    std::fill(std::begin(m_bMarked), std::end(m_bMarked), false);
}

void CCalibration_2::ResetCountTexts()
{
    for (QString& text : m_strCounts)
        text = calibration::CountText(0);
}

void CCalibration_2::ClearSensing()
{
    m_nSelectedBin = -1;
    ClearMarks();
    std::fill(std::begin(m_nCounts), std::end(m_nCounts), 0);
    ResetCountTexts();
    EnableBinRadios(nullptr);
    Repaint();
}

void CCalibration_2::EnableBinRadios(const calibration::Analysis* analysis)
{
    for (int bin = 0; bin < calibration::kBinCount; ++bin)
        EnableDlgItem(IDC_FIRST_BIN + bin, analysis && analysis->enabled(bin));
}

void CCalibration_2::EnableSaveControls(bool enable)
{
    for (int id : {IDC_MIDDLE_GAP_VALUE, IDC_GAP_COUNT, IDC_SAVE_CALIBRATION})
        EnableDlgItem(id, enable);
}

void CCalibration_2::OnCheckSensingValue()
{
    if (!TakeLabelLength())
        return;
    UpdateData(true);
    ClearMarks();
    std::fill(std::begin(m_nCounts), std::end(m_nCounts), 0);
    EnableBinRadios(nullptr);
    m_nSelectedBin = -1;
    Repaint();

    const int dots = calibration::LabelDots(m_nLabelLength);
    g_comm.WriteString(calibration::SensingRequest(Prefix(), dots, m_nSensingType), 0);

    char reply[calibration::kReplyLength] = {};
    platform::clock().sleep(calibration::SensingWaitMs(dots, g_comm.m_nPortType == PORT_COM));
    const int length = g_comm.Read(reply, sizeof reply);
    calibration::Counts counts{};
    if (!calibration::ReadCounts(reply, length, counts)) {
        ui::MessageBox(ui::LoadString(IDS_SENSING_READ_FAIL));
        // What the printer sends late must not be taken for the next reply.
        g_comm.Read(reply, sizeof reply);
    } else {
        for (int bin = 0; bin < calibration::kBinCount; ++bin) {
            m_nCounts[bin] = counts[bin];
            m_strCounts[bin] = calibration::CountText(counts[bin]);
        }
        FindSensingThreshold();
        EnableSaveControls(true);
    }
    ShowLabelLength();
    UpdateData(false);
}

void CCalibration_2::FindSensingThreshold()
{
    calibration::Counts counts{};
    std::copy(std::begin(m_nCounts), std::end(m_nCounts), counts.begin());
    const calibration::Analysis found = calibration::FindThreshold(counts, m_nSensingType);

    m_bMarked[found.lowBin] = true;
    m_bMarked[found.highBin] = true;
    EnableBinRadios(&found);
    m_nSelectedBin = found.selected;
    m_nMiddleGapValue = calibration::BinValue(found.selected, g_menuMode);
    Repaint();
    UpdateData(false);

    const int span = found.span();
    if (span > 3)
        return;
    if (span <= 0) {
        ui::MessageBox(ui::LoadString(IDS_SENSING_READ_FAIL));
        return;
    }
    CCalibrationExtra extra(this);
    extra.m_nLowBin = found.lowBin;
    extra.m_nHighBin = found.highBin;
    extra.m_nSpan = span;
    extra.m_nLowCount = m_nCounts[found.lowBin];
    extra.m_nHighCount = m_nCounts[found.highBin];
    extra.m_nSensingType = m_nSensingType;
    extra.m_nGapCount = m_nGapCountIndex + kGapCountBase;
    if (extra.DoModal() == ui::IDOK)
        m_nMiddleGapValue = extra.m_nResult;
}

void CCalibration_2::OnSelectLevel()
{
    UpdateData(true);
    if (m_nSelectedBin >= 0)
        m_nMiddleGapValue = calibration::BinValue(m_nSelectedBin, g_menuMode);
    UpdateData(false);
}

void CCalibration_2::OnSaveCalibration()
{
    UpdateData(true);
    if (m_nSelectedBin == -1) {
        ui::MessageBox(ui::LoadString(IDS_SELECT_SENSING_LEVEL));
        return;
    }
    g_comm.WriteString(
        calibration::SaveCommand(Prefix(), m_nMiddleGapValue, m_nGapCountIndex + kGapCountBase), 0);

    ClearSensing();
    EnableSaveControls(false);
    UpdateData(false);
}

void CCalibration_2::OnCancelCalibration()
{
    UpdateData(true);
    ClearSensing();
    g_comm.WriteString(calibration::CancelCommand(Prefix()), 0);
    EnableSaveControls(false);
    UpdateData(false);
}
