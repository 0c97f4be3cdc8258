#pragma once

#include "maintenance/CStatusCmdPage.h"

#include "ui_CEeStatusCmdDlg.h"

// The status page of the ^ee (serial links only) query.
class CEeStatusCmdDlg : public CStatusCmdPage {
    Q_OBJECT
public:
    explicit CEeStatusCmdDlg(QWidget* parent = nullptr);

private:
    Ui::CEeStatusCmdDlg m_ui;
};
