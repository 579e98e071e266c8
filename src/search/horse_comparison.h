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

// Two compared horses' meetings: the races both ran, and in how many the first finished
// ahead of the second.
struct HeadToHead {
    std::int64_t first = 0;
    std::int64_t second = 0;
    int races = 0;
    int firstAhead = 0;
    std::string firstName;  // of each one's newest run
    std::string secondName;
};

// The comparison of horses in the store: the rows above, with the classes each fits
// ("Fits (dirt)", "Fits (turf)": the highest-par class of that surface whose par its form
// reaches, over every stored week), and the meetings of each pair in the order given
// (1-2, 1-3, 1-4, 2-3, 2-4, 3-4).
struct Comparison {
    std::vector<ComparisonRow> rows;
    std::vector<HeadToHead> headToHead;
};

// Throws FindError for fewer than two or more than four numbers, or a number no run holds.
Comparison compareHorses(store::Database& db, const std::vector<std::int64_t>& ids, int today);

// The comparison for the window over the main window's race store; a message tells the
// user why there is none.
std::optional<Comparison> compareHorses(shell::MainFinder& window, const std::vector<std::int64_t>& ids);

// The meetings as the window shows them below its table: "Swift Baron ahead of Black
// Dasher in 3 of 5 races", or "Swift Baron and Black Dasher never met".
std::vector<std::string> headToHeadLines(const Comparison& comparison);

// The distinct horse numbers in column `column` of the grid's selected data rows, top to
// bottom.
std::vector<std::int64_t> selectedHorseIds(const base::GridModel& grid, int column);

// The comparison as a table of texts, as it is copied and exported: captions down the
// first column, then an empty row and the meetings' lines.
std::vector<std::vector<std::string>> comparisonTable(const Comparison& comparison);

}  // namespace search
