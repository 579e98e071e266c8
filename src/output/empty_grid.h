// SPDX-License-Identifier: MIT
#pragma once

#include "shell/base/grid_model.h"

namespace output {

// True when the results grid shows no findings to print or export: no data row, or a
// single data row whose first cell is empty (the grid's state before any search).
bool isEmptyGrid(const shell::GridModel& grid);

}  // namespace output
