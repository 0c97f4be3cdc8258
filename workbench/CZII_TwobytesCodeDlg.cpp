#include "workbench/CZII_TwobytesCodeDlg.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

using namespace twobyte_dlg;

CZII_TwobytesCodeDlg::CZII_TwobytesCodeDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_PRINT_CHARACTERS, &CZII_TwobytesCodeDlg::OnPrintCharacters);
    onSelChange(IDC_CODE_TABLE, &CZII_TwobytesCodeDlg::OnCodeTableChange);
    onCommand(IDC_ALL_BLOCKS, &CZII_TwobytesCodeDlg::OnAllBlocks);
}

bool CZII_TwobytesCodeDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_nCodeTable = 0;
    m_bAllBlocks = 0;
    showDefaultBlocks();
    m_strWidth = QStringLiteral("35");
    m_strHeight = QStringLiteral("35");
    UpdateData(false);
    EnableDlgItem(IDC_WIDTH, true);
    EnableDlgItem(IDC_HEIGHT, true);
    return true;
}

void CZII_TwobytesCodeDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_CODE_TABLE, m_nCodeTable);
    ui::DDX_Text(dx, IDC_END_BLOCK, m_strEndBlock);
    ui::DDX_Text(dx, IDC_START_BLOCK, m_strStartBlock);
    ui::DDX_Text(dx, IDC_BLOCK_AREA, m_strBlockArea);
    ui::DDX_Check(dx, IDC_ALL_BLOCKS, m_bAllBlocks);
    ui::DDX_Text(dx, IDC_HEIGHT, m_strHeight);
    ui::DDX_Text(dx, IDC_WIDTH, m_strWidth);
}

void CZII_TwobytesCodeDlg::showDefaultBlocks()
{
    const twobyte::BlockTexts blocks = twobyte::DefaultBlocks(twobyte::CodePageAt(m_nCodeTable));
    m_strBlockArea = blocks.area;
    m_strStartBlock = blocks.start;
    m_strEndBlock = blocks.end;
}

void CZII_TwobytesCodeDlg::OnPrintCharacters()
{
    UpdateData(true);
    const twobyte::CodePage& page = twobyte::CodePageAt(m_nCodeTable);
    const auto range = twobyte::ChooseLeadRange(page, m_bAllBlocks != 0, m_strStartBlock,
                                                m_strEndBlock);
    if (!range)
        return;
    const QByteArray width = twobyte::SizeText(m_strWidth);
    const QByteArray height = twobyte::SizeText(m_strHeight);
    for (int lead = range->first; lead <= range->last; ++lead) {
        const QByteArray label = twobyte::ZplLabel(page, uchar(lead), height, width);
        g_comm.Write(label.constData(), static_cast<int>(label.size()));
    }
}

void CZII_TwobytesCodeDlg::OnCodeTableChange()
{
    UpdateData(true);
    showDefaultBlocks();
    UpdateData(false);
}

void CZII_TwobytesCodeDlg::OnAllBlocks()
{
    UpdateData(true);
    if (m_bAllBlocks)
        showDefaultBlocks();
    EnableDlgItem(IDC_START_BLOCK, !m_bAllBlocks);
    EnableDlgItem(IDC_END_BLOCK, !m_bAllBlocks);
    UpdateData(false);
}
