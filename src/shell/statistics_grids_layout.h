// SPDX-License-Identifier: MIT
// The fixed layouts of the main window's statistics grids and colour key, as start-up sets them.
#pragma once

#include "base/grid_model.h"

namespace shell {

// The fixed layouts of the main window's small grids, as start-up sets them: header
// texts, widths, alignments, colours and heights clamped to their limits.
void layOutProgenyRateGrid(base::GridModel& MSFSRGrid);
void layOutProgenySpeedGrid(base::GridModel& MSFmaxgrid);
void layOutAverageSpeedGrid(base::GridModel& MSFSGrid);
void layOutMaxSpeedGrid(base::GridModel& MSFWGrid);
void layOutColourKey(base::GridModel& MSFColorGridKey);

// The look every statistics grid shares: black grid lines, the active-border colour
// behind fixed cells, Arial 6.75 pt.
void applyStatisticsGridLook(base::GridModel& grid);

// Height of a grid of `rows` rows plus a border allowance, clamped to `limit` twips.
int clampedGridHeight(const base::GridModel& grid, int rows, int extra, int limit);

}  // namespace shell
