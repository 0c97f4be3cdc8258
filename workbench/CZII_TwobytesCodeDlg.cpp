#include "workbench/CZII_TwobytesCodeDlg.h"

#include "workbench/TwoByteCodeIds.h"
#include "workbench/TwoByteSamples.h"

using namespace twobyte_dlg;

CZII_TwobytesCodeDlg::CZII_TwobytesCodeDlg(QWidget* parent) : TwoByteCodeDialog(parent)
{
    m_ui.setupUi(this);
    bindCommonControls();
}

bool CZII_TwobytesCodeDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    initCommonFields();
    UpdateData(false);
    EnableDlgItem(IDC_WIDTH, true);
    EnableDlgItem(IDC_HEIGHT, true);
    return true;
}

// The font command takes the character height before the width.
QByteArray CZII_TwobytesCodeDlg::buildLabel(const twobyte::CodePage& page, unsigned char lead,
                                            const QByteArray& width, const QByteArray& height)
{
    return twobyte::ZplLabel(page, lead, height, width);
}
