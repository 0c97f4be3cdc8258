#include "workbench/CVectorTextCommand.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "workbench/CConvertUnit.h"
#include "workbench/OstrelCommands.h"
#include "workbench/TextCommands.h"

namespace {

constexpr int IDS_BOLD_LIST = 342;
constexpr int IDS_REVERSE_LIST = 343;
constexpr int IDS_ITALIC_LIST = 344;
constexpr int IDS_JUSTIFY_LIST = 345;
constexpr int IDS_DIRECTION_LIST = 346;

constexpr int IDC_CONVERT = 1000;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;
constexpr int IDC_X = 1310;
constexpr int IDC_Y = 1312;
constexpr int IDC_FONT = 1314;
constexpr int IDC_WIDTH = 1315;
constexpr int IDC_HEIGHT = 1317;
constexpr int IDC_SPACE = 1319;
constexpr int IDC_BOLD = 1321;
constexpr int IDC_REVERSE = 1322;
constexpr int IDC_ITALIC = 1323;
constexpr int IDC_ROTATION = 1324;
constexpr int IDC_JUSTIFY = 1325;
constexpr int IDC_DIRECTION = 1326;
constexpr int IDC_TEXT = 1327;

constexpr int kJustifyLeft = 2;

}  // namespace

CVectorTextCommand::CVectorTextCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_TEST_PRINT, &CVectorTextCommand::OnTestPrint);
    onCommand(IDC_INSERT, &CVectorTextCommand::OnInsertToLabel);
    onCommand(IDC_CONVERT, &CVectorTextCommand::OnOpenConvertUnit);
}

bool CVectorTextCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinX->setRange(0, 1000);
    m_ui.spinY->setRange(0, 1000);
    m_ui.spinWidth->setRange(1, 100);
    m_ui.spinHeight->setRange(1, 100);
    m_ui.spinSpace->setRange(-100, 100);
    FillComboFromResource(IDS_BOLD_LIST, m_ui.comboBold);
    FillComboFromResource(IDS_REVERSE_LIST, m_ui.comboReverse);
    FillComboFromResource(IDS_ITALIC_LIST, m_ui.comboItalic);
    FillComboFromResource(IDS_JUSTIFY_LIST, m_ui.comboJustify);
    FillComboFromResource(IDS_DIRECTION_LIST, m_ui.comboDirection);
    if (!m_bReopened) {
        m_fX = 20;
        m_fY = 20;
        m_nWidth = 35;
        m_nHeight = 35;
        m_nSpace = 1;
        m_nBold = 0;
        m_nReverse = 0;
        m_nItalic = 0;
        m_nRotation = 0;
        m_nJustify = kJustifyLeft;
        m_nDirection = 0;
        m_nFont = 0;
        m_strText = ostrel::SampleLabelText();
        m_bInserted = 0;
    }
    UpdateData(false);
    return true;
}

void CVectorTextCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_X, m_fX);
    ui::DDX_CBIndex(dx, IDC_BOLD, m_nBold);
    ui::DDX_CBIndex(dx, IDC_DIRECTION, m_nDirection);
    ui::DDX_CBIndex(dx, IDC_FONT, m_nFont);
    ui::DDX_CBIndex(dx, IDC_ITALIC, m_nItalic);
    ui::DDX_CBIndex(dx, IDC_JUSTIFY, m_nJustify);
    ui::DDX_CBIndex(dx, IDC_REVERSE, m_nReverse);
    ui::DDX_CBIndex(dx, IDC_ROTATION, m_nRotation);
    ui::DDX_Text(dx, IDC_SPACE, m_nSpace);
    ui::DDX_Text(dx, IDC_Y, m_fY);
    ui::DDX_Text(dx, IDC_HEIGHT, m_nHeight);
    ui::DDX_Text(dx, IDC_WIDTH, m_nWidth);
    ui::DDX_Text(dx, IDC_TEXT, m_strText);
}

ostrel::VectorText CVectorTextCommand::command() const
{
    return {.x = m_fX,
            .y = m_fY,
            .width = m_nWidth,
            .height = m_nHeight,
            .spacing = m_nSpace,
            .bold = m_nBold == 1,
            .reverse = m_nReverse == 1,
            .italic = m_nItalic == 1,
            .rotation = m_nRotation,
            .justification = ostrel::VectorJustification(m_nJustify),
            .direction = m_nDirection,
            .text = m_strText};
}

void CVectorTextCommand::OnTestPrint()
{
    UpdateData(true);
    const QString job = ostrel::TestPrintJob(ostrel::VectorTextLine(command()));
    g_comm.WriteString(job, static_cast<int>(job.size()));
}

void CVectorTextCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}

void CVectorTextCommand::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}
