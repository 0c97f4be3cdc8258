#include "maintenance/CPcxImageDlg.h"

#include "maintenance/CDlgScrollView.h"
#include "maintenance/TransferIds.h"

#include <QComboBox>
#include <QLayout>

namespace {

constexpr unsigned kHScrollMessage = 1128;
constexpr unsigned kVScrollMessage = 1127;

}  // namespace

CPcxImageDlg::CPcxImageDlg(QWidget* parent) : ui::Dialog(parent)
{
    m_ui.setupUi(this);
    onSelChange(IDC_DITHER, &CPcxImageDlg::OnDitherChange);
}

int CPcxImageDlg::DitherMethodOfIndex(int index)
{
    static constexpr int kMethods[] = {-1, 0, 1, 7, 8};
    return index >= 0 && index < static_cast<int>(std::size(kMethods)) ? kMethods[index] : -1;
}

bool CPcxImageDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_ui.comboDither->setCurrentIndex(0);

    // The view takes the place of the placeholder frame.
    if (!m_pView) {
        QWidget* placeholder = m_ui.framePlaceholder;
        m_pView = new CDlgScrollView(this);
        m_pView->setProperty("ctlId", IDC_VIEW);
        m_pView->setMinimumSize(placeholder->minimumSize());
        if (QLayoutItem* old = layout()->replaceWidget(placeholder, m_pView))
            delete old;
        m_pView->m_nHScrollMsg = kHScrollMessage;
        m_pView->m_nVScrollMsg = kVScrollMessage;
        m_pView->OnInitialUpdate();
        delete placeholder;
        m_ui.framePlaceholder = nullptr;
    }

    SetDlgItemText(IDC_IMAGE_PATH, m_strImagePath);
    m_pView->ClearImage();
    int bitsPerPixel = 0;
    m_pView->LoadImage(m_strImagePath, m_nDitherMethod, &m_nImageType, &bitsPerPixel);
    // A 1-bit picture, or none: there is nothing to dither.
    if (bitsPerPixel <= 1)
        EnableDlgItem(IDC_DITHER, false);
    return true;
}

void CPcxImageDlg::OnDitherChange()
{
    m_nDitherMethod = DitherMethodOfIndex(m_ui.comboDither->currentIndex());
    int bitsPerPixel = 0;
    m_pView->LoadImage(m_strImagePath, m_nDitherMethod, &m_nImageType, &bitsPerPixel);
}

void CPcxImageDlg::OnOK()
{
    m_nDitherMethod = DitherMethodOfIndex(m_ui.comboDither->currentIndex());
    EndDialog(ui::IDOK);
}
