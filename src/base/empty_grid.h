// SPDX-License-Identifier: MIT
// Whether the results grid holds any findings to print or export.
#pragma once

#include "base/grid_model.h"

namespace base {

// True when the results grid shows no findings to print or export: no data row, or a
// single data row without a horse's name (the grid's state before any search).
bool isEmptyGrid(const GridModel& grid);

}  // namespace base
