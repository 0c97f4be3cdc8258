#include "workbench/CTwobytesCodeDlg.h"

#include "ui/DataExchange.h"
#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

#include <QComboBox>

using namespace twobyte_dlg;

CTwobytesCodeDlg::CTwobytesCodeDlg(QWidget* parent) : TwoByteCodeDialog(parent)
{
    m_ui.setupUi(this);
    bindCommonControls();
    onCommand(IDC_BITMAP_FONT, &CTwobytesCodeDlg::OnBitmapFontType);
    onCommand(IDC_VECTOR_FONT, &CTwobytesCodeDlg::OnVectorFontType);
}

bool CTwobytesCodeDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    initCommonFields();
    m_nFontKind = 0;
    fillFontNames();
    UpdateData(false);
    EnableDlgItem(IDC_WIDTH, false);
    EnableDlgItem(IDC_HEIGHT, false);
    return true;
}

void CTwobytesCodeDlg::DoDataExchange(ui::DataExchange& dx)
{
    ui::DDX_Control(dx, IDC_FONT_NAME, m_cbFontName);
    TwoByteCodeDialog::DoDataExchange(dx);
    ui::DDX_Radio(dx, IDC_BITMAP_FONT, m_nFontKind);
    ui::DDX_CBIndex(dx, IDC_FONT_NAME, m_nFontName);
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

void CTwobytesCodeDlg::codeTableChanged()
{
    fillFontNames();
}

// The chosen font name for the page that offers a choice, the page's own letter otherwise.
char CTwobytesCodeDlg::fontLetter(const twobyte::CodePage& page) const
{
    if (&page == &twobyte::CodePageAt(0) && m_cbFontName && m_nFontName >= 0) {
        const QString name = m_cbFontName->itemText(m_nFontName);
        if (name.size() == 1)
            return name.at(0).toLatin1();
    }
    return page.defaultFont;
}

QByteArray CTwobytesCodeDlg::buildLabel(const twobyte::CodePage& page, unsigned char lead,
                                        const QByteArray& width, const QByteArray& height)
{
    if (m_nFontKind == 1)
        return twobyte::OstrelVectorLabel(page, lead, width, height);
    return twobyte::OstrelBitmapLabel(page, lead, fontLetter(page));
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
