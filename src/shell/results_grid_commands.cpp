// SPDX-License-Identifier: MIT
#include "shell/results_grid_commands.h"

#include "search/gethorse.h"
#include "search/horse_comparison.h"
#include "shell/base/number_text.h"
#include "shell/base/results_columns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace shell {

namespace {

// Both layouts keep the horse's name and number in the same columns.
using namespace shell::horse_column;
namespace progeny = shell::progeny_column;

constexpr std::array<int, 6> kHorseTextColumns{kName, kAge, kTrack, kType, kSurface, kOwner};
constexpr std::array<int, 5> kProgenyTextColumns{progeny::kName, progeny::kFirstAncestor, progeny::kSecondAncestor,
                                                 progeny::kSex, progeny::kRaces};

const char* const kHorseLayoutOnly = "This option is only available after a horse, owner or race search.";

bool progenyLayoutShowing(const MainFinder& window) { return window.MSFmaxgrid.visible(); }

template <std::size_t N>
bool contains(const std::array<int, N>& columns, int col) {
    return std::find(columns.begin(), columns.end(), col) != columns.end();
}

// As the numeric sorts order them: a text that is not a number is below every number.
bool numericallyGreater(const std::string& a, const std::string& b) {
    const auto x = parseNumber(a);
    const auto y = parseNumber(b);
    if (!x || !y) return x && !y;
    return *x > *y;
}

SortOrder textSort(const std::string& first, const std::string& last) {
    return first > last ? SortOrder::TextAscending : SortOrder::TextDescending;
}

SortOrder numericSort(bool firstGreater) {
    return firstGreater ? SortOrder::NumericAscending : SortOrder::NumericDescending;
}

// The sorts that re-order column `col`, applied in turn, from its first and last data
// cells: the way they are ordered now decides the direction, and the layout which
// columns hold text. An empty end cell turns the numeric columns to text order, whose
// empties come first.
std::vector<SortOrder> columnSorts(bool progeny, int col, const std::string& first, const std::string& last) {
    if (progeny ? contains(kProgenyTextColumns, col) : contains(kHorseTextColumns, col))
        return {textSort(first, last)};
    if (!progeny) {
        if (col == kClaiming) return {numericSort(first > last)};
        if (first.empty() || last.empty()) return {SortOrder::TextDescending};
        return {numericSort(numericallyGreater(first, last))};
    }
    if (first.empty()) return {SortOrder::TextDescending, SortOrder::NumericDescending};
    if (last.empty()) return {SortOrder::NumericAscending, SortOrder::TextAscending};
    return {numericSort(numericallyGreater(first, last))};
}

std::string cellText(const GridModel& grid, int row, int col) {
    return col < grid.cols() ? grid.text(row, col) : std::string();
}

// The data row that the menu and its commands act on: the selection's end row, which
// the right button never moves. Nothing while the selection is still on the header row.
std::optional<int> selectedRun(const GridModel& grid) {
    const int row = grid.rowSel();
    if (row < grid.fixedRows() || row >= grid.rows()) return std::nullopt;
    return row;
}

// The week of a race number (its whole part), when it is a number with a date.
std::optional<long long> raceWeek(const std::string& raceNumber) {
    const auto value = parseNumber(raceNumber);
    // Far beyond every date; also keeps infinities out of the conversion.
    if (!value || std::fabs(*value) > 1e9) return std::nullopt;
    return static_cast<long long>(std::trunc(*value));
}

void rewriteMenuCaptions(MainFinder& window, int row, long long week, int day) {
    const GridModel& grid = window.MSFlexGrid1;
    window.datecalc.caption =
        "Week " + std::to_string(weekDateWeek(week)) + " = " + window.clock().shortDate(day);
    window.listhorse.caption = "List horse: \"" + cellText(grid, row, kName) + "\"";
    window.listrace.caption = "List race: " + cellText(grid, row, kRace);
    window.listowner.caption = "List Owner: " + cellText(grid, row, kOwner);
}

}  // namespace

void MSFlexGrid1_DblClick(MainFinder& window) {
    GridModel& grid = window.MSFlexGrid1;
    const int first = grid.fixedRows();
    const int last = grid.rows() - 1;
    if (last <= first) return;
    const int col = grid.col();
    for (const SortOrder order : columnSorts(progenyLayoutShowing(window), col, grid.text(first, col),
                                             grid.text(last, col)))
        grid.sort(order);
}

bool MSFlexGrid1_MouseDown(MainFinder& window, int Button) {
    if (Button != kRightButton) return false;
    const GridModel& grid = window.MSFlexGrid1;
    const auto row = selectedRun(grid);
    if (!row || *row + 1 == grid.rows()) return false;
    const auto week = raceWeek(cellText(grid, *row, kRace));
    const auto day = week ? weekDateDay(*week) : std::nullopt;
    // A row without a race number (a progeny row) keeps the captions of the last row
    // that had one.
    if (day) rewriteMenuCaptions(window, *row, *week, *day);
    for (Control* item : {&window.datecalc, &window.bar1, &window.listrace}) item->visible = day.has_value();
    return true;
}

void listhorse_click(MainFinder& window) {
    const auto row = selectedRun(window.MSFlexGrid1);
    if (!row) return;
    search::gethorse(window, search::kHorseByNameAndNumber, cellText(window.MSFlexGrid1, *row, kName),
                     cellText(window.MSFlexGrid1, *row, kHorseNumber));
}

std::vector<std::int64_t> comparehorses_Click(const MainFinder& window) {
    return search::selectedHorseIds(window.MSFlexGrid1, kHorseNumber);
}

void listrace_Click(MainFinder& window) {
    if (progenyLayoutShowing(window)) {
        window.dialogs().message(kHorseLayoutOnly, kAppTitle);
        return;
    }
    const auto row = selectedRun(window.MSFlexGrid1);
    if (!row) return;
    search::gethorse(window, search::kRace, "", cellText(window.MSFlexGrid1, *row, kRace));
}

void listowner_Click(MainFinder& window) {
    if (progenyLayoutShowing(window)) {
        window.dialogs().message(kHorseLayoutOnly, kAppTitle);
        return;
    }
    const auto row = selectedRun(window.MSFlexGrid1);
    if (!row) return;
    search::gethorse(window, search::kOwner, cellText(window.MSFlexGrid1, *row, kOwner), "");
}

void listfilter_Click(MainFinder& window) {
    GridModel& grid = window.MSFlexGrid1;
    const auto row = selectedRun(grid);
    if (!row) return;
    const int col = grid.colSel();
    const std::string key = grid.text(*row, col);
    int keptAbove = 0;
    const RedrawOff redrawOff(grid);
    grid.removeDataRowsIf([&](int r) {
        const bool keep = grid.text(r, col) == key;
        if (keep && r < *row) ++keptAbove;
        return !keep;
    });
    const int keyRow = grid.fixedRows() + keptAbove;
    grid.select(keyRow, col, keyRow, col);
}

}  // namespace shell
