#pragma once

#include <vector>

class QWidget;

namespace ui {
class TabStrip;
}

// Places the pages, children of the tab strip's parent window, on the strip's display area
// (in the parent's coordinates), hides them all and shows `shownPage` (-1: none).
void LayoutTabPages(const ui::TabStrip& tabs, const std::vector<QWidget*>& pages, int shownPage);

// Makes the strip's display area large enough for every page's minimum, and lets the window's
// layout place the strip before the pages are laid over it.
void ReserveTabPageArea(ui::TabStrip& tabs, const std::vector<QWidget*>& pages);
