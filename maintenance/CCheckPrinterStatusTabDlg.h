#pragma once

#include "ui/Dialog.h"

#include "ui_CCheckPrinterStatusTabDlg.h"

class CCheckPrinterStatusTabCtrl;

// The status window: a tab for each of the "^cp" and "^cu" queries, and "Close".
class CCheckPrinterStatusTabDlg : public ui::Dialog {
    Q_OBJECT
public:
    explicit CCheckPrinterStatusTabDlg(QWidget* parent = nullptr);
    ~CCheckPrinterStatusTabDlg() override;

    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& dx) override;

    CCheckPrinterStatusTabCtrl* m_tabCtrl = nullptr;

private:
    Ui::CCheckPrinterStatusTabDlg m_ui;
};
