// SPDX-License-Identifier: MIT
// Horses compared side by side, figure by figure, with the best value of each row marked.
#pragma once

#include "store/run_query.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace base {
class GridModel;
}  // namespace base

namespace shell {
class MainFinder;
}  // namespace shell

namespace store {
class Database;
}

namespace search {

// One row of the comparison: a caption and one text per horse. `best` names the column
// whose value is best (highest; for the claiming tag lowest), when the row has values
// to compare and they are not all equal.
struct ComparisonRow {
    std::string caption;
    std::vector<std::string> cells;
    std::optional<std::size_t> best;
};

// How many of each horse's newest runs the comparison shows.
constexpr int kComparedRuns = 5;
constexpr std::size_t kFewestCompared = 2;
constexpr std::size_t kMostCompared = 4;

// The comparison of horses given by their runs (each newest first, none empty), one
// column per horse, in the order given. `trackCodes` names the tracks of the last runs;
// `today` is a day number (for the claiming tag).
std::vector<ComparisonRow> compareHorses(const std::vector<std::vector<store::RunRecord>>& horses,
                                         const std::map<int, std::string>& trackCodes, int today);

// The same for horse numbers in the store. Throws FindError for fewer than two or more
// than four numbers, or a number no run holds.
std::vector<ComparisonRow> compareHorses(store::Database& db, const std::vector<std::int64_t>& ids, int today);

// The comparison for the window over the main window's race store; a message tells the
// user why there is none.
std::optional<std::vector<ComparisonRow>> compareHorses(shell::MainFinder& window, const std::vector<std::int64_t>& ids);

// The distinct horse numbers in column `column` of the grid's selected data rows, top to
// bottom.
std::vector<std::int64_t> selectedHorseIds(const base::GridModel& grid, int column);

// The comparison as a table of texts: captions down the first column.
std::vector<std::vector<std::string>> comparisonTable(const std::vector<ComparisonRow>& rows);

}  // namespace search
