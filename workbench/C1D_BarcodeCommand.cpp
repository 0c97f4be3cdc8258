#include "workbench/C1D_BarcodeCommand.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/BarcodeCommands.h"
#include "workbench/CConvertUnit.h"
#include "workbench/OstrelCommands.h"

#include <QComboBox>

namespace {

constexpr int IDC_CONVERT = 1000;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;
constexpr int IDC_X = 1230;
constexpr int IDC_Y = 1232;
constexpr int IDC_BARCODE = 1234;
constexpr int IDC_NARROW = 1235;
constexpr int IDC_WIDE = 1237;
constexpr int IDC_HEIGHT = 1239;
constexpr int IDC_ROTATION = 1241;
constexpr int IDC_HRI = 1242;
constexpr int IDC_QUIET_ZONE_CHECK = 1243;
constexpr int IDC_QUIET_ZONE = 1244;
constexpr int IDC_QUIET_ZONE_SPIN = 1245;
constexpr int IDC_DATA = 1246;

}  // namespace

C1D_BarcodeCommand::C1D_BarcodeCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_TEST_PRINT, &C1D_BarcodeCommand::OnTestPrint);
    onCommand(IDC_INSERT, &C1D_BarcodeCommand::OnInsertToLabel);
    onCommand(IDC_QUIET_ZONE_CHECK, &C1D_BarcodeCommand::OnQuietZoneCheck);
    onCommand(IDC_CONVERT, &C1D_BarcodeCommand::OnOpenConvertUnit);
}

bool C1D_BarcodeCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinHeight->setRange(0, 1000);
    m_ui.spinNarrow->setRange(1, 100);
    m_ui.spinWide->setRange(1, 100);
    m_ui.spinY->setRange(0, 1000);
    m_ui.spinX->setRange(0, 1000);
    m_ui.spinQuietZone->setRange(0, 20);
    if (!m_bReopened) {
        m_fX = 100;
        m_fY = 100;
        m_nBarcodeType = 0;
        m_nNarrow = 2;
        m_nWide = 7;
        m_nHeight = 100;
        m_nHri = 1;
        m_bQuietZone = 0;
        m_nQuietZone = 12;
        m_strData = QStringLiteral("123456789");
        m_cbRotation->setCurrentIndex(0);
        m_bInserted = 0;
    } else {
        m_cbRotation->setCurrentIndex(m_nSavedRotation);
    }
    EnableQuietZone(m_bQuietZone != 0);
    UpdateData(false);
    return true;
}

void C1D_BarcodeCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_ROTATION, m_cbRotation);
    ui::DDX_Text(dx, IDC_HEIGHT, m_nHeight);
    ui::DDX_CBIndex(dx, IDC_BARCODE, m_nBarcodeType);
    ui::DDX_CBIndex(dx, IDC_HRI, m_nHri);
    ui::DDX_Text(dx, IDC_NARROW, m_nNarrow);
    ui::DDX_Text(dx, IDC_WIDE, m_nWide);
    ui::DDX_Text(dx, IDC_Y, m_fY);
    ui::DDX_Text(dx, IDC_X, m_fX);
    ui::DDX_Text(dx, IDC_QUIET_ZONE, m_nQuietZone);
    ui::DDX_Check(dx, IDC_QUIET_ZONE_CHECK, m_bQuietZone);
    ui::DDX_Text(dx, IDC_DATA, m_strData);
}

void C1D_BarcodeCommand::EnableQuietZone(bool enable)
{
    EnableDlgItem(IDC_QUIET_ZONE, enable);
    EnableDlgItem(IDC_QUIET_ZONE_SPIN, enable);
}

void C1D_BarcodeCommand::OnQuietZoneCheck()
{
    UpdateData(true);
    EnableQuietZone(IsDlgButtonChecked(IDC_QUIET_ZONE_CHECK));
}

ostrel::LinearBarcode C1D_BarcodeCommand::command(int rotation) const
{
    return {m_fX,     m_fY,   m_nBarcodeType,     m_nNarrow,    m_nWide,  m_nHeight,
            rotation, m_nHri, m_bQuietZone != 0, m_nQuietZone, m_strData};
}

void C1D_BarcodeCommand::OnTestPrint()
{
    UpdateData(true);
    const QString job =
        ostrel::TestPrintJob(ostrel::LinearBarcodeLine(command(m_cbRotation->currentIndex())));
    g_comm.WriteString(job, static_cast<int>(job.size()));
}

void C1D_BarcodeCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_nSavedRotation = m_cbRotation->currentIndex();
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}

void C1D_BarcodeCommand::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}
