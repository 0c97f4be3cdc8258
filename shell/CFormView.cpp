#include "shell/CFormView.h"

CFormView::CFormView(QWidget* parent) : QWidget(parent)
{
    // The page's control ids are its own, not its host dialog's.
    setProperty("ctlScope", true);
}

CFormView::~CFormView() = default;

void CFormView::OnInitialUpdate() {}
