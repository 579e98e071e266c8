// SPDX-License-Identifier: MIT
#pragma once

#include "shell/main_finder.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace cli {

// All cells of a grid, row by row, headers included.
nlohmann::json gridCells(const base::GridModel& grid);

// The window state a search leaves, as the command line tool prints it with --format
// json: the results grid, its rows' colours, the frame caption, the status text, and
// the named statistics grids.
nlohmann::json windowState(shell::MainFinder& window, const std::vector<std::string>& statisticsGrids);

// Writes the state a search left: the exported text (csv) or the JSON object.
void printSearchResult(shell::MainFinder& window, const std::string& format,
                       const std::vector<std::string>& statisticsGrids);

}  // namespace cli
