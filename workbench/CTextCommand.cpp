#include "workbench/CTextCommand.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/CConvertUnit.h"
#include "workbench/CFontFinder.h"
#include "workbench/OstrelCommands.h"
#include "workbench/TextCommands.h"

#include <QComboBox>

namespace {

constexpr int IDC_CONVERT = 1000;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;
constexpr int IDC_X = 1280;
constexpr int IDC_Y = 1282;
constexpr int IDC_FONT = 1284;
constexpr int IDC_H_MULTI = 1285;
constexpr int IDC_V_MULTI = 1287;
constexpr int IDC_SPACE = 1289;
constexpr int IDC_ROTATION = 1291;
constexpr int IDC_REVERSE = 1292;
constexpr int IDC_BOLD = 1293;
constexpr int IDC_TEXT = 1294;
constexpr int IDC_FIND_FONT = 1295;

constexpr float kMaxPosition = 999;

}  // namespace

CTextCommand::CTextCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_TEST_PRINT, &CTextCommand::OnTestPrint);
    onCommand(IDC_INSERT, &CTextCommand::OnInsertToLabel);
    onCommand(IDC_FIND_FONT, &CTextCommand::OnFindFont);
    onCommand(IDC_CONVERT, &CTextCommand::OnOpenConvertUnit);
}

bool CTextCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinHMulti->setRange(1, 4);
    m_ui.spinVMulti->setRange(1, 4);
    m_ui.spinSpace->setRange(0, 100);
    m_ui.spinX->setRange(0, 1000);
    m_ui.spinY->setRange(0, 1000);
    if (!m_bReopened) {
        m_fX = 20;
        m_fY = 20;
        m_strFont = QStringLiteral("3");
        m_nHMulti = 1;
        m_nVMulti = 1;
        m_nSpace = 0;
        m_strReverse = QStringLiteral("N");
        m_strBold = QStringLiteral("N");
        m_strText = ostrel::SampleLabelText();
        m_cbRotation->setCurrentIndex(0);
        m_bInserted = 0;
    } else {
        m_cbRotation->setCurrentIndex(m_nSavedRotation);
    }
    UpdateData(false);
    return true;
}

void CTextCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_ROTATION, m_cbRotation);
    ui::DDX_CBString(dx, IDC_BOLD, m_strBold);
    ui::DDX_Text(dx, IDC_TEXT, m_strText);
    ui::DDX_CBString(dx, IDC_FONT, m_strFont);
    ui::DDX_Text(dx, IDC_H_MULTI, m_nHMulti);
    ui::DDX_CBString(dx, IDC_REVERSE, m_strReverse);
    ui::DDX_Text(dx, IDC_SPACE, m_nSpace);
    ui::DDX_Text(dx, IDC_V_MULTI, m_nVMulti);
    ui::DDX_Text(dx, IDC_X, m_fX);
    ui::DDV_MinMaxFloat(dx, IDC_X, m_fX, 0, kMaxPosition);
    ui::DDX_Text(dx, IDC_Y, m_fY);
    ui::DDV_MinMaxFloat(dx, IDC_Y, m_fY, 0, kMaxPosition);
}

ostrel::BitmapText CTextCommand::command(int rotation) const
{
    return {m_fX,     m_fY,         m_strFont,  m_nHMulti, m_nVMulti,
            m_nSpace, rotation,     m_strReverse, m_strBold, m_strText};
}

void CTextCommand::OnTestPrint()
{
    UpdateData(true);
    const QString job =
        ostrel::TestPrintJob(ostrel::BitmapTextLine(command(m_cbRotation->currentIndex())));
    g_comm.WriteString(job, static_cast<int>(job.size()));
}

void CTextCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_bReopened = 1;
    m_nSavedRotation = m_cbRotation->currentIndex();
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}

void CTextCommand::OnFindFont()
{
    CFontFinder finder(this);
    finder.DoModal();
}

void CTextCommand::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}
