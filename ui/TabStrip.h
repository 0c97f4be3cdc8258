#pragma once

#include <QWidget>

class QTabBar;

namespace ui {

// A row of tabs with pages laid out in the area under it: one page shown, the others
// hidden. Pages are child windows of the strip; a page without a tab is never shown
// unless the owner shows it.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    QTabBar* tabBar() const { return m_tabs; }
    int insertItem(int index, const QString& text);
    int itemCount() const;
    int currentItem() const;
    void setCurrentItem(int index);  // no selectionChanged, as for a program's own change

    // The page becomes a child of the strip, sized to the page area and hidden.
    int addPage(QWidget* page);
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    QWidget* page(int index) const;
    // Shows that page and hides every other one; -1 hides them all.
    void showPage(int index);
    int currentPage() const { return m_current; }
    QRect pageArea() const;

signals:
    // The operator chose another tab; the page of the same index is shown first.
    void selectionChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPages();

    QTabBar* m_tabs;
    QList<QWidget*> m_pages;
    int m_current = -1;
    bool m_programChange = false;
};

}  // namespace ui
