#include "workbench/TwoByteCodeDialog.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

using namespace twobyte_dlg;

TwoByteCodeDialog::TwoByteCodeDialog(QWidget* parent) : ui::Dialog(parent) {}

void TwoByteCodeDialog::bindCommonControls()
{
    onCommand(IDC_PRINT_CHARACTERS, &TwoByteCodeDialog::OnPrintCharacters);
    onSelChange(IDC_CODE_TABLE, &TwoByteCodeDialog::OnCodeTableChange);
    onCommand(IDC_ALL_BLOCKS, &TwoByteCodeDialog::OnAllBlocks);
}

void TwoByteCodeDialog::initCommonFields()
{
    m_nCodeTable = 0;
    m_bAllBlocks = 0;
    showDefaultBlocks();
    m_strWidth = QStringLiteral("35");
    m_strHeight = QStringLiteral("35");
}

void TwoByteCodeDialog::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_CBIndex(dx, IDC_CODE_TABLE, m_nCodeTable);
    ui::DDX_Text(dx, IDC_END_BLOCK, m_strEndBlock);
    ui::DDX_Text(dx, IDC_START_BLOCK, m_strStartBlock);
    ui::DDX_Text(dx, IDC_BLOCK_AREA, m_strBlockArea);
    ui::DDX_Check(dx, IDC_ALL_BLOCKS, m_bAllBlocks);
    ui::DDX_Text(dx, IDC_HEIGHT, m_strHeight);
    ui::DDX_Text(dx, IDC_WIDTH, m_strWidth);
}

void TwoByteCodeDialog::showDefaultBlocks()
{
    const twobyte::BlockTexts blocks = twobyte::DefaultBlocks(twobyte::CodePageAt(m_nCodeTable));
    m_strBlockArea = blocks.area;
    m_strStartBlock = blocks.start;
    m_strEndBlock = blocks.end;
}

void TwoByteCodeDialog::OnPrintCharacters()
{
    UpdateData(true);
    const twobyte::CodePage& page = twobyte::CodePageAt(m_nCodeTable);
    const auto range = twobyte::ChooseLeadRange(page, m_bAllBlocks != 0, m_strStartBlock,
                                                m_strEndBlock);
    if (!range)
        return;
    const QByteArray width = twobyte::SizeText(m_strWidth);
    const QByteArray height = twobyte::SizeText(m_strHeight);
    // One write per label; a write the link cannot complete is the link's to handle.
    for (int lead = range->first; lead <= range->last; ++lead) {
        const QByteArray label = buildLabel(page, static_cast<unsigned char>(lead), width, height);
        g_comm.Write(label);
    }
}

void TwoByteCodeDialog::OnCodeTableChange()
{
    UpdateData(true);
    showDefaultBlocks();
    codeTableChanged();
    UpdateData(false);
}

void TwoByteCodeDialog::OnAllBlocks()
{
    UpdateData(true);
    if (m_bAllBlocks)
        showDefaultBlocks();
    EnableDlgItem(IDC_START_BLOCK, !m_bAllBlocks);
    EnableDlgItem(IDC_END_BLOCK, !m_bAllBlocks);
    UpdateData(false);
}
