#include "workbench/CBlockDrawCommand.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/CConvertUnit.h"
#include "workbench/OstrelCommands.h"

#include <QComboBox>

namespace {

constexpr int IDC_CONVERT = 1000;
constexpr int IDC_TYPE = 1209;
constexpr int IDC_START_X = 1210;
constexpr int IDC_START_Y = 1212;
constexpr int IDC_END_X = 1214;
constexpr int IDC_END_Y = 1216;
constexpr int IDC_OPTION = 1218;
constexpr int IDC_OPTION_SPIN = 1219;
constexpr int IDC_INSERT = 1120;
constexpr int IDC_TEST_PRINT = 1121;

constexpr int kTypeS = 3;
constexpr int kTypeB = 4;
constexpr int kMaxCoordinate = 1000;

bool takesOption(int typeIndex)
{
    return typeIndex == kTypeS || typeIndex == kTypeB;
}

}  // namespace

CBlockDrawCommand::CBlockDrawCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onSelChange(IDC_TYPE, &CBlockDrawCommand::OnTypeChange);
    onCommand(IDC_TEST_PRINT, &CBlockDrawCommand::OnTestPrint);
    onCommand(IDC_INSERT, &CBlockDrawCommand::OnInsertToLabel);
    onCommand(IDC_CONVERT, &CBlockDrawCommand::OnOpenConvertUnit);
}

bool CBlockDrawCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    for (auto* spin : {m_ui.spinStartX, m_ui.spinStartY, m_ui.spinEndX, m_ui.spinEndY,
                       m_ui.spinOption})
        spin->setRange(0, kMaxCoordinate);
    if (!m_bReopened) {
        m_fStartX = 100;
        m_fStartY = 100;
        m_fEndX = 800;
        m_fEndY = 120;
        m_nOption = 20;
        m_cbType->setCurrentIndex(0);
        EnableOption(0);
        m_bInserted = 0;
    } else {
        m_cbType->setCurrentIndex(m_nSavedType);
        EnableOption(m_nSavedType);
    }
    UpdateData(false);
    return true;
}

void CBlockDrawCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_TYPE, m_cbType);
    ui::DDX_Text(dx, IDC_END_Y, m_fEndY);
    ui::DDX_Text(dx, IDC_END_X, m_fEndX);
    ui::DDX_Text(dx, IDC_OPTION, m_nOption);
    ui::DDX_Text(dx, IDC_START_X, m_fStartX);
    ui::DDX_Text(dx, IDC_START_Y, m_fStartY);
}

void CBlockDrawCommand::EnableOption(int typeIndex)
{
    EnableDlgItem(IDC_OPTION, takesOption(typeIndex));
    EnableDlgItem(IDC_OPTION_SPIN, takesOption(typeIndex));
}

void CBlockDrawCommand::OnTypeChange()
{
    UpdateData(true);
    const int type = m_cbType->currentIndex();
    EnableOption(type);
    if (type == kTypeS) {
        m_fEndY = 300;
        m_nOption = 10;
    } else {
        m_fEndY = 120;
        m_nOption = 20;
    }
    UpdateData(false);
}

void CBlockDrawCommand::OnTestPrint()
{
    UpdateData(true);
    const QString job = ostrel::TestPrintJob(ostrel::BlockDrawLine(
        m_fStartX, m_fStartY, m_fEndX, m_fEndY, m_cbType->currentText(), m_nOption));
    g_comm.WriteString(job, static_cast<int>(job.size()));
}

void CBlockDrawCommand::OnInsertToLabel()
{
    UpdateData(true);
    m_nSavedType = m_cbType->currentIndex();
    m_bReopened = 1;
    m_bInserted = 1;
    UpdateData(false);
    EndDialog(ui::IDCANCEL);
}

void CBlockDrawCommand::OnOpenConvertUnit()
{
    ::OnOpenConvertUnit(this);
}
