#include "ui/TabStrip.h"

#include <QApplication>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QStyleFactory>
#include <QTabBar>
#include <algorithm>

namespace ui {

namespace {

// Tabs with the narrow side padding of a one-line tab control, so a window of its
// template's width shows all its tabs.
class NarrowTabStyle : public QProxyStyle {
public:
    NarrowTabStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), m_tabs(new QTabBar(this))
{
    auto* style = new NarrowTabStyle;
    style->setParent(m_tabs);
    m_tabs->setStyle(style);
    m_tabs->setDrawBase(true);
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (m_programChange)
            return;
        if (index >= 0 && index < pageCount())
            showPage(index);
        emit selectionChanged(index);
    });
}

int TabStrip::insertItem(int index, const QString& text)
{
    const QScopedValueRollback guard(m_programChange, true);
    const int inserted = m_tabs->insertTab(index, text);
    layoutPages();
    return inserted;
}

int TabStrip::itemCount() const
{
    return m_tabs->count();
}

int TabStrip::currentItem() const
{
    return m_tabs->currentIndex();
}

void TabStrip::setCurrentItem(int index)
{
    const QScopedValueRollback guard(m_programChange, true);
    m_tabs->setCurrentIndex(index);
}

int TabStrip::addPage(QWidget* page)
{
    page->setParent(this, Qt::Widget);
    page->hide();
    m_pages.append(page);
    page->setGeometry(pageArea());
    return pageCount() - 1;
}

QWidget* TabStrip::page(int index) const
{
    return m_pages.value(index);
}

void TabStrip::showPage(int index)
{
    m_current = index >= 0 && index < pageCount() ? index : -1;
    for (int i = 0; i < pageCount(); ++i) {
        if (i != m_current)
            m_pages[i]->hide();
    }
    if (QWidget* shown = page(m_current)) {
        shown->setGeometry(pageArea());
        shown->show();
    }
}

QRect TabStrip::pageArea() const
{
    const int top = m_tabs->count() > 0 ? m_tabs->sizeHint().height() : 0;
    return QRect(0, top + 1, width(), std::max(0, height() - top - 2));
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPages();
}

void TabStrip::layoutPages()
{
    m_tabs->setGeometry(0, 0, width(), m_tabs->sizeHint().height());
    const QRect area = pageArea();
    for (QWidget* p : m_pages)
        p->setGeometry(area);
}

}  // namespace ui
