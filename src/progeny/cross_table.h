// SPDX-License-Identifier: MIT
// The crosses table: how the offspring of a sire, a dam-sire or both have raced, grouped by the other parent line.
#pragma once

#include "progeny/text_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store {
class Database;
class SecondConnection;
}

namespace progeny {

// Which offspring count, by their age in the breeding file.
enum class CrossAges { All, TwoYearOlds, Older };

// A cross: a sire, a dam-sire (the sire of the mares) or both. An empty name is not
// given; at least one must be.
struct CrossRequest {
    std::string sire;
    std::string damSire;
    CrossAges ages = CrossAges::All;
    // A row's index shows only when it has at least this many starters.
    std::int64_t minStarters = 3;
};

// What a cross table lists: the sire's offspring by dam-sire, the dam-sire's by sire, or
// the offspring of both, one by one.
enum class CrossMode { ByDamSire, BySire, Offspring };
CrossMode crossModeOf(const CrossRequest& request);

// The offspring of one sire (or dam-sire) in the cross, and what their runs add up to.
// Speeds are each offspring's best run on the surface; a value is missing where no
// offspring gives one.
struct CrossGroup {
    std::string name;  // in proper case
    int offspring = 0;
    int starters = 0;  // offspring with a stored run
    int winners = 0;   // starters with a win
    int wins = 0;
    int starts = 0;
    std::optional<double> winnersPct;  // of the starters
    std::optional<double> winPct;      // wins of the starts
    std::optional<float> bestDirt, bestTurf;
    std::optional<double> avgBestDirt, avgBestTurf;
    std::optional<double> earningsPerStarter;
    // The winners' share of the starters over the same share of all the searched
    // horse's offspring: 1.00 is as usual. Only with the minimum of starters.
    std::optional<double> index;
};

// One offspring of a sire out of a mare by the dam-sire.
struct CrossHorse {
    std::string name;  // in proper case
    std::int32_t id = 0;
    int starts = 0;
    int wins = 0;
    std::optional<float> bestDirt, bestTurf;
};

struct CrossTable {
    CrossMode mode = CrossMode::ByDamSire;
    // All the searched horse's offspring of the chosen ages: the index's reference.
    CrossGroup baseline;
    std::vector<CrossGroup> groups;  // most starters first, then by name
    std::vector<CrossHorse> horses;  // the offspring of both: most starts first, then by name
    // A fault of the breeding file, for the user; the table holds the offspring before it.
    std::optional<std::string> problem;
};

// Reads the breeding file as the progeny search does (names as the name box cuts them,
// compared without regard to letter case), the runs of each offspring as the progeny
// statistics read them, and adds them up; with `beside`, a second connection to the same
// store, half of the runs are read there meanwhile.
CrossTable crossTable(TextSource& breeding, store::Database& db, const CrossRequest& request,
                      store::SecondConnection* beside = nullptr);

// The table as the window and the exported CSV show it: the captions, then one row of
// texts per group or horse.
std::vector<std::string> crossColumns(CrossMode mode);
std::vector<std::vector<std::string>> crossCells(const CrossTable& table);

// Each figure rounded as the table shows it, for the command line's JSON.
double shownSpeed(double speed);
double shownPercentage(double percentage);
double shownIndex(double index);

}  // namespace progeny
