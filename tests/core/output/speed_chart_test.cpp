// SPDX-License-Identifier: MIT
#include "output/speed_chart.h"
#include "progeny/getsires.h"
#include "sample_store.h"
#include "search/criteria_panel.h"
#include "search/gethorse.h"
#include "search/results_grid_commands.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using output::SpeedChart;
using testing_support::kSamplesDir;

// A plotted run as a test states it: series (colour key caption), colour, week, speed, won.
using Plotted = std::tuple<std::string, base::Colour, double, double, bool>;

std::vector<Plotted> plotted(const SpeedChart& chart) {
    std::vector<Plotted> runs;
    for (const auto& series : chart.series)
        for (const auto& point : series.points)
            runs.emplace_back(series.name, series.colour, point.week, point.speed, point.won);
    return runs;
}

// The chart of the main window's results grid as the speed chart window makes it.
SpeedChart chartOf(const shell::MainFinder& window) {
    return output::speedChartOf({window.MSFlexGrid1, window.MSFColorGridKey, window.horseLayoutShowing(),
                                 window.frainfo.caption, window.txtinjury.caption});
}

class SpeedChartOfSearch : public testing_support::SampleStore {
protected:
    void selectCell(int row, int col) { window.MSFlexGrid1.select(row, col, row, col); }
};

// Southern Waltz's five runs, read from the sample files: 312.3011 dirt good 81.4 (2nd),
// 312.3006 turf good 81.9 (2nd), 311.3014 dirt fast 80.4 (4th), 311.3010 dirt fast 69.7
// (won), 310.3004 dirt fast 83.0 (2nd). Series follow the colour key's order.
TEST_F(SpeedChartOfSearch, HorseSearchPlotsEveryRunByWeekInItsRowColour) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Southern Waltz", ""));
    const SpeedChart chart = chartOf(window);
    EXPECT_EQ(chart.kind, SpeedChart::Kind::Runs);
    EXPECT_EQ(chart.title, "Speed figures: Southern Waltz");
    EXPECT_EQ(chart.runCount(), 5);
    EXPECT_EQ(plotted(chart), (std::vector<Plotted>{{"Dirt - Fast", base::rgb(128, 0, 0), 311, 80.4, false},
                                                    {"Dirt - Fast", base::rgb(128, 0, 0), 311, 69.7, true},
                                                    {"Dirt - Fast", base::rgb(128, 0, 0), 310, 83.0, false},
                                                    {"Dirt - Good", base::rgb(128, 0, 128), 312, 81.4, false},
                                                    {"Turf - Good", base::rgb(0, 128, 128), 312, 81.9, false}}));
    EXPECT_EQ(chart.threshold, 30);
    EXPECT_EQ(chart.tooltipAt(window.MSFlexGrid1, 311, 69.7),
              "Southern Waltz\rRace 311.3010\rClass A2x, distance 6\rFinish 1, odds 0.30");
}

TEST_F(SpeedChartOfSearch, FollowsTheGridThroughFilters) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Southern Waltz", ""));
    selectCell(1, 7);  // surface "D"
    search::listfilter_Click(window);
    EXPECT_EQ(plotted(chartOf(window)),
              (std::vector<Plotted>{{"Dirt - Fast", base::rgb(128, 0, 0), 311, 80.4, false},
                                    {"Dirt - Fast", base::rgb(128, 0, 0), 311, 69.7, true},
                                    {"Dirt - Fast", base::rgb(128, 0, 0), 310, 83.0, false},
                                    {"Dirt - Good", base::rgb(128, 0, 128), 312, 81.4, false}}));
    // Then on the winner's place: one point, marked won.
    selectCell(3, 9);
    search::listfilter_Click(window);
    EXPECT_EQ(plotted(chartOf(window)), (std::vector<Plotted>{{"Dirt - Fast", base::rgb(128, 0, 0), 311, 69.7, true}}));
}

