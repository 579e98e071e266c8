// SPDX-License-Identifier: MIT
#include "window_state_json.h"

#include "json_output.h"
#include "output/exported_text.h"
#include "base/results_columns.h"
#include "shell/main_finder.h"

#include <cstdio>
#include <iostream>

namespace cli {

namespace {

// The race number's colour is the track's condition.
constexpr int kColourColumn = base::horse_column::kRace;

nlohmann::json rowColour(const base::GridModel& grid, int row) {
    if (row == 0 || grid.cols() <= kColourColumn) return nullptr;
    const auto colour = grid.cell(row, kColourColumn).foreColour;
    if (!colour) return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", base::redOf(*colour), base::greenOf(*colour),
                  base::blueOf(*colour));
    return text;
}

}  // namespace

nlohmann::json gridCells(const base::GridModel& grid) {
    auto rows = nlohmann::json::array();
    for (int r = 0; r < grid.rows(); ++r) {
        auto cells = nlohmann::json::array();
        for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.text(r, c));
        rows.push_back(std::move(cells));
    }
    return rows;
}

nlohmann::json windowState(shell::MainFinder& window, const std::vector<std::string>& statisticsGrids) {
    const base::GridModel& results = window.MSFlexGrid1;
    auto colours = nlohmann::json::array();
    for (int r = 0; r < results.rows(); ++r) colours.push_back(rowColour(results, r));
    nlohmann::json state{{"grid", gridCells(results)},
                         {"rowColors", std::move(colours)},
                         {"caption", window.frainfo.caption},
                         {"status", window.lblprogress.caption}};
    for (const auto& [name, grid] : window.grids())
        for (const auto& wanted : statisticsGrids)
            if (name == wanted) state[wanted] = gridCells(*grid);
    return state;
}

void printSearchResult(shell::MainFinder& window, const std::string& format,
                       const std::vector<std::string>& statisticsGrids) {
    if (format == "json") printJson(windowState(window, statisticsGrids));
    else std::cout << output::exportedText(window.MSFlexGrid1);
}

}  // namespace cli
