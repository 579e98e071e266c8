// SPDX-License-Identifier: MIT
#include "progeny/progeny_statistics.h"

#include <gtest/gtest.h>

namespace {

using progeny::ProgenyStatistics;
using store::OffspringRun;

OffspringRun run(float dist, const char* surf, const char* restr, int fin, float sp = 80) {
    return {"Test Horse", dist, sp, restr, surf, fin};
}

// `count` unplaced runs on dirt at 6 furlongs, speed 50.
std::vector<OffspringRun> unplaced(int count) { return std::vector<OffspringRun>(static_cast<std::size_t>(count), run(6, "D", "C2L", 4, 50)); }

std::vector<OffspringRun> plus(std::vector<OffspringRun> runs, std::initializer_list<OffspringRun> more) {
    runs.insert(runs.end(), more);
    return runs;
}

std::vector<std::string> row(const base::GridModel& grid, int r) {
    std::vector<std::string> cells;
    for (int c = 1; c < grid.cols(); ++c) cells.push_back(grid.text(r, c));
    return cells;
}

class ProgenyStatisticsTest : public ::testing::Test {
protected:
    void fill() {
        statistics.fillSuccessTable(success);
        statistics.fillSpeedTable(speed);
    }

    ProgenyStatistics statistics{5, false};
    base::GridModel success{8, 7, 1, 1};
    base::GridModel speed{7, 6, 1, 1};
};

using Cells = std::vector<std::string>;

TEST_F(ProgenyStatisticsTest, FourRacesOfFiveCountNowhereFiveCountForMaidensTenForAll) {
    const auto four = statistics.add(3, plus(unplaced(3), {run(6, "D", "MC", 1, 90)}));
    EXPECT_EQ(four.races, 4);
    EXPECT_FALSE(four.qualified);
    EXPECT_EQ(four.best[progeny::kDirt][0], 0);  // its runs give no best speed
    const auto five = statistics.add(3, plus(unplaced(4), {run(9, "D", "A2x", 1)}));
    EXPECT_TRUE(five.qualified);
    EXPECT_TRUE(five.won);
    EXPECT_EQ(five.allowanceOrBetter, 1);
    statistics.add(4, plus(unplaced(9), {run(9, "T", "A2x", 1)}));
    fill();
    EXPECT_EQ(row(success, 3), (Cells{"100.0%", "50.0%", "50.0%", "100.0%", "0.0%", "2"}));   // Mdn
    EXPECT_EQ(row(success, 1), (Cells{"0.0%", "0.0%", "0.0%", "0.0%", "0.0%", "2"}));         // MC
    EXPECT_EQ(row(success, 4), (Cells{"100.0%", "0.0%", "100.0%", "100.0%", "0.0%", "1"}));   // 1+A
    EXPECT_EQ(statistics.fastestLabel(), "Fastest progeny? Test Horse - 80");
}

TEST_F(ProgenyStatisticsTest, AgeFilterCountsTwoYearOldsOrTheOlderOnes) {
    ProgenyStatistics twoYearOlds{0, true};
    EXPECT_TRUE(twoYearOlds.add(2, unplaced(1)).qualified);
    EXPECT_FALSE(twoYearOlds.add(3, unplaced(1)).qualified);
    EXPECT_FALSE(statistics.add(2, unplaced(12)).qualified);
    EXPECT_EQ(statistics.add(2, unplaced(12)).races, 12);
    EXPECT_TRUE(statistics.add(3, unplaced(12)).qualified);
}

TEST_F(ProgenyStatisticsTest, OnlyTheFirstWinTellsHowTheMaidenWasBroken) {
    statistics.add(3, plus(unplaced(4), {run(6, "D", "C3n", 1), run(6, "D", "MS", 1)}));
    statistics.add(3, plus(unplaced(4), {run(7.5f, "T", "MS", 1), run(8, "D", "A1t", 1)}));
    statistics.add(3, plus(unplaced(4), {run(8, "D", "MC", 1)}));
    statistics.add(3, unplaced(5));
    fill();
    EXPECT_EQ(row(success, 1), (Cells{"25.0%", "25.0%", "0.0%", "25.0%", "0.0%", "4"}));   // MC at 8: route
    EXPECT_EQ(row(success, 2), (Cells{"25.0%", "0.0%", "25.0%", "0.0%", "25.0%", "4"}));   // MS at 7.5: sprint
    EXPECT_EQ(row(success, 3), (Cells{"75.0%", "50.0%", "25.0%", "25.0%", "50.0%", "4"}));
}

TEST_F(ProgenyStatisticsTest, GradedOnlyOffspringCountsInTheTotalsAndTheGradedSplits) {
    const auto graded = statistics.add(3, plus(unplaced(9), {run(9, "D", "G3", 1)}));
    EXPECT_EQ(graded.allowanceOrBetter, 1);
    EXPECT_EQ(graded.stakesOrBetter, 1);
    EXPECT_EQ(graded.graded, 1);
    fill();
    EXPECT_EQ(row(success, 4), (Cells{"100.0%", "0.0%", "0.0%", "0.0%", "0.0%", "1"}));    // 1+A
    EXPECT_EQ(row(success, 5), (Cells{"0.0%", "0.0%", "0.0%", "0.0%", "0.0%", "1"}));      // 3+A
    EXPECT_EQ(row(success, 6), (Cells{"100.0%", "0.0%", "0.0%", "0.0%", "0.0%", "1"}));    // Stk
    EXPECT_EQ(row(success, 7), (Cells{"100.0%", "100.0%", "0.0%", "100.0%", "0.0%", "1"})); // Grp
}

TEST_F(ProgenyStatisticsTest, ThreeAllowanceWinsAndStakesSplitAtEightFurlongs) {
    const auto summary = statistics.add(
        5, plus(unplaced(7), {run(7.5f, "D", "A2x", 1), run(8, "T", "1A", 1), run(10, "D", "A-H", 1),
                              run(7.5f, "T", "Stk", 1), run(12, "T", "Stk", 1)}));
    EXPECT_EQ(summary.allowanceOrBetter, 5);
    EXPECT_EQ(summary.stakesOrBetter, 2);
    statistics.add(5, plus(unplaced(9), {run(6, "D", "Str", 1)}));  // neither allowance nor stakes
    fill();
    EXPECT_EQ(row(success, 4), (Cells{"50.0%", "50.0%", "50.0%", "50.0%", "50.0%", "2"}));
    EXPECT_EQ(row(success, 5), (Cells{"50.0%", "0.0%", "0.0%", "0.0%", "0.0%", "2"}));   // 3 allowance wins
    EXPECT_EQ(row(success, 6), (Cells{"50.0%", "0.0%", "50.0%", "50.0%", "50.0%", "2"}));
}

TEST_F(ProgenyStatisticsTest, BandsStartAtEightNineAndAHalfAndEleven) {
    const auto summary = statistics.add(3, {run(7.5f, "D", "C", 2, 70), run(8, "D", "C", 2, 71), run(9.5f, "D", "C", 2, 72),
                                            run(11, "T", "C", 2, 73), run(10.5f, "T", "C", 2, 74), run(12, "X", "C", 2, 99)});
    EXPECT_EQ(summary.best[progeny::kDirt], (std::array<std::int32_t, 4>{70, 71, 72, 0}));
    EXPECT_EQ(summary.best[progeny::kTurf], (std::array<std::int32_t, 4>{0, 0, 74, 73}));
    EXPECT_EQ(statistics.fastestLabel(), "Fastest progeny? Test Horse - 99");  // any surface counts here
}

TEST_F(ProgenyStatisticsTest, SpeedsRoundHalfToEvenAndATieKeepsTheEarlierRun) {
    ProgenyStatistics any{0, false};
    EXPECT_EQ(any.add(3, {run(6, "D", "C", 2, 100.5f)}).best[progeny::kDirt][0], 100);
    EXPECT_EQ(any.add(3, {run(6, "D", "C", 2, 101.5f)}).best[progeny::kDirt][0], 102);
    const auto named = [](const char* name, float sp) {
        auto each = run(6, "D", "C", 2, sp);
        each.hname = name;
        return each;
    };
    ProgenyStatistics tie{0, false};
    tie.add(3, {named("First", 101), named("Second", 101)});
    EXPECT_EQ(tie.fastestLabel(), "Fastest progeny? First - 101");
    // The held speed is whole: 100 (from 100.5) is below 100.4, so the later run takes it.
    ProgenyStatistics rounded{0, false};
    rounded.add(3, {named("First", 100.5f), named("Later", 100.4f), named("Same", 100)});
    EXPECT_EQ(rounded.fastestLabel(), "Fastest progeny? Later - 100");
}

TEST_F(ProgenyStatisticsTest, SpeedTableAveragesEachOffspringsBestAndLeavesEmptyCellsEmpty) {
    ProgenyStatistics all{0, false};
    all.add(3, {run(6, "D", "C", 2, 80), run(6, "D", "C", 2, 90), run(12, "T", "C", 2, 70)});
    all.add(3, {run(6, "D", "C", 2, 85), run(8.5f, "T", "C", 2, 60)});
    all.add(3, {run(6, "D", "C", 2, 0)});  // ran, but no best speed of 1 or more
    all.fillSpeedTable(speed);
    EXPECT_EQ(row(speed, 1), (Cells{"87.5", "", "", "", "87.5"}));
    EXPECT_EQ(row(speed, 2), (Cells{"", "60.0", "", "70.0", "65.0"}));
    EXPECT_EQ(row(speed, 3), (Cells{"87.5", "60.0", "", "70.0", "76.3"}));
    EXPECT_EQ(row(speed, 4), (Cells{"90", "60", "", "70", "90"}));
    EXPECT_EQ(row(speed, 5), (Cells{"2", "", "", "", "2"}));
    EXPECT_EQ(row(speed, 6), (Cells{"", "1", "", "1", "2"}));
}

TEST_F(ProgenyStatisticsTest, NoQualifiedOffspringReadsZeroEverywhere) {
    statistics.add(3, unplaced(2));
    fill();
    for (int r = 1; r <= 7; ++r) EXPECT_EQ(row(success, r), (Cells{"0.0%", "0.0%", "0.0%", "0.0%", "0.0%", "0"}));
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(row(speed, r), (Cells{"", "", "", "", ""}));
    EXPECT_EQ(statistics.fastestLabel(), "Fastest progeny?  - 0");
}

TEST_F(ProgenyStatisticsTest, ThirdsShowWithOneDecimal) {
    ProgenyStatistics thirds{0, false};
    thirds.add(3, {run(6, "D", "MC", 1)});
    thirds.add(3, unplaced(1));
    thirds.add(3, unplaced(1));
    thirds.fillSuccessTable(success);
    EXPECT_EQ(row(success, 1), (Cells{"33.3%", "33.3%", "0.0%", "0.0%", "33.3%", "3"}));
}

}  // namespace
