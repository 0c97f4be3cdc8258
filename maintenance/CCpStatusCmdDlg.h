#pragma once

#include "maintenance/CStatusCmdPage.h"

#include "ui_CCpStatusCmdDlg.h"

// The status page of the ^cp query.
class CCpStatusCmdDlg : public CStatusCmdPage {
    Q_OBJECT
public:
    explicit CCpStatusCmdDlg(QWidget* parent = nullptr);

private:
    Ui::CCpStatusCmdDlg m_ui;
};
