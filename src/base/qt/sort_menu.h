// SPDX-License-Identifier: MIT
// "Sort by This Column" on a grid's menu, so a grid sorted by its captions sorts from the keyboard too.
#pragma once

#include <functional>

class QMenu;

namespace base {

class GridView;

// Gives `grid` a menu, opened by the menu key or a right-click, whose one command "Sort by
// This Column" (object name "sortcolumn") calls `sortCurrentColumn`, as a click on the
// current column's caption would. The menu is a child of the grid's window, named `name`.
QMenu* addSortMenu(GridView& grid, const char* name, std::function<void()> sortCurrentColumn);

}  // namespace base
