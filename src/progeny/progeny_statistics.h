// SPDX-License-Identifier: MIT
// The progeny search's statistics: each offspring's wins and best speeds, and the tables they add up to.
#pragma once

#include "base/grid_model.h"
#include "base/results_columns.h"
#include "store/offspring_runs.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace progeny {

// Distance bands of the best speeds: under 8 furlongs, 8 up to 9.5, 9.5 up to 11, 11 on.
using base::progeny_column::kBands;
int bandOf(float dist);

enum Surface { kDirt = 0, kTurf = 1 };

// Wins of one class by one offspring: all of them, on dirt and elsewhere, at 8 furlongs
// or more and below.
struct ClassWins {
    int total = 0, dirt = 0, other = 0, route = 0, sprint = 0;
    void add(const store::OffspringRun& run);
};

// What one offspring's row of the listing shows.
struct OffspringSummary {
    int races = 0;
    // Passes the age filter and ran at least the required races; only then are its wins
    // and best speeds counted.
    bool qualified = false;
    bool won = false;
    int allowanceOrBetter = 0, stakesOrBetter = 0, graded = 0;
    std::array<std::array<std::int32_t, kBands>, 2> best{};  // by surface, then band
};

// The statistics of one progeny search over its offspring, one after the other, and the
// two tables and the label they end in.
class ProgenyStatistics {
public:
    // `startsRequired` is the "#" box's number, `twoYearOlds` the "2yo" box.
    ProgenyStatistics(std::int64_t startsRequired, bool twoYearOlds);

    // Adds one offspring of age `age` with its runs in the order they were run.
    OffspringSummary add(int age, const std::vector<store::OffspringRun>& runs);

    // `MSFSRGrid` rows 1 to 7, columns 1 to 6: the shares of the offspring that won.
    void fillSuccessTable(base::GridModel& grid) const;
    // `MSFmaxgrid` rows 1 to 6, columns 1 to 5: averages and highest of the best speeds.
    void fillSpeedTable(base::GridModel& grid) const;
    // The text of `lblfastest`.
    std::string fastestLabel() const;

private:
    enum Row { kMC, kMSW, kMdn, kOneAllowance, kThreeAllowance, kStakes, kGraded, kRows };
    enum Split { kTot, kD, kT, kR, kS, kSplits };

    bool passesAgeFilter(int age) const { return twoYearOlds_ ? age < 3 : age > 2; }
    void addFirstWin(const store::OffspringRun& run);
    void addMaidenWin(Row row, const store::OffspringRun& run);
    void addRun(const store::OffspringRun& run, OffspringSummary& summary, ClassWins& allowance, ClassWins& stakes,
                ClassWins& graded);
    void addSeasoned(Row row, int total, const ClassWins& wins, int over);
    void addBestSpeeds(const OffspringSummary& summary);
    void fillSpeedRow(base::GridModel& grid, int row, const std::array<std::int64_t, kBands>& sums,
                      const std::array<int, kBands>& counts, const char* bandMask) const;

    std::int64_t startsRequired_;
    bool twoYearOlds_;
    std::array<std::array<int, kSplits>, kRows> success_{};
    int qualified_ = 0;
    int seasoned_ = 0;
    std::array<std::array<int, kBands>, 2> speedCounts_{};
    std::array<std::array<std::int64_t, kBands>, 2> speedSums_{};
    std::array<std::int32_t, kBands> speedMax_{};
    std::int32_t fastestSpeed_ = 0;
    std::string fastestName_;
};

}  // namespace progeny
