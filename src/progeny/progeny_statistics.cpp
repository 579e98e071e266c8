// SPDX-License-Identifier: MIT
#include "progeny/progeny_statistics.h"

#include "base/number_format.h"
#include "base/rounding.h"

#include <algorithm>
#include <numeric>

namespace progeny {

namespace {

bool isDirt(const store::OffspringRun& run) { return run.surf == "D"; }

bool isAllowance(const std::string& restr) {
    return !restr.empty() && (restr.front() == 'A' || (restr.front() >= '0' && restr.front() <= '9'));
}

// A best speed or the fastest run replaces the one held when that is below the run's
// speed; a tie keeps the earlier run.
bool improves(std::int32_t held, float sp, std::int32_t& replaced) {
    if (!(static_cast<double>(held) < sp)) return false;
    replaced = static_cast<std::int32_t>(base::roundHalfEven(sp));
    return true;
}

std::string wholeOrEmpty(std::int64_t count) { return count == 0 ? std::string() : std::to_string(count); }

}  // namespace

int bandOf(float dist) {
    if (dist < 8) return 0;
    if (dist < 9.5f) return 1;
    if (dist < 11) return 2;
    return 3;
}

void ClassWins::add(const store::OffspringRun& run) {
    ++total;
    ++(isDirt(run) ? dirt : other);
    ++(run.dist >= 8 ? route : sprint);
}

ProgenyStatistics::ProgenyStatistics(std::int64_t startsRequired, bool twoYearOlds)
    : startsRequired_(startsRequired), twoYearOlds_(twoYearOlds) {}

OffspringSummary ProgenyStatistics::add(int age, const std::vector<store::OffspringRun>& runs) {
    OffspringSummary summary;
    summary.races = static_cast<int>(runs.size());
    if (runs.empty()) return summary;
    summary.qualified = passesAgeFilter(age) && summary.races >= startsRequired_;
    if (summary.qualified) {
        ++qualified_;
        ClassWins allowance, stakes, graded;
        for (const auto& run : runs) addRun(run, summary, allowance, stakes, graded);
        summary.stakesOrBetter = stakes.total + graded.total;
        summary.allowanceOrBetter = allowance.total + summary.stakesOrBetter;
        summary.graded = graded.total;
        if (summary.races > startsRequired_ + 4) {
            ++seasoned_;
            addSeasoned(kOneAllowance, summary.allowanceOrBetter, allowance, 0);
            addSeasoned(kThreeAllowance, summary.allowanceOrBetter, allowance, 2);
            addSeasoned(kStakes, summary.stakesOrBetter, stakes, 0);
            addSeasoned(kGraded, summary.graded, graded, 0);
        }
    }
    addBestSpeeds(summary);
    return summary;
}

void ProgenyStatistics::addRun(const store::OffspringRun& run, OffspringSummary& summary, ClassWins& allowance,
                               ClassWins& stakes, ClassWins& graded) {
    if (run.fin == 1) {
        if (!summary.won) addFirstWin(run);
        summary.won = true;
        if (run.restr == "Stk") stakes.add(run);
        if (run.restr.starts_with('G')) graded.add(run);
        if (isAllowance(run.restr)) allowance.add(run);
    }
    if (improves(fastestSpeed_, run.sp, fastestSpeed_)) fastestName_ = run.hname;
    if (run.surf == "D" || run.surf == "T") {
        auto& best = summary.best[run.surf == "D" ? kDirt : kTurf][static_cast<std::size_t>(bandOf(run.dist))];
        improves(best, run.sp, best);
    }
}

// Only an offspring's first win tells how it broke its maiden.
void ProgenyStatistics::addFirstWin(const store::OffspringRun& run) {
    if (run.restr == "MS") addMaidenWin(kMSW, run);
    if (run.restr == "MC") addMaidenWin(kMC, run);
    addMaidenWin(kMdn, run);
}

// Maiden wins split into route and sprint above 7.5 furlongs, where the other classes
// split at 8.
void ProgenyStatistics::addMaidenWin(Row row, const store::OffspringRun& run) {
    auto& counts = success_[row];
    ++counts[kTot];
    ++counts[run.dist > 7.5f ? kR : kS];
    ++counts[isDirt(run) ? kD : kT];
}

// The total counts the wins of the class and the classes above it, the splits those of
// the class alone.
void ProgenyStatistics::addSeasoned(Row row, int total, const ClassWins& wins, int over) {
    auto& counts = success_[row];
    const std::array<std::pair<Split, int>, kSplits> tests{
        {{kTot, total}, {kD, wins.dirt}, {kT, wins.other}, {kR, wins.route}, {kS, wins.sprint}}};
    for (const auto& [split, value] : tests)
        if (value > over) ++counts[split];
}

void ProgenyStatistics::addBestSpeeds(const OffspringSummary& summary) {
    for (std::size_t band = 0; band < kBands; ++band)
        for (const Surface surface : {kDirt, kTurf}) {
            const std::int32_t best = summary.best[surface][band];
            if (best < 1) continue;
            ++speedCounts_[surface][band];
            speedSums_[surface][band] += best;
            speedMax_[band] = std::max(speedMax_[band], best);
        }
}

void ProgenyStatistics::fillSuccessTable(base::GridModel& grid) const {
    for (int row = kMC; row < kRows; ++row) {
        const int denominator = row <= kMdn ? qualified_ : seasoned_;
        grid.setText(row + 1, 6, std::to_string(denominator));
        const auto divisor = static_cast<float>(std::max(denominator, 1));
        for (int split = kTot; split < kSplits; ++split) {
            const auto count = static_cast<float>(success_[static_cast<std::size_t>(row)][static_cast<std::size_t>(split)]);
            grid.setText(row + 1, split + 1, base::formatNumber(count / divisor, "#0.0%"));
        }
    }
}

// One average row of the speed table: a column per band, then all bands together.
void ProgenyStatistics::fillSpeedRow(base::GridModel& grid, int row, const std::array<std::int64_t, kBands>& sums,
                                     const std::array<int, kBands>& counts, const char* bandMask) const {
    for (int band = 0; band < kBands; ++band) {
        const auto b = static_cast<std::size_t>(band);
        grid.setText(
            row, band + 1,
            counts[b] == 0 ? std::string() : base::formatNumber(static_cast<double>(sums[b]) / counts[b], bandMask));
    }
    const auto sum = std::accumulate(sums.begin(), sums.end(), std::int64_t{0});
    const auto count = std::accumulate(counts.begin(), counts.end(), 0);
    grid.setText(row, 5, count == 0 ? std::string() : base::formatNumber(static_cast<double>(sum) / count, "#0.0"));
}

void ProgenyStatistics::fillSpeedTable(base::GridModel& grid) const {
    fillSpeedRow(grid, 1, speedSums_[kDirt], speedCounts_[kDirt], "#0.0");
    fillSpeedRow(grid, 2, speedSums_[kTurf], speedCounts_[kTurf], "#0.0");
    std::array<std::int64_t, kBands> sums{};
    std::array<int, kBands> counts{};
    for (std::size_t band = 0; band < kBands; ++band) {
        sums[band] = speedSums_[kDirt][band] + speedSums_[kTurf][band];
        counts[band] = speedCounts_[kDirt][band] + speedCounts_[kTurf][band];
    }
    fillSpeedRow(grid, 3, sums, counts, "##0.0");
    for (int band = 0; band < kBands; ++band) {
        const auto b = static_cast<std::size_t>(band);
        grid.setText(4, band + 1, wholeOrEmpty(speedMax_[b]));
        grid.setText(5, band + 1, wholeOrEmpty(speedCounts_[kDirt][b]));
        grid.setText(6, band + 1, wholeOrEmpty(speedCounts_[kTurf][b]));
    }
    grid.setText(4, 5, wholeOrEmpty(*std::max_element(speedMax_.begin(), speedMax_.end())));
    grid.setText(5, 5, wholeOrEmpty(std::accumulate(speedCounts_[kDirt].begin(), speedCounts_[kDirt].end(), 0)));
    grid.setText(6, 5, wholeOrEmpty(std::accumulate(speedCounts_[kTurf].begin(), speedCounts_[kTurf].end(), 0)));
}

std::string ProgenyStatistics::fastestLabel() const {
    return "Fastest progeny? " + fastestName_ + " - " + std::to_string(fastestSpeed_);
}

}  // namespace progeny
