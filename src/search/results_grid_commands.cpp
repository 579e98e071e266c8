// SPDX-License-Identifier: MIT
#include "search/results_grid_commands.h"

#include "search/criteria_panel.h"
#include "search/gethorse.h"
#include "search/horse_comparison.h"
#include "base/number_text.h"
#include "base/results_columns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace search {

namespace {

// Both layouts keep the horse's name and number in the same columns.
// Named by their namespace: the search kinds have names of their own such as kRace and kOwner.
namespace column = base::horse_column;
namespace progeny = base::progeny_column;

constexpr std::array<int, 6> kHorseTextColumns{column::kName, column::kAge,     column::kTrack,
                                               column::kType, column::kSurface, column::kOwner};
constexpr std::array<int, 5> kProgenyTextColumns{progeny::kName, progeny::kFirstAncestor, progeny::kSecondAncestor,
                                                 progeny::kSex, progeny::kRaces};

const char* const kHorseLayoutOnly = "This option is only available after a horse, owner or race search.";

bool progenyLayoutShowing(const shell::MainFinder& window) { return window.MSFmaxgrid.visible(); }

template <std::size_t N>
bool contains(const std::array<int, N>& columns, int col) {
    return std::find(columns.begin(), columns.end(), col) != columns.end();
}

// As the numeric sorts order them: a text that is not a number is below every number.
bool numericallyGreater(const std::string& a, const std::string& b) {
    const auto x = base::parseNumber(a);
    const auto y = base::parseNumber(b);
    if (!x || !y) return x && !y;
    return *x > *y;
}

base::SortOrder textSort(const std::string& first, const std::string& last) {
    return first > last ? base::SortOrder::TextAscending : base::SortOrder::TextDescending;
}

base::SortOrder numericSort(bool firstGreater) {
    return firstGreater ? base::SortOrder::NumericAscending : base::SortOrder::NumericDescending;
}

// The sorts that re-order column `col`, applied in turn, from its first and last data
// cells: the way they are ordered now decides the direction, and the layout which
// columns hold text. An empty end cell turns the numeric columns to text order, whose
// empties come first.
std::vector<base::SortOrder> columnSorts(bool progeny, int col, const std::string& first, const std::string& last) {
    if (progeny ? contains(kProgenyTextColumns, col) : contains(kHorseTextColumns, col)) return {textSort(first, last)};
    if (!progeny) {
        if (col == column::kClaiming) return {numericSort(first > last)};
        if (first.empty() || last.empty()) return {base::SortOrder::TextDescending};
        return {numericSort(numericallyGreater(first, last))};
    }
    if (first.empty()) return {base::SortOrder::TextDescending, base::SortOrder::NumericDescending};
    if (last.empty()) return {base::SortOrder::NumericAscending, base::SortOrder::TextAscending};
    return {numericSort(numericallyGreater(first, last))};
}

std::string cellText(const base::GridModel& grid, int row, int col) {
    return col < grid.cols() ? grid.text(row, col) : std::string();
}

// The data row that the menu and its one-row commands act on: the row right-clicked
// last, else the selection's end row. Nothing while that is the header row.
std::optional<int> selectedRun(const base::GridModel& grid) {
    const int row = grid.commandRow();
    if (row < grid.fixedRows() || row >= grid.rows()) return std::nullopt;
    return row;
}

// The week of a race number (its whole part), when it is a number with a date.
std::optional<long long> raceWeek(const std::string& raceNumber) {
    const auto value = base::parseNumber(raceNumber);
    // Far beyond every date; also keeps infinities out of the conversion.
    if (!value || std::fabs(*value) > 1e9) return std::nullopt;
    return static_cast<long long>(std::trunc(*value));
}

// The selected run of a listing in the horse layout, whose race and owner the list
// commands read; nothing, with a message, in the progeny layout.
std::optional<int> horseLayoutRun(shell::MainFinder& window) {
    if (progenyLayoutShowing(window)) {
        window.dialogs().message(kHorseLayoutOnly, base::kAppTitle);
        return std::nullopt;
    }
    return selectedRun(window.MSFlexGrid1);
}

// A horse with a page of its own: one with a number (an offspring may have none).
bool hasHorseNumber(const base::GridModel& grid, int row) {
    const auto number = base::parseNumber(cellText(grid, row, column::kHorseNumber));
    return number && *number > 0;
}

// The captions name the row's horse, race and owner; "Week Date" and "List Race " show
// only for a race with a date, "List Owner " works only on a listing of runs.
void rewriteMenuCaptions(shell::MainFinder& window, int row) {
    const base::GridModel& grid = window.MSFlexGrid1;
    const bool runs = !progenyLayoutShowing(window);
    const auto week = runs ? raceWeek(cellText(grid, row, column::kRace)) : std::nullopt;
    const auto day = week ? base::weekDateDay(*week) : std::nullopt;
    window.listhorse.caption = "List horse: \"" + cellText(grid, row, column::kName) + "\"";
    window.listowner.caption = runs ? "List Owner: " + cellText(grid, row, column::kOwner) : "List Owner";
    window.listowner.enabled = runs;
    window.getlineage.enabled = hasHorseNumber(grid, row);
    if (day) {
        window.datecalc.caption =
            "Week " + std::to_string(base::weekDateWeek(*week)) + " = " + window.clock().shortDate(*day);
        window.listrace.caption = "List race: " + cellText(grid, row, column::kRace);
    }
    for (base::Control* item : {&window.datecalc, &window.bar1, &window.listrace}) item->visible = day.has_value();
}

}  // namespace

