#include "workbench/C2D_BarcodeCommand.h"

#include "link/Comm.h"
#include "platform/Services.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "workbench/BarcodeCommands.h"
#include "workbench/CConvertUnit.h"
#include "workbench/OstrelCommands.h"

#include <QComboBox>

namespace {

constexpr int IDS_COMPRESS_LIST = 340;
constexpr int IDS_ORIGIN_LIST = 341;

constexpr int IDC_CONVERT = 1000;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;
constexpr int IDC_SYMBOLOGY = 1250;
constexpr int IDC_X = 1251;
constexpr int IDC_Y = 1253;
constexpr int IDC_TYPE_LETTER = 1255;
constexpr int IDC_MODE_LABEL = 1256;
constexpr int IDC_MODE = 1257;
constexpr int IDC_MAX_ROW = 1258;
constexpr int IDC_MAX_ROW_SPIN = 1259;
constexpr int IDC_MAX_COL = 1260;
constexpr int IDC_MAX_COL_SPIN = 1261;
constexpr int IDC_ECL_LABEL = 1262;
constexpr int IDC_ECL = 1263;
constexpr int IDC_COMPRESS = 1264;
constexpr int IDC_HRI = 1265;
constexpr int IDC_ORIGIN = 1266;
constexpr int IDC_MODULE_WIDTH = 1267;
constexpr int IDC_MODULE_WIDTH_SPIN = 1268;
constexpr int IDC_BAR_LABEL = 1269;
constexpr int IDC_BAR = 1270;
constexpr int IDC_BAR_SPIN = 1271;
constexpr int IDC_ROTATION = 1272;
constexpr int IDC_DATA = 1273;

void fillList(QComboBox* combo, const QStringList& items)
{
    combo->clear();
    combo->addItems(items);
}

}  // namespace

C2D_BarcodeCommand::C2D_BarcodeCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onSelChange(IDC_SYMBOLOGY, &C2D_BarcodeCommand::OnSymbologyChange);
    onSelChange(IDC_MODE, &C2D_BarcodeCommand::OnModeChange);
    onSelChange(IDC_ECL, &C2D_BarcodeCommand::OnEclChange);
    onCommand(IDC_TEST_PRINT, &C2D_BarcodeCommand::OnTestPrint);
    onCommand(IDC_INSERT, &C2D_BarcodeCommand::OnInsertToLabel);
    onCommand(IDC_CONVERT, &C2D_BarcodeCommand::OnOpenConvertUnit);
}

bool C2D_BarcodeCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinX->setRange(0, 1000);
    m_ui.spinY->setRange(0, 1000);
    m_ui.spinMaxRow->setRange(3, 90);
    m_ui.spinMaxCol->setRange(1, 30);
    m_ui.spinModuleWidth->setRange(2, 9);
    FillComboFromResource(IDS_COMPRESS_LIST, m_ui.comboCompress);
    FillComboFromResource(IDS_ORIGIN_LIST, m_ui.comboOrigin);
    UpdateData(false);
    UpdateData(true);
    if (!m_bReopened) {
        m_fX = 100;
        m_fY = 100;
        m_nSymbology = ostrel::MaxiCode;
        m_strTypeLetter = QStringLiteral("M");
        m_strModeLabel = QStringLiteral("Mode");
        fillList(m_cbMode, {QStringLiteral("Mode 0"), QStringLiteral("Mode 2"),
                            QStringLiteral("Mode 3"), QStringLiteral("Mode 4")});
        m_cbMode->setCurrentIndex(0);
        m_nSavedMode = 0;
        m_nMaxRow = 30;
        m_nMaxCol = 5;
        m_nSavedEcl = 0;
        m_nCompress = 0;
        m_nHri = 1;
        m_nOrigin = 1;
        m_nModuleWidth = 3;
        m_strEclLabel = QStringLiteral("ECL");
        m_strBarLabel = QStringLiteral("Bar Height");
        m_nRotation = 0;
        m_cbRotation->setCurrentIndex(0);
        m_strData = ostrel::MaxiCodeFirstSample();
        m_bInserted = 0;
        m_nPrevSymbology = ostrel::MaxiCode;
        EnableForSymbology(ostrel::MaxiCode);
        UpdateData(false);
    } else {
        OnSymbologyChange();
        m_cbRotation->setCurrentIndex(m_nRotation);
    }
    return true;
}

void C2D_BarcodeCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_ECL, m_cbEcl);
    ui::DDX_Control(dx, IDC_MODE, m_cbMode);
    ui::DDX_Control(dx, IDC_ROTATION, m_cbRotation);
    ui::DDX_Text(dx, IDC_TYPE_LETTER, m_strTypeLetter);
    ui::DDX_Text(dx, IDC_BAR, m_nBarHeight);
    ui::DDX_Text(dx, IDC_DATA, m_strData);
    ui::DDX_CBIndex(dx, IDC_COMPRESS, m_nCompress);
    ui::DDX_CBIndex(dx, IDC_HRI, m_nHri);
    ui::DDX_Text(dx, IDC_MAX_COL, m_nMaxCol);
    ui::DDX_Text(dx, IDC_MAX_ROW, m_nMaxRow);
    ui::DDX_Text(dx, IDC_MODULE_WIDTH, m_nModuleWidth);
    ui::DDX_CBIndex(dx, IDC_ORIGIN, m_nOrigin);
    ui::DDX_Text(dx, IDC_X, m_fX);
    ui::DDX_Text(dx, IDC_Y, m_fY);
    ui::DDX_CBIndex(dx, IDC_SYMBOLOGY, m_nSymbology);
    ui::DDX_Text(dx, IDC_ECL_LABEL, m_strEclLabel);
    ui::DDX_Text(dx, IDC_MODE_LABEL, m_strModeLabel);
    ui::DDX_Text(dx, IDC_BAR_LABEL, m_strBarLabel);
}

