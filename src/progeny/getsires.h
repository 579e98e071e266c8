// SPDX-License-Identifier: MIT
// The progeny search: a sire's offspring from the breeding file, their races and statistics in the grids.
#pragma once

#include "shell/main_finder.h"

#include <string>

namespace progeny {

// The progeny search of the kind selected among "S", "DS" and "DDS": lists the offspring
// of `sirename` (the name box's first 25 characters) from the window's breeding file,
// looks up each one's races in the race store, and fills the results grid, the success
// and speed tables, the `frainfo` caption and `lblfastest`, all in the progeny layout.
// The "#" box gives the races an offspring needs to count, "2yo" the age group counted.
// A fault of the breeding file, or a failure to read it to its end, ends the search with
// a message, the offspring before it listed and no statistics; a file that cannot be
// opened ends it before anything changes. True when the search produced its statistics.
bool getsires(shell::MainFinder& window, const std::string& sirename);

}  // namespace progeny
