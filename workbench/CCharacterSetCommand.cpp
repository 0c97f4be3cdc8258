#include "workbench/CCharacterSetCommand.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "ui/UpDownCtrl.h"
#include "workbench/CharacterSetCommands.h"
#include "workbench/OstrelCommands.h"

#include <QComboBox>

namespace {

constexpr int IDC_X = 1010;
constexpr int IDC_Y = 1012;
constexpr int IDC_H_MULTI = 1014;
constexpr int IDC_V_MULTI = 1016;
constexpr int IDC_H_LABEL = 1018;
constexpr int IDC_V_LABEL = 1019;
constexpr int IDC_CODE_TABLE = 1020;
constexpr int IDC_CHAR_SET = 1021;
constexpr int IDC_FONT = 1022;
constexpr int IDC_BITMAP_FONT = 1023;
constexpr int IDC_VECTOR_FONT = 1024;
constexpr int IDC_UNDER_80H = 1025;
constexpr int IDC_OVER_80H = 1026;
constexpr int IDC_INTERNATIONAL = 1027;
constexpr int IDC_ALL_CODE_TABLE = 1028;

constexpr int kMaxPosition = 1000;
constexpr int kStartPosition = 20;
constexpr int kMaxBitmapMulti = 4;
constexpr int kMaxVectorSize = 100;
constexpr int kStartVectorSize = 35;

}  // namespace

CCharacterSetCommand::CCharacterSetCommand(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_UNDER_80H, &CCharacterSetCommand::OnPrintUnder80H);
    onCommand(IDC_OVER_80H, &CCharacterSetCommand::OnPrintOver80H);
    onCommand(IDC_INTERNATIONAL, &CCharacterSetCommand::OnPrintInternational);
    onCommand(IDC_ALL_CODE_TABLE, &CCharacterSetCommand::OnAllCodeTableTest);
    onCommand(IDC_BITMAP_FONT, &CCharacterSetCommand::OnBitmapFont);
    onCommand(IDC_VECTOR_FONT, &CCharacterSetCommand::OnVectorFont);
}

bool CCharacterSetCommand::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.spinX->setRange(0, kMaxPosition);
    m_ui.spinY->setRange(0, kMaxPosition);
    setMultiplierRange(1, kMaxBitmapMulti);
    m_nFontKind = 0;
    m_strHLabel = QStringLiteral("H Multi");
    m_strVLabel = QStringLiteral("V Multi");
    m_fX = kStartPosition;
    m_fY = kStartPosition;
    m_nHMulti = 1;
    m_nVMulti = 1;
    m_strFont = QStringLiteral("3");
    m_nCodeTable = 0;
    m_nCharSet = 0;
    UpdateData(false);
    return true;
}

void CCharacterSetCommand::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Text(dx, IDC_Y, m_fY);
    ui::DDX_Text(dx, IDC_V_MULTI, m_nVMulti);
    ui::DDX_Text(dx, IDC_H_MULTI, m_nHMulti);
    ui::DDX_CBIndex(dx, IDC_CODE_TABLE, m_nCodeTable);
    ui::DDX_CBIndex(dx, IDC_CHAR_SET, m_nCharSet);
    ui::DDX_Text(dx, IDC_X, m_fX);
    ui::DDX_CBString(dx, IDC_FONT, m_strFont);
    ui::DDX_Text(dx, IDC_H_LABEL, m_strHLabel);
    ui::DDX_Text(dx, IDC_V_LABEL, m_strVLabel);
    ui::DDX_Radio(dx, IDC_BITMAP_FONT, m_nFontKind);
    ui::DDX_Control(dx, IDC_CODE_TABLE, m_cbCodeTable);
}

void CCharacterSetCommand::setMultiplierRange(int lower, int upper)
{
    m_ui.spinHMulti->setRange(lower, upper);
    m_ui.spinVMulti->setRange(lower, upper);
}

// Values typed since the last exchange are taken first, so a switch keeps the positions
// and the lists the operator chose.
void CCharacterSetCommand::OnBitmapFont()
{
    UpdateData(true);
    setMultiplierRange(1, kMaxBitmapMulti);
    m_strHLabel = QStringLiteral("H Multi");
    m_strVLabel = QStringLiteral("V Multi");
    m_nHMulti = 1;
    m_nVMulti = 1;
    m_nFontKind = 0;
    EnableDlgItem(IDC_FONT, true);
    UpdateData(false);
}

void CCharacterSetCommand::OnVectorFont()
{
    UpdateData(true);
    setMultiplierRange(1, kMaxVectorSize);
    m_strHLabel = QStringLiteral("Width");
    m_strVLabel = QStringLiteral("Height");
    m_nHMulti = kStartVectorSize;
    m_nVMulti = kStartVectorSize;
    m_nFontKind = 1;
    EnableDlgItem(IDC_FONT, false);
    UpdateData(false);
}

void CCharacterSetCommand::writeAll(const std::vector<QByteArray>& writes)
{
    for (const QByteArray& w : writes)
        g_comm.Write(w);
}

namespace {

ostrel::CharacterSetFont fontOf(const CCharacterSetCommand& d)
{
    return {d.m_nFontKind == 1, d.m_strFont.toLatin1(), d.m_nVMulti, d.m_nHMulti};
}

}  // namespace

void CCharacterSetCommand::OnPrintUnder80H()
{
    UpdateData(true);
    writeAll(ostrel::CodeLabelWrites(fontOf(*this), ostrel::TruncateToDots(m_fX),
                                     ostrel::TruncateToDots(m_fY), m_nCharSet, m_nCodeTable,
                                     ostrel::CodesUnder80H()));
}

void CCharacterSetCommand::OnPrintOver80H()
{
    UpdateData(true);
    writeAll(ostrel::CodeLabelWrites(fontOf(*this), ostrel::TruncateToDots(m_fX),
                                     ostrel::TruncateToDots(m_fY), m_nCharSet, m_nCodeTable,
                                     ostrel::CodesOver80H()));
}

void CCharacterSetCommand::OnPrintInternational()
{
    UpdateData(true);
    writeAll(ostrel::InternationalWrites(fontOf(*this), m_nCodeTable));
}

void CCharacterSetCommand::OnAllCodeTableTest()
{
    UpdateData(true);
    writeAll(ostrel::AllCodeTableWrites(fontOf(*this), ostrel::TruncateToDots(m_fX),
                                        ostrel::TruncateToDots(m_fY), m_nCharSet,
                                        m_cbCodeTable ? m_cbCodeTable->count() : 0));
}