void C2D_BarcodeCommand::EnableForSymbology(int symbology)
{
    const bool maxi = symbology == ostrel::MaxiCode;
    const bool pdf = symbology == ostrel::Pdf417;
    const bool qr = symbology == ostrel::QrCode;
    EnableDlgItem(IDC_MODE, maxi || qr);
    for (int id : {IDC_MAX_ROW, IDC_MAX_ROW_SPIN, IDC_MAX_COL, IDC_MAX_COL_SPIN, IDC_COMPRESS,
                   IDC_HRI, IDC_ORIGIN, IDC_MODULE_WIDTH, IDC_MODULE_WIDTH_SPIN})
        EnableDlgItem(id, pdf);
    for (int id : {IDC_ECL, IDC_BAR, IDC_BAR_SPIN, IDC_ROTATION})
        EnableDlgItem(id, pdf || qr);
}

void C2D_BarcodeCommand::OnSymbologyChange()
{
    UpdateData(true);
    const int symbology = m_nSymbology;
    switch (symbology) {
    case ostrel::MaxiCode:
        m_strModeLabel = QStringLiteral("Mode");
        fillList(m_cbMode, {QStringLiteral("Mode 0"), QStringLiteral("Mode 2"),
                            QStringLiteral("Mode 3"), QStringLiteral("Mode 4")});
        break;
    case ostrel::Pdf417:
        m_strEclLabel = QStringLiteral("ECL");
        fillList(m_cbEcl, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                           QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
        m_ui.spinBar->setRange(4, 99);
        break;
    case ostrel::QrCode:
        m_strEclLabel = QStringLiteral("ECC");
        fillList(m_cbEcl, {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"),
                           QStringLiteral("H")});
        m_ui.spinBar->setRange(1, 4);
        m_strModeLabel = QStringLiteral("Model");
        fillList(m_cbMode, {QStringLiteral("Model 1"), QStringLiteral("Model 2")});
        break;
    default:
        break;
    }
    if (symbology != m_nPrevSymbology) {
        switch (symbology) {
        case ostrel::MaxiCode:
            m_strTypeLetter = QStringLiteral("M");
            m_cbMode->setCurrentIndex(0);
            m_nSavedMode = 0;
            m_strData = ostrel::MaxiCodeSample(0);
            break;
        case ostrel::Pdf417:
            m_strTypeLetter = QStringLiteral("P");
            m_cbEcl->setCurrentIndex(0);
            m_nSavedEcl = 0;
            m_nRotation = 0;
            m_cbRotation->setCurrentIndex(0);
            m_strBarLabel = QStringLiteral("Bar Height");
            m_nBarHeight = 10;
            m_strData = ostrel::Pdf417Sample();
            break;
        case ostrel::QrCode:
            m_strTypeLetter = QStringLiteral("Q");
            m_cbEcl->setCurrentIndex(0);
            m_nSavedEcl = 0;
            m_nRotation = 0;
            m_cbRotation->setCurrentIndex(0);
            m_strBarLabel = QStringLiteral("Bar Size");
            m_cbMode->setCurrentIndex(0);
            m_nSavedMode = 0;
            m_nBarHeight = 4;
            m_strData = ostrel::QrCodeSample();
            break;
        default:
            break;
        }
    } else {
        switch (symbology) {
        case ostrel::MaxiCode:
            m_cbMode->setCurrentIndex(m_nSavedMode);
            break;
        case ostrel::Pdf417:
            m_cbEcl->setCurrentIndex(m_nSavedEcl);
            break;
        case ostrel::QrCode:
            m_cbEcl->setCurrentIndex(m_nSavedEcl);
            m_cbMode->setCurrentIndex(m_nSavedMode);
            break;
        default:
            break;
        }
    }
    EnableForSymbology(symbology);
    m_nPrevSymbology = symbology;
    UpdateData(false);
}

void C2D_BarcodeCommand::OnModeChange()
{
    UpdateData(true);
    if (m_nSymbology != ostrel::Pdf417)
        m_nSavedMode = m_cbMode->currentIndex();
    if (m_nSymbology == ostrel::MaxiCode)
        m_strData = ostrel::MaxiCodeSample(m_nSavedMode);
    UpdateData(false);
}

void C2D_BarcodeCommand::OnEclChange()
{
    UpdateData(true);
    m_nSavedEcl = m_cbEcl->currentIndex();
    UpdateData(false);
}

ostrel::TwoDBarcode C2D_BarcodeCommand::command(int mode, int ecl, const QString& ecc,
                                                int rotation) const
{
    return {m_fX,        m_fY,    m_nSymbology,   mode,         m_nMaxRow,
            m_nMaxCol,   ecl,     m_nCompress,    m_nHri,       m_nOrigin,
            m_nModuleWidth, m_nBarHeight, rotation, ecc,        m_strData};
}

void C2D_BarcodeCommand::OnTestPrint()
{
    UpdateData(true);
    const QString line = ostrel::TwoDBarcodeLine(command(
        m_cbMode->currentIndex(), m_cbEcl->currentIndex(), m_cbEcl->currentText(),
        m_cbRotation->currentIndex()));
    const QByteArray job = platform::codePage().fromWide(ostrel::TestPrintJob(line));
    g_comm.Write(job);
}

void C2D_BarcodeCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    if (m_nSymbology != ostrel::MaxiCode) {
        m_nRotation = m_cbRotation->currentIndex();
        m_strSavedEcc = m_cbEcl->currentText();
    }
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}

void C2D_BarcodeCommand::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}
