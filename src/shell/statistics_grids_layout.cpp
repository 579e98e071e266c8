// SPDX-License-Identifier: MIT
#include "shell/statistics_grids_layout.h"

#include <algorithm>
#include <array>
#include <string>

namespace shell {

namespace {

template <std::size_t N>
void writeRow(base::GridModel& grid, int row, int firstCol, const std::array<const char*, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) grid.setText(row, firstCol + static_cast<int>(i), texts[i]);
}

template <std::size_t N>
void writeColumn(base::GridModel& grid, int col, int firstRow, const std::array<const char*, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) grid.setText(firstRow + static_cast<int>(i), col, texts[i]);
}

void setAllColumns(base::GridModel& grid, int width, base::Alignment alignment) {
    for (int c = 0; c < grid.cols(); ++c) {
        grid.setColumnWidth(c, width);
        grid.setColumnAlignment(c, alignment);
    }
}

// Selects a rectangle and gives its cells a text colour, a background or an alignment,
// as the grid applies formatting to the selection.
void colourText(base::GridModel& grid, int row, int col, int rowSel, int colSel, base::Colour colour) {
    grid.select(row, col, rowSel, colSel);
    grid.setCellForeColour(colour);
}

void colourBack(base::GridModel& grid, int row, int col, int rowSel, int colSel, base::Colour colour) {
    grid.select(row, col, rowSel, colSel);
    grid.setCellBackColour(colour);
}

void align(base::GridModel& grid, int row, int col, int rowSel, int colSel, base::Alignment alignment) {
    grid.select(row, col, rowSel, colSel);
    grid.setCellAlignment(alignment);
}

}  // namespace

int clampedGridHeight(const base::GridModel& grid, int rows, int extra, int limit) {
    return std::min(rows * grid.rowHeight() + extra, limit);
}

void applyStatisticsGridLook(base::GridModel& grid) {
    grid.setGridLineColour(base::kBlack);
    grid.setFixedBackColour(base::kSystemActiveBorder);
    // The border allowance below the last row blends with the window.
    grid.setBackColourBeyond(base::kSystemButtonFace);
    grid.setFont("Arial", 6.75);
}

void layOutProgenyRateGrid(base::GridModel& g) {
    setAllColumns(g, 560, base::Alignment::RightCenter);
    g.setColumnWidth(6, 650);
    g.setColumnAlignment(0, base::Alignment::LeftTop);
    writeRow(g, 0, 1, std::array{"Tot", "D", "T", "R", "S", "Num"});
    writeColumn(g, 0, 1, std::array{"MC", "MSW", "Mdn", "1+A", "3+A", "Stk", "Grp"});
    g.setHeight(clampedGridHeight(g, 8, 90, 2225));
}

void layOutProgenySpeedGrid(base::GridModel& g) {
    setAllColumns(g, 650, base::Alignment::RightCenter);
    g.setColumnWidth(0, 560);
    g.setHeight(clampedGridHeight(g, 7, 90, 1812));
    writeColumn(g, 0, 1, std::array{"D", "T", "Avg", "Max", "D#", "T#"});
    writeRow(g, 0, 1, std::array{"<7.5", "8-9", "9.5-10.5", "11+", "Avg"});
}

void layOutAverageSpeedGrid(base::GridModel& g) {
    align(g, 0, 1, 0, 3, base::Alignment::RightCenter);
    writeRow(g, 0, 1, std::array{"Sprint", "Route", "Total"});
    writeColumn(g, 0, 1, std::array{"Dirt", "Turf", "OT", "Total"});
    colourText(g, 1, 0, 1, 3, base::kDirtFast);
    colourText(g, 2, 0, 2, 3, base::kTurfFirm);
    colourBack(g, 4, 1, 4, 3, base::kSystem3DLight);
    colourBack(g, 1, 3, 4, 3, base::kSystem3DLight);
    align(g, 1, 3, 4, 3, base::Alignment::RightCenter);
    g.setHeight(clampedGridHeight(g, 5, 90, 1464));
    // Room for an average over 100 of a five-digit count of runs: "199.9 (99999)".
    for (int c = 1; c <= 3; ++c) g.setColumnWidth(c, 945);
    g.setColumnWidth(0, 450);
}

void layOutMaxSpeedGrid(base::GridModel& g) {
    g.setColumnWidth(0, 350);
    g.setText(0, 1, "4-5");
    for (int c = 2; c <= 7; ++c) g.setText(0, c, std::to_string(c + 4));
    g.setText(0, 8, "12+");
    g.setText(0, 9, "Max");
    writeColumn(g, 0, 1, std::array{"D", "T", "OT", "D", "T", "OT"});
    for (int row : {1, 4}) colourText(g, row, 0, row, 9, base::kDirtFast);
    for (int row : {2, 5}) colourText(g, row, 0, row, 9, base::kTurfFirm);
    colourBack(g, 4, 0, 6, 9, base::kSystem3DLight);
    g.setHeight(clampedGridHeight(g, 7, 90, 1812));
    // Room for a large stable's figures: "99999-199.9" and "9999-9999-9999" a distance,
    // "99999-99999-99999/99999" in all.
    for (int c = 1; c <= 8; ++c) g.setColumnWidth(c, 1170);
    g.setColumnWidth(9, 1740);
    align(g, 0, 9, 0, 9, base::Alignment::RightCenter);
}

void layOutColourKey(base::GridModel& g) {
    g.setColumnAlignment(0, base::Alignment::LeftTop);
    g.setText(0, 0, "Color Key");
    const std::array<std::pair<const char*, base::Colour>, 6> keys{{{"Dirt - Fast", base::kDirtFast},
                                                                    {"Turf - Firm", base::kTurfFirm},
                                                                    {"Dirt - Good", base::kDirtGood},
                                                                    {"Turf - Good", base::kTurfGood},
                                                                    {"Dirt - Slop", base::kSloppy},
                                                                    {"Turf - Yldg", base::kYielding}}};
    for (int row = 1; row <= 6; ++row) {
        g.setText(row, 0, keys[static_cast<std::size_t>(row - 1)].first);
        colourText(g, row, 0, row, 0, keys[static_cast<std::size_t>(row - 1)].second);
    }
    g.setHeight(clampedGridHeight(g, 7, 12, 1788));
}

}  // namespace shell