TEST_F(SpeedChartOfSearch, ProgenyLayoutShowsEachOffspringsBestSpeeds) {
    window.useBreedingFile(kSamplesDir + "/breeding.txt");
    search::optdamsire_Click(window);
    window.txthorse.caption = "Old Crown";
    window.txtnum.caption = "1";  // every offspring that ran counts
    search::cmdgethorse_click(window);
    const auto chart = chartOf(window);
    EXPECT_EQ(chart.title, "Best speeds: Progeny of Old Crown");
    EXPECT_EQ(chart.threshold, std::nullopt);  // the progeny layout hides the speed box
    ASSERT_EQ(chart.offspring.size(), 18u);
    auto offspring = [&](const std::string& name) {
        for (const auto& each : chart.offspring)
            if (each.label == name) return std::pair{each.bestDirt, each.bestTurf};
        ADD_FAILURE() << name;
        return std::pair{-1.0, -1.0};
    };
    // Best over the four distance bands of each surface, from the checked progeny listing.
    EXPECT_EQ(offspring("Burning Triumph"), std::pair(71.0, 76.0));
    EXPECT_EQ(offspring("Southern Humble Dream"), std::pair(0.0, 111.0));
    EXPECT_EQ(offspring("Midnight Forest"), std::pair(0.0, 0.0));
    EXPECT_EQ(chart.offspring[2].tooltip, "Quiet Duke (30636)\rRaces 3\rBest on dirt 81\rBest on turf 0");
}

// Grids written by hand: the rows a search never writes.
class SpeedChartOfGrid : public ::testing::Test {
protected:
    void SetUp() override { window.setUpControls(); }
    void run(int row, const std::string& race, const std::string& speed, const std::string& place) {
        auto& grid = window.MSFlexGrid1;
        if (grid.rows() <= row) grid.setRows(row + 1);
        for (const auto& [col, text] : {std::pair{0, std::string("Lone Star")}, {2, race}, {4, std::string("KY")},
                                        {5, std::string("A2")}, {6, std::string("8.5")}, {8, speed}, {9, place},
                                        {13, std::string("3.20")}})
            grid.setText(row, col, text);
    }

    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
};

TEST_F(SpeedChartOfGrid, EmptyGridHasNothingToShow) {
    EXPECT_EQ(chartOf(window), (SpeedChart{SpeedChart::Kind::Nothing, output::kNothingToShow, {}, {}, {}}));
    // Rows without a race number or a speed figure plot nothing either.
    run(1, "", "80.0", "1");
    run(2, "312.0101", "", "1");
    EXPECT_EQ(chartOf(window).kind, SpeedChart::Kind::Nothing);
}

TEST_F(SpeedChartOfGrid, RunsOutsideTheColourKeyRunsOnOneSpotAndTheThreshold) {
    run(1, "312.0507", "80.0", "1");
    run(2, "312.0612", "80.0", "3");
    window.MSFlexGrid1.select(2, 0, 2, 17);
    window.MSFlexGrid1.setCellForeColour(base::kSloppy);
    const auto chart = chartOf(window);
    EXPECT_EQ(chart.title, "Speed figures");
    EXPECT_EQ(plotted(chart),
              (std::vector<Plotted>{{"Dirt - Slop", base::kSloppy, 312, 80.0, false},
                                    {output::kOtherRuns, window.MSFlexGrid1.foreColour(), 312, 80.0, true}}));
    // The two runs stand apart, each with its own tooltip.
    EXPECT_EQ(chart.tooltipAt(window.MSFlexGrid1, 312.1, 80.0),
              "Lone Star\rRace 312.0612 at KY\rClass A2, distance 8.5\rFinish 3, odds 3.20");
    EXPECT_EQ(chart.tooltipAt(window.MSFlexGrid1, 311.9, 80.0),
              "Lone Star\rRace 312.0507 at KY\rClass A2, distance 8.5\rFinish 1, odds 3.20");
    EXPECT_EQ(chart.tooltipAt(window.MSFlexGrid1, 312, 80.0), "");
    // The threshold is the speed box rounded as the search rounds it; a box it refuses draws no line.
    for (const auto& [box, line] : {std::pair{"64.5", std::optional(64)}, {"", std::nullopt}, {"1e99", std::nullopt}}) {
        window.txtinjury.caption = box;
        EXPECT_EQ(chartOf(window).threshold, line) << box;
    }
}

