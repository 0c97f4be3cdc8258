#include "maintenance/CExtendTabCtrl.h"

#include "ui/Dialog.h"

#include <QMouseEvent>
#include <QTabBar>
#include <algorithm>

CExtendTabCtrl::CExtendTabCtrl(QWidget* parent) : ui::TabStrip(parent)
{
    tabBar()->installEventFilter(this);
    // A tab chosen with the keyboard shows its page as well, so tab and page always agree.
    connect(this, &ui::TabStrip::selectionChanged, this, &CExtendTabCtrl::ShowPageOfItem);
}

CExtendTabCtrl::~CExtendTabCtrl()
{
    for (int i = 0; i < m_nPageCount; ++i)
        m_pPage[i].reset();
    m_nPageCount = 0;
}

void CExtendTabCtrl::CreatePages(const std::vector<UserSettingPage>& pages)
{
    m_nPageCount = 0;
    QSize largest(0, 0);
    for (const UserSettingPage kind : pages) {
        if (m_nPageCount >= kMaxPages)
            break;
        m_pPage[m_nPageCount] = CreateUserSettingPage(kind);
        ui::Dialog* page = m_pPage[m_nPageCount].get();
        ++m_nPageCount;
        page->Create(this);
        largest = largest.expandedTo(page->sizeHint());
    }
    // The strip is as large as its largest page under the tabs.
    const int tabsHeight = tabBar()->sizeHint().height();
    setMinimumSize(std::max(largest.width() + 1, tabBar()->sizeHint().width()),
                   tabsHeight + largest.height() + 3);

    m_nCurrentPage = 0;
    for (int i = 0; i < m_nPageCount; ++i)
        m_pPage[i]->show();
    LayoutPages();
}

void CExtendTabCtrl::LayoutPages()
{
    if (itemCount() == 0)
        return;
    const QRect item = tabBar()->tabRect(0).translated(tabBar()->pos());
    // Right and bottom edges taken past the last pixel, as the window rectangles are.
    const int itemBottom = item.top() + item.height();
    const QRect area(item.left(), itemBottom + 1, std::max(0, width() - item.left() - 1),
                     std::max(0, height() - itemBottom - 2));
    for (int i = 0; i < m_nPageCount; ++i) {
        m_pPage[i]->setGeometry(area);
        m_pPage[i]->setVisible(i == m_nCurrentPage);
    }
}

void CExtendTabCtrl::OnLButtonDown()
{
    ShowPageOfItem(currentItem());
}

void CExtendTabCtrl::ShowPageOfItem(int index)
{
    if (index == m_nCurrentPage || index < 0 || index >= m_nPageCount)
        return;
    m_pPage[m_nCurrentPage]->hide();
    m_nCurrentPage = index;
    ui::Dialog* page = m_pPage[index].get();
    page->show();
    // The keyboard goes to the page's first control that takes it.
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(page) &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
    }
    page->setFocus(Qt::MouseFocusReason);
}

bool CExtendTabCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tabBar() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The strip's own handling first, then the page follows the tab it chose.
        static_cast<QObject*>(tabBar())->event(event);
        OnLButtonDown();
        return true;
    }
    return ui::TabStrip::eventFilter(watched, event);
}

void CExtendTabCtrl::resizeEvent(QResizeEvent* event)
{
    ui::TabStrip::resizeEvent(event);
    LayoutPages();
}
