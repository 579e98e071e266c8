// SPDX-License-Identifier: MIT
// Class pars: the speed that usually wins each class of race, and the classes a horse fits.
#pragma once

#include "store/class_par_races.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace search {

// Which races the table covers and which of its rows it keeps.
struct ParOptions {
    std::optional<int> firstWeek;        // inclusive; none: from the first stored week
    std::optional<int> lastWeek;         // inclusive; none: to the last
    std::optional<std::string> surface;  // as stored ("D", "T"); none: both
    int minRaces = 3;
};
inline constexpr int kDefaultMinRaces = 3;

// One class's par: `races` counted, `par` the median of their winners' figures, `board`
// the median of their third-placed runners' figures (none without one).
struct ParRow {
    store::ClassKey key;
    int races = 0;
    double par = 0;
    std::optional<double> board;
};

// The par table of the races within the week bounds, classes with at least `minRaces`
// counted races, highest par first, then class code (byte order), claiming price, and
// surface. Bounds the wrong way round find nothing.
std::vector<ParRow> classPars(store::Database& db, const ParOptions& options);

// The table of every stored week with the default minimum, as compare shows each horse's
// best fits: kept from one call to the next while the store is the same file in the same
// generation, so that a comparison after the first pays nothing for it.
std::vector<ParRow> everyWeekPars(store::Database& db);

// The middle value of `tenths` (speed figures in tenths), or the mean of the two middle
// ones; none for no value.
std::optional<double> median(std::vector<std::int32_t> tenths);

// A horse placed against the table: its form is the median of its newest five speed
// figures above 0 within the bounds (over all surfaces), `runs` how many of those there
// are, `name` that of its newest run, `surfaces` those it ran on within the bounds.
struct Placement {
    std::int64_t id = 0;
    std::string name;
    std::optional<double> form;
    int runs = 0;
    std::vector<std::string> surfaces;
};
inline constexpr int kFormRuns = 5;

// Throws FindError for a number no stored run holds.
Placement placeHorse(store::Database& db, std::int64_t id, const ParOptions& options);

// Form minus par; none for a horse without form.
std::optional<double> margin(const Placement& horse, const ParRow& row);
// Whether the horse fits the row: it ran on the row's surface within the bounds and its
// form is at least the par.
bool fits(const Placement& horse, const ParRow& row);

// The highest-par row the horse fits on `surface`, none when it fits none.
std::optional<ParRow> bestFit(const Placement& horse, const std::vector<ParRow>& table, const std::string& surface);

// "C2x 12500" or "Stk": the class code with the claiming price, where the race has one.
std::string classText(const store::ClassKey& key);
// A figure as the window shows it: two decimals.
std::string figureText(double figure);

// The table as the window shows it (and CSV exports it): the caption row, then one row a
// class; with a horse placed, Form and Margin columns.
std::vector<std::vector<std::string>> parTableText(const std::vector<ParRow>& table, const Placement* horse);

}  // namespace search
