#pragma once

#include "maintenance/CStatusCmdPage.h"

#include "ui_CCuStatusCmdDlg.h"

// The status page of the ^cu query.
class CCuStatusCmdDlg : public CStatusCmdPage {
    Q_OBJECT
public:
    explicit CCuStatusCmdDlg(QWidget* parent = nullptr);

private:
    Ui::CCuStatusCmdDlg m_ui;
};
