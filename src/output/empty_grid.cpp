// SPDX-License-Identifier: MIT
#include "output/empty_grid.h"

namespace output {

bool isEmptyGrid(const shell::GridModel& grid) {
    return grid.rows() < 2 || (grid.rows() == 2 && grid.text(1, 0).empty());
}

}  // namespace output
