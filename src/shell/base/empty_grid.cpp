// SPDX-License-Identifier: MIT
#include "shell/base/empty_grid.h"

#include "shell/base/results_columns.h"

namespace shell {

bool isEmptyGrid(const GridModel& grid) {
    return grid.rows() < 2 || (grid.rows() == 2 && grid.text(1, horse_column::kName).empty());
}

}  // namespace shell
