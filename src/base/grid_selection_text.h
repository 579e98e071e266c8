// SPDX-License-Identifier: MIT
// A grid's selected cells as tab-separated text for the clipboard.
#pragma once

#include "base/grid_model.h"

#include <string>

namespace base {

// The selected cells of a grid as tab-separated text for the clipboard, ready to paste
// into a spreadsheet: the captions of the selected columns first (the header rows, unless
// the selection covers them already), then the selected rows (rows picked one by one
// whole), each line ending in a carriage return and line feed. A cell holding a tab, a line break or a double quote is
// written in double quotes with its quotes doubled, so that it stays one cell.
std::string selectionAsTabSeparatedText(const GridModel& grid);

}  // namespace base
