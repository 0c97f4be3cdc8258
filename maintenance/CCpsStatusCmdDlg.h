#pragma once

#include "maintenance/CStatusCmdPage.h"

#include "ui_CCpsStatusCmdDlg.h"

// The status page of the CPS query.
class CCpsStatusCmdDlg : public CStatusCmdPage {
    Q_OBJECT
public:
    explicit CCpsStatusCmdDlg(QWidget* parent = nullptr);

private:
    Ui::CCpsStatusCmdDlg m_ui;
};
