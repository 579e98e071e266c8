// SPDX-License-Identifier: MIT
#include "shell/statistics_grids_layout.h"

#include <gtest/gtest.h>

namespace {

using base::Alignment;
using base::GridModel;

std::vector<std::string> rowTexts(const GridModel& grid, int row) {
    std::vector<std::string> texts;
    for (int c = 0; c < grid.cols(); ++c) texts.push_back(grid.text(row, c));
    return texts;
}

std::vector<std::string> columnTexts(const GridModel& grid, int col) {
    std::vector<std::string> texts;
    for (int r = 0; r < grid.rows(); ++r) texts.push_back(grid.text(r, col));
    return texts;
}

base::Colour foreAt(GridModel& grid, int row, int col) {
    grid.setRow(row);
    grid.setCol(col);
    return grid.cellForeColour();
}

base::Colour backAt(GridModel& grid, int row, int col) {
    grid.setRow(row);
    grid.setCol(col);
    return grid.cellBackColour();
}

GridModel statisticsGrid(int rows, int cols) {
    GridModel grid(rows, cols, 1, 1);
    shell::applyStatisticsGridLook(grid);
    return grid;
}

TEST(StatisticsGridsLayout, MaxSpeedGrid) {
    auto grid = statisticsGrid(7, 10);
    shell::layOutMaxSpeedGrid(grid);
    EXPECT_EQ(rowTexts(grid, 0),
              (std::vector<std::string>{"", "4-5", "6", "7", "8", "9", "10", "11", "12+", "Max"}));
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"", "D", "T", "OT", "D", "T", "OT"}));
    EXPECT_EQ(grid.columnWidth(0), 350);
    EXPECT_EQ(grid.columnWidth(1), 1170);
    EXPECT_EQ(grid.columnWidth(8), 1170);
    EXPECT_EQ(grid.columnWidth(9), 1740);
    EXPECT_EQ(grid.effectiveAlignment(0, 9), Alignment::RightCenter);
    for (int c = 0; c <= 9; ++c) {
        EXPECT_EQ(foreAt(grid, 1, c), base::kDirtFast);
        EXPECT_EQ(foreAt(grid, 4, c), base::kDirtFast);
        EXPECT_EQ(foreAt(grid, 2, c), base::kTurfFirm);
        EXPECT_EQ(foreAt(grid, 5, c), base::kTurfFirm);
        for (int r = 4; r <= 6; ++r) EXPECT_EQ(backAt(grid, r, c), base::kSystem3DLight);
    }
    EXPECT_EQ(backAt(grid, 1, 0), base::kSystemActiveBorder);  // a fixed cell
    EXPECT_EQ(grid.height(), 7 * grid.rowHeight() + 90);
}

TEST(StatisticsGridsLayout, AverageSpeedGrid) {
    auto grid = statisticsGrid(5, 4);
    shell::layOutAverageSpeedGrid(grid);
    EXPECT_EQ(rowTexts(grid, 0), (std::vector<std::string>{"", "Sprint", "Route", "Total"}));
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"", "Dirt", "Turf", "OT", "Total"}));
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(grid.effectiveAlignment(0, c), Alignment::RightCenter);
    for (int c = 0; c <= 3; ++c) {
        EXPECT_EQ(foreAt(grid, 1, c), base::kDirtFast);
        EXPECT_EQ(foreAt(grid, 2, c), base::kTurfFirm);
    }
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(backAt(grid, 4, c), base::kSystem3DLight);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(backAt(grid, r, 3), base::kSystem3DLight);
        EXPECT_EQ(grid.effectiveAlignment(r, 3), Alignment::RightCenter);
    }
    EXPECT_EQ(backAt(grid, 1, 1), base::kSystemWindowBackground);
    EXPECT_EQ(grid.columnWidth(0), 450);
    EXPECT_EQ(grid.columnWidth(3), 945);
}

TEST(StatisticsGridsLayout, ProgenyGrids) {
    auto rates = statisticsGrid(8, 7);
    shell::layOutProgenyRateGrid(rates);
    EXPECT_EQ(rowTexts(rates, 0), (std::vector<std::string>{"", "Tot", "D", "T", "R", "S", "Num"}));
    EXPECT_EQ(columnTexts(rates, 0),
              (std::vector<std::string>{"", "MC", "MSW", "Mdn", "1+A", "3+A", "Stk", "Grp"}));
    EXPECT_EQ(rates.columnWidth(5), 560);
    EXPECT_EQ(rates.columnWidth(6), 650);
    EXPECT_EQ(rates.columnAlignment(0), Alignment::LeftTop);
    EXPECT_EQ(rates.columnAlignment(3), Alignment::RightCenter);

    auto speeds = statisticsGrid(7, 6);
    shell::layOutProgenySpeedGrid(speeds);
    EXPECT_EQ(rowTexts(speeds, 0), (std::vector<std::string>{"", "<7.5", "8-9", "9.5-10.5", "11+", "Avg"}));
    EXPECT_EQ(columnTexts(speeds, 0), (std::vector<std::string>{"", "D", "T", "Avg", "Max", "D#", "T#"}));
    EXPECT_EQ(speeds.columnWidth(0), 560);
    EXPECT_EQ(speeds.columnWidth(5), 650);
    EXPECT_EQ(speeds.columnAlignment(0), Alignment::RightCenter);
}

TEST(StatisticsGridsLayout, ColourKey) {
    GridModel key(7, 1, 1, 0);
    key.setFont("Arial", 7.5);
    shell::layOutColourKey(key);
    EXPECT_EQ(columnTexts(key, 0), (std::vector<std::string>{"Color Key", "Dirt - Fast", "Turf - Firm", "Dirt - Good",
                                                             "Turf - Good", "Dirt - Slop", "Turf - Yldg"}));
    const base::Colour colours[] = {base::rgb(128, 0, 0),   base::rgb(0, 128, 0), base::rgb(128, 0, 128),
                                    base::rgb(0, 128, 128), base::rgb(0, 0, 128), base::rgb(128, 128, 0)};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(foreAt(key, r, 0), colours[r - 1]);
    EXPECT_EQ(key.columnAlignment(0), Alignment::LeftTop);
    EXPECT_EQ(key.height(), 7 * key.rowHeight() + 12);
}

// With a large font every height formula exceeds its limit and is set to exactly the limit.
TEST(StatisticsGridsLayout, HeightsAreClampedToTheirLimits) {
    auto big = [](int rows, int cols, int fixedCols) {
        GridModel grid(rows, cols, 1, fixedCols);
        grid.setFont("Arial", 40);
        return grid;
    };
    auto rates = big(8, 7, 1), speeds = big(7, 6, 1), average = big(5, 4, 1), max = big(7, 10, 1), key = big(7, 1, 0);
    shell::layOutProgenyRateGrid(rates);
    shell::layOutProgenySpeedGrid(speeds);
    shell::layOutAverageSpeedGrid(average);
    shell::layOutMaxSpeedGrid(max);
    shell::layOutColourKey(key);
    EXPECT_EQ(rates.height(), 2225);
    EXPECT_EQ(speeds.height(), 1812);
    EXPECT_EQ(average.height(), 1464);
    EXPECT_EQ(max.height(), 1812);
    EXPECT_EQ(key.height(), 1788);
}

}  // namespace
