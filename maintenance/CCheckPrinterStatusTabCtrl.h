#pragma once

#include "ui/TabStrip.h"

class CStatusCmdPage;

// The status window's tab control: the "^cp", "^cu", "^ee" and "CPS" pages, of which only
// the first two have a tab.
class CCheckPrinterStatusTabCtrl : public ui::TabStrip {
    Q_OBJECT
public:
    explicit CCheckPrinterStatusTabCtrl(QWidget* parent = nullptr);
    ~CCheckPrinterStatusTabCtrl() override;

    // Creates the page windows as children of the status window, in page order.
    void CreatePages();
    void LayoutPages();
    void OnSelChange();

    int m_nPageCount = 4;
    int m_nPageTemplate[4] = {221, 222, 223, 224};
    CStatusCmdPage* m_pPage[4] = {};
};
