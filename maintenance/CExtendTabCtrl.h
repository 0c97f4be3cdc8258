#pragma once

#include "maintenance/UserSettingPages.h"
#include "ui/TabStrip.h"

#include <array>
#include <memory>
#include <vector>

namespace ui {
class Dialog;
}

// The user-setting window's tab strip: it owns one page per tab, each a child window of the
// strip, and shows the page of the tab the operator picks.
class CExtendTabCtrl : public ui::TabStrip {
    Q_OBJECT
public:
    // Room for every page the page-set rule can give, seven when a clock model is family 201.
    static constexpr int kMaxPages = 7;

    explicit CExtendTabCtrl(QWidget* parent = nullptr);
    // Deletes the pages, and with them their windows, before the strip goes.
    ~CExtendTabCtrl() override;

    // Builds the pages of `pages` in order as child windows of the strip and shows the first.
    void CreatePages(const std::vector<UserSettingPage>& pages);
    // Places every page in the area under the tabs; only the current page is shown.
    void LayoutPages();
    // After the strip's own handling of a press: the page of the tab now current.
    void OnLButtonDown();

    std::array<std::unique_ptr<ui::Dialog>, kMaxPages> m_pPage;
    int m_nCurrentPage = 0;
    int m_nPageCount = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPageOfItem(int index);
};
