// Right-click menus on controls: the items a handler offers, shown where the user clicked. An edit
// box keeps its standard editing items and gets the handler's after them.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "text/gbk_text.h"

namespace yc::ui {

struct MenuItem {
    Text caption;
    std::function<void()> handler;
};

/// Replaces the context menu of `widget` (the viewport's, for a scrolling view) with `items`.
void installContextMenu(QWidget* widget, std::vector<MenuItem> items);

}  // namespace yc::ui
