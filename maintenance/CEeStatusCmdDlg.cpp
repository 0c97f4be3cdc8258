#include "maintenance/CEeStatusCmdDlg.h"

CEeStatusCmdDlg::CEeStatusCmdDlg(QWidget* parent) : CStatusCmdPage(status::Query::Ee, 1530, 1549, parent)
{
    m_ui.setupUi(this);
    BindTestCommand();
}
