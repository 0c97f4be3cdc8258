#include "maintenance/CCpStatusCmdDlg.h"

CCpStatusCmdDlg::CCpStatusCmdDlg(QWidget* parent) : CStatusCmdPage(status::Query::Cp, 1500, 1510, parent)
{
    m_ui.setupUi(this);
    BindTestCommand();
}
