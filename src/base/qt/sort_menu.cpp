// SPDX-License-Identifier: MIT
#include "base/qt/sort_menu.h"

#include "base/qt/grid_view.h"

#include <QAction>
#include <QMenu>

namespace base {

QMenu* addSortMenu(GridView& grid, const char* name, std::function<void()> sortCurrentColumn) {
    auto* menu = new QMenu(grid.window());
    menu->setObjectName(name);
    QAction* sort = menu->addAction("Sort by This Column");
    sort->setObjectName("sortcolumn");
    QObject::connect(sort, &QAction::triggered, menu, std::move(sortCurrentColumn));
    QObject::connect(&grid, &GridView::contextMenuRequested, menu, [menu](const QPoint& at) { menu->popup(at); });
    return menu;
}

}  // namespace base
