// SPDX-License-Identifier: MIT
#include "base/empty_grid.h"

#include "base/results_columns.h"

namespace base {

bool isEmptyGrid(const GridModel& grid) {
    return grid.rows() < 2 || (grid.rows() == 2 && grid.text(1, horse_column::kName).empty());
}

}  // namespace base
