// SPDX-License-Identifier: MIT
// The results grid as the text that the export writes: quoted cells, comma-separated, lines ending in CR LF.
#pragma once

#include "base/grid_model.h"

#include <string>

namespace output {

// The exported text of the results grid: every row from the captions on, columns 0 to
// 17 (the progeny layout's last column is left out), each cell's text between double
// quotes and followed by a comma, lines ending in CR LF. Texts are written as they are.
std::string exportedText(const base::GridModel& grid);

}  // namespace output
