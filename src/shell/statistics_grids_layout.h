// SPDX-License-Identifier: MIT
#pragma once

#include "shell/base/grid_model.h"

namespace shell {

// The fixed layouts of the main window's small grids, as start-up sets them: header
// texts, widths, alignments, colours and heights clamped to their limits.
void layOutProgenyRateGrid(GridModel& MSFSRGrid);
void layOutProgenySpeedGrid(GridModel& MSFmaxgrid);
void layOutAverageSpeedGrid(GridModel& MSFSGrid);
void layOutMaxSpeedGrid(GridModel& MSFWGrid);
void layOutColourKey(GridModel& MSFColorGridKey);

// The look every statistics grid shares: black grid lines, the active-border colour
// behind fixed cells, Arial 6.75 pt.
void applyStatisticsGridLook(GridModel& grid);

// Height of a grid of `rows` rows plus a border allowance, clamped to `limit` twips.
int clampedGridHeight(const GridModel& grid, int rows, int extra, int limit);

}  // namespace shell
