#include "maintenance/TabPageLayout.h"

#include "ui/TabStrip.h"

#include <QLayout>
#include <QTabBar>
#include <algorithm>

void LayoutTabPages(const ui::TabStrip& tabs, const std::vector<QWidget*>& pages, int shownPage)
{
    const QRect area = tabs.pageArea().translated(tabs.geometry().topLeft());
    for (QWidget* page : pages) {
        if (!page)
            continue;
        page->setGeometry(area);
        page->hide();
    }
    if (shownPage >= 0 && shownPage < static_cast<int>(pages.size()) && pages[shownPage]) {
        pages[shownPage]->show();
        pages[shownPage]->raise();
    }
}

void ReserveTabPageArea(ui::TabStrip& tabs, const std::vector<QWidget*>& pages)
{
    QSize needed;
    for (const QWidget* page : pages) {
        if (page)
            needed = needed.expandedTo(page->minimumSizeHint());
    }
    // The window has its template's size: tabs that do not fit scroll, as on a one-line
    // tab control.
    const QSize tabsHint = tabs.itemCount() > 0 ? tabs.tabBar()->sizeHint() : QSize();
    tabs.setMinimumSize(needed + QSize(0, tabsHint.height() + 2));
    if (QWidget* window = tabs.parentWidget(); window && window->layout())
        window->layout()->activate();
}
