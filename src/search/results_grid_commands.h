// SPDX-License-Identifier: MIT
// The results grid's own commands: sorting by a column, and the context menu's list and filter commands.
#pragma once

#include "shell/main_finder.h"

#include <cstdint>
#include <vector>

namespace search {

// Mouse buttons as the grid's mouse events report them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The commands of the results grid `MSFlexGrid1`: sorting by a column, the context menu
// `popmenu` and its list and filter commands. They read the grid as a search or an
// earlier command left it; the statistics grids, `frainfo` and `lblprogress` keep the
// values of the search that filled it.

// Double click: sorts the data rows by the grid's current column, the other way round
// from the order its first and last rows show now. The header row stays in place.
void MSFlexGrid1_DblClick(shell::MainFinder& window);

// A mouse button pressed on the grid. True when the context menu opens: for the right
// button (the menu key and Shift+F10 count as it) on a data row other than the grid's
// last. The row is the one right-clicked (the grid's command row), else the selection's
// end row. Rewrites the captions to name that row's horse, and in the horse layout its
// owner and, with a dated race, the week and race; "Week Date" and "List Race " show only
// then. "List Owner " is disabled in the progeny layout and "Get Lineage Info." for a
// horse without a number.
bool MSFlexGrid1_MouseDown(shell::MainFinder& window, int Button);

// "List Horse", "List Race " and "List Owner ": a new search for the horse, race or
// owner of the menu's row. Race and owner need the horse layout's columns.
void listhorse_click(shell::MainFinder& window);
void listrace_Click(shell::MainFinder& window);
void listowner_Click(shell::MainFinder& window);

// "Compare": the distinct horse numbers of the selected rows, for the comparison window.
std::vector<std::int64_t> comparehorses_Click(const shell::MainFinder& window);

// "Filter this List": keeps the data rows whose cell in the selection's end column
// equals the selected cell's text exactly, in their order. The selection moves with the
// kept row it was on.
void listfilter_Click(shell::MainFinder& window);

}  // namespace search
