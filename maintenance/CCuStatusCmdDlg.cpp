#include "maintenance/CCuStatusCmdDlg.h"

CCuStatusCmdDlg::CCuStatusCmdDlg(QWidget* parent) : CStatusCmdPage(status::Query::Cu, 1511, 1518, parent)
{
    m_ui.setupUi(this);
    BindTestCommand();
}
