#include "workbench/CTwobytesCodeDlg.h"

#include "link/Comm.h"
#include "ui/DataExchange.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

#include <QComboBox>

using namespace twobyte_dlg;

namespace {

const QString kStartSize = QStringLiteral("35");

}  // namespace

CTwobytesCodeDlg::CTwobytesCodeDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onCommand(IDC_PRINT_CHARACTERS, &CTwobytesCodeDlg::OnPrintCharacters);
    onSelChange(IDC_CODE_TABLE, &CTwobytesCodeDlg::OnCodeTableChange);
    onCommand(IDC_ALL_BLOCKS, &CTwobytesCodeDlg::OnAllBlocks);
    onCommand(IDC_BITMAP_FONT, &CTwobytesCodeDlg::OnBitmapFontType);
    onCommand(IDC_VECTOR_FONT, &CTwobytesCodeDlg::OnVectorFontType);
}

bool CTwobytesCodeDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_nCodeTable = 0;
    m_nFontKind = 0;
    m_bAllBlocks = 0;
    showDefaultBlocks();
    fillFontNames();
    m_strWidth = kStartSize;
    m_strHeight = kStartSize;
    UpdateData(false);
    EnableDlgItem(IDC_WIDTH, false);
    EnableDlgItem(IDC_HEIGHT, false);
    return true;
}

void CTwobytesCodeDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_FONT_NAME, m_cbFontName);
    ui::DDX_CBIndex(dx, IDC_CODE_TABLE, m_nCodeTable);
    ui::DDX_Text(dx, IDC_END_BLOCK, m_strEndBlock);
    ui::DDX_Text(dx, IDC_START_BLOCK, m_strStartBlock);
    ui::DDX_Text(dx, IDC_BLOCK_AREA, m_strBlockArea);
    ui::DDX_Radio(dx, IDC_BITMAP_FONT, m_nFontKind);
    ui::DDX_Check(dx, IDC_ALL_BLOCKS, m_bAllBlocks);
    ui::DDX_Text(dx, IDC_HEIGHT, m_strHeight);
    ui::DDX_Text(dx, IDC_WIDTH, m_strWidth);
    ui::DDX_CBIndex(dx, IDC_FONT_NAME, m_nFontName);
}

void CTwobytesCodeDlg::showDefaultBlocks()
{
    const twobyte::BlockTexts blocks = twobyte::DefaultBlocks(twobyte::CodePageAt(m_nCodeTable));
    m_strBlockArea = blocks.area;
    m_strStartBlock = blocks.start;
    m_strEndBlock = blocks.end;
}

// The font names of the chosen code page, its default chosen.
void CTwobytesCodeDlg::fillFontNames()
{
    const twobyte::CodePage& page = twobyte::CodePageAt(m_nCodeTable);
    auto* combo = m_ui.comboFontName;
    combo->clear();
    QStringList names = twobyte::BitmapFontNames(page);
    names.sort();  // the list is a sorted one
    combo->addItems(names);
    m_nFontName = int(names.indexOf(QString(QChar::fromLatin1(page.defaultFont))));
}

void CTwobytesCodeDlg::OnPrintCharacters()
{
    UpdateData(true);
    const twobyte::CodePage& page = twobyte::CodePageAt(m_nCodeTable);
    const auto range = twobyte::ChooseLeadRange(page, m_bAllBlocks != 0, m_strStartBlock,
                                                m_strEndBlock);
    if (!range)
        return;
    char letter = page.defaultFont;
    if (m_nCodeTable == 0 && m_cbFontName && m_nFontName >= 0) {
        const QString name = m_cbFontName->itemText(m_nFontName);
        if (name.size() == 1)
            letter = name.at(0).toLatin1();
    }
    const QByteArray width = twobyte::SizeText(m_strWidth);
    const QByteArray height = twobyte::SizeText(m_strHeight);
    for (int lead = range->first; lead <= range->last; ++lead) {
        const QByteArray label =
            m_nFontKind == 1 ? twobyte::OstrelVectorLabel(page, uchar(lead), width, height)
                             : twobyte::OstrelBitmapLabel(page, uchar(lead), letter);
        g_comm.Write(label.constData(), static_cast<int>(label.size()));
    }
}

void CTwobytesCodeDlg::OnCodeTableChange()
{
    UpdateData(true);
    showDefaultBlocks();
    fillFontNames();
    UpdateData(false);
}

void CTwobytesCodeDlg::OnAllBlocks()
{
    UpdateData(true);
    if (m_bAllBlocks)
        showDefaultBlocks();
    EnableDlgItem(IDC_START_BLOCK, !m_bAllBlocks);
    EnableDlgItem(IDC_END_BLOCK, !m_bAllBlocks);
    UpdateData(false);
}

void CTwobytesCodeDlg::OnBitmapFontType()
{
    EnableDlgItem(IDC_FONT_NAME, true);
    EnableDlgItem(IDC_WIDTH, false);
    EnableDlgItem(IDC_HEIGHT, false);
}

void CTwobytesCodeDlg::OnVectorFontType()
{
    EnableDlgItem(IDC_FONT_NAME, false);
    EnableDlgItem(IDC_WIDTH, true);
    EnableDlgItem(IDC_HEIGHT, true);
}