void MSFlexGrid1_DblClick(shell::MainFinder& window) {
    base::GridModel& grid = window.MSFlexGrid1;
    const int first = grid.fixedRows();
    const int last = grid.rows() - 1;
    if (last <= first) return;
    const int col = grid.col();
    for (const base::SortOrder order :
         columnSorts(progenyLayoutShowing(window), col, grid.text(first, col), grid.text(last, col)))
        grid.sort(order);
}

bool MSFlexGrid1_MouseDown(shell::MainFinder& window, int Button) {
    if (Button != kRightButton) return false;
    const base::GridModel& grid = window.MSFlexGrid1;
    const auto row = selectedRun(grid);
    if (!row || *row + 1 == grid.rows()) return false;
    rewriteMenuCaptions(window, *row);
    return true;
}

void listhorse_click(shell::MainFinder& window) {
    const auto row = selectedRun(window.MSFlexGrid1);
    if (!row) return;
    listHorse(window, cellText(window.MSFlexGrid1, *row, column::kName),
              cellText(window.MSFlexGrid1, *row, column::kHorseNumber));
}

std::vector<std::int64_t> comparehorses_Click(const shell::MainFinder& window) {
    return search::selectedHorseIds(window.MSFlexGrid1, column::kHorseNumber);
}

void listrace_Click(shell::MainFinder& window) {
    if (const auto row = horseLayoutRun(window))
        search::gethorse(window, search::kRace, "", cellText(window.MSFlexGrid1, *row, column::kRace));
}

void listowner_Click(shell::MainFinder& window) {
    if (const auto row = horseLayoutRun(window))
        search::gethorse(window, search::kOwner, cellText(window.MSFlexGrid1, *row, column::kOwner), "");
}

void listfilter_Click(shell::MainFinder& window) {
    base::GridModel& grid = window.MSFlexGrid1;
    // The selection's own end cell, however a right-click inside it pointed.
    const std::optional<int> row = grid.rowSel() >= grid.fixedRows() ? std::optional(grid.rowSel()) : std::nullopt;
    if (!row) return;
    const int col = grid.colSel();
    const std::string key = grid.text(*row, col);
    int keptAbove = 0;
    const base::RedrawOff redrawOff(grid);
    grid.removeDataRowsIf([&](int r) {
        const bool keep = grid.text(r, col) == key;
        if (keep && r < *row) ++keptAbove;
        return !keep;
    });
    const int keyRow = grid.fixedRows() + keptAbove;
    grid.select(keyRow, col, keyRow, col);
}

}  // namespace search
