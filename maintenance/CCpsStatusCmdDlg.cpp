#include "maintenance/CCpsStatusCmdDlg.h"

CCpsStatusCmdDlg::CCpsStatusCmdDlg(QWidget* parent) : CStatusCmdPage(status::Query::Cps, 1550, 1559, parent)
{
    m_ui.setupUi(this);
    BindTestCommand();
}
