// SPDX-License-Identifier: MIT
// The horse finder: horses in the race store that meet the user's criteria of recent form, speed, class, price and age.
#pragma once

#include "store/run_query.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace store {
class Database;
}

namespace search {

enum class Surface { Any, Dirt, Turf };

// What the finder looks for; every criterion is optional. Bounds are inclusive and
// distances in the listing's units.
struct FindCriteria {
    // Ran in a race of weeks newest - N + 1 to newest.
    std::optional<int> activeWeeks = 4;
    // The counting runs: those on this surface and within these distances.
    Surface surface = Surface::Any;
    std::optional<double> minDist;
    std::optional<double> maxDist;
    // The speed measure: the average of the newest K counting runs, else the best speed.
    std::optional<int> lastRuns;
    std::optional<double> minSpeed;
    std::optional<int> minStarts;
    std::optional<int> maxWins;
    // On the newest run of all: one of these class codes, a claiming price of at most
    // this, this age and sex code, and none of these owners (ignoring letter case).
    std::vector<std::string> classes;
    std::optional<std::int64_t> maxClaim;
    std::optional<std::string> age;
    std::vector<std::string> excludedOwners;
};

// The runs averaged in the "Avg" column when no --last is given.
constexpr int kDefaultLastRuns = 3;
// Most rows the finder lists; the count covers every match.
constexpr std::size_t kMostFoundRows = 2000;

// One horse the finder lists: the newest run's name, owner, week, class and claiming
// price; record, earnings, speed measure and flat-bet return over the counting runs;
// best dirt and turf speed and the claiming tag over all its runs.
struct FoundHorse {
    std::int64_t id = 0;
    std::string name;
    std::string owner;
    int lastWeek = 0;
    std::string lastClass;
    std::int64_t lastClaim = 0;
    int starts = 0;
    int wins = 0;
    int places = 0;
    int shows = 0;
    std::int64_t earnings = 0;
    std::optional<float> bestDirt;
    std::optional<float> bestTurf;
    float speed = 0;        // the speed measure
    float lastAverage = 0;  // average of the newest K counting runs
    double flatBetReturn = 0;
    std::optional<std::int32_t> claimingTag;
};

struct FindResult {
    std::int64_t count = 0;
    std::vector<FoundHorse> rows;  // newest last run first, then by number
};

// A box whose text the finder cannot use, with the message shown beside it.
struct CriteriaProblem {
    std::string box;  // txtactive, txtmindist, txtmaxdist, txtlast, txtminspeed, ...
    std::string message;
};

// Criteria that cannot be searched: N or K of 0 or less, from greater than to.
std::vector<CriteriaProblem> criteriaProblems(const FindCriteria& criteria);

// A search that cannot run; its text is the message to show.
class FindError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Judges one horse by its runs, newest first; nothing when it does not fit. `today` is a
// day number (for the claiming tag), `newestWeek` the store's newest week.
std::optional<FoundHorse> judgeHorse(const FindCriteria& criteria, const std::vector<store::RunRecord>& runs,
                                     int newestWeek, int today);

// Runs the finder over the store. Throws FindError for an empty store.
FindResult findHorses(store::Database& db, const FindCriteria& criteria, int today);

// The finder's table: captions, then one row of texts per horse.
std::vector<std::string> foundColumns(const FindCriteria& criteria);
std::vector<std::string> foundCells(const FoundHorse& horse);

}  // namespace search