// Runs of one week chaining within a 25th of the speed range (at least one figure) of
// each other stand side by side across the week, slowest first; others stay on their week.
TEST_F(SpeedChartOfGrid, RunsOfNearlyOneSpeedStandApart) {
    window.txtinjury.caption = "";  // no threshold line: the runs alone make the range
    struct Case {
        std::vector<std::pair<std::string, std::string>> runs;  // race number, speed
        std::vector<double> x;                                  // in the grid's order
    };
    const std::vector<Case> cases{
        {{{"312.01", "80.0"}, {"312.02", "80.5"}}, {311.9, 312.1}},
        {{{"312.01", "80.0"}, {"312.02", "81.0"}}, {312, 312}},  // a whole figure apart: both seen
        {{{"312.01", "80.0"}, {"311.02", "80.0"}}, {312, 311}},  // other weeks
        {{{"312.01", "80.9"}, {"312.02", "80.0"}, {"312.03", "81.8"}}, {312, 311.8, 312.2}},
        {{{"312.01", "80"}, {"312.02", "80"}, {"312.03", "80"}, {"312.04", "80"}, {"312.05", "80"},
          {"312.06", "80"}},
         {311.6, 311.76, 311.92, 312.08, 312.24, 312.4}},  // never further than 0.4 from the week
        {{{"312.01", "92"}, {"312.02", "40"}, {"312.03", "90"}}, {312.1, 312, 311.9}},  // range 52: 2.08 is near
    };
    for (const auto& [runs, x] : cases) {
        window.MSFlexGrid1.setRows(1);
        for (std::size_t i = 0; i < runs.size(); ++i) run(static_cast<int>(i) + 1, runs[i].first, runs[i].second, "2");
        std::vector<double> plottedX(runs.size());
        for (const auto& series : chartOf(window).series)
            for (const auto& point : series.points) plottedX[static_cast<std::size_t>(point.row - 1)] = point.x;
        for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(plottedX[i], x[i], 1e-9) << runs[i].first;
    }
}

TEST(SpeedChartTicks, FallOnRoundNumbers) {
    for (const auto& [span, step] : std::vector<std::pair<double, double>>{
             {0, 1}, {1, 0.1}, {3, 0.5}, {10, 1}, {11, 2}, {56, 10}, {93, 10}, {111, 20}, {180, 20}, {250, 50}}) {
        EXPECT_DOUBLE_EQ(output::roundTickStep(span, 10), step) << span;
    }
}

TEST_F(SpeedChartOfGrid, OffspringSharingANameAreToldApartByNumber) {
    window.showProgenyLayout();
    auto& grid = window.MSFlexGrid1;
    grid.setRows(3);
    for (const auto& [row, number] : {std::pair{1, "811426"}, {2, "6546556"}}) {
        grid.setText(row, 0, "Breeze's Dasher");
        grid.setText(row, 1, number);
        for (int c = 11; c < 19; ++c) grid.setText(row, c, std::to_string(c));
    }
    const auto chart = chartOf(window);
    ASSERT_EQ(chart.offspring.size(), 2u);
    EXPECT_EQ(chart.offspring[0].label, "Breeze's Dasher (811426)");
    EXPECT_EQ(std::tuple(chart.offspring[1].label, chart.offspring[1].bestDirt, chart.offspring[1].bestTurf),
              std::tuple("Breeze's Dasher (6546556)", 14.0, 18.0));
}

}  // namespace
