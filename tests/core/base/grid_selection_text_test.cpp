// SPDX-License-Identifier: MIT
#include "base/grid_selection_text.h"

#include <gtest/gtest.h>

namespace {

base::GridModel listing() {
    base::GridModel grid(4, 4, 1, 0);
    const char* texts[4][4] = {{"Name", "H.ID.", "Race #", "Owner"},
                               {"Black Dasher", "742503", "312.0501", "Reid Thoroughbreds"},
                               {"Amber Bay", "9605769", "311.0102", "Harrow Bloodstock, Ltd."},
                               {"Quiet Duke", "30636", "310.0101", "Fisher & Harris"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) grid.setText(r, c, texts[r][c]);
    return grid;
}

TEST(SelectionAsTabSeparatedText, CaptionsThenTheSelectedCells) {
    auto grid = listing();
    grid.select(2, 1, 3, 2);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "H.ID.\tRace #\r\n9605769\t311.0102\r\n30636\t310.0101\r\n");
    // Selected upwards and leftwards: the same rectangle.
    grid.select(3, 2, 2, 1);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "H.ID.\tRace #\r\n9605769\t311.0102\r\n30636\t310.0101\r\n");
}

TEST(SelectionAsTabSeparatedText, OneCellAndASelectionFromTheCaptions) {
    auto grid = listing();
    grid.select(1, 3, 1, 3);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "Owner\r\nReid Thoroughbreds\r\n");
    grid.select(0, 0, 1, 0);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "Name\r\nBlack Dasher\r\n");
}

TEST(SelectionAsTabSeparatedText, CellsThatWouldSplitAreQuoted) {
    auto grid = listing();
    grid.setText(1, 0, "Tab\there");
    grid.setText(1, 1, "Say \"hi\"");
    grid.setText(1, 2, "two\rlines");
    grid.select(1, 0, 1, 3);
    EXPECT_EQ(
        base::selectionAsTabSeparatedText(grid),
        "Name\tH.ID.\tRace #\tOwner\r\n\"Tab\there\"\t\"Say \"\"hi\"\"\"\t\"two\rlines\"\tReid Thoroughbreds\r\n");
}

TEST(SelectionAsTabSeparatedText, StatisticsGridWithAHeaderColumn) {
    base::GridModel grid(3, 3, 1, 1);
    grid.setText(0, 1, "Sprint");
    grid.setText(0, 2, "Route");
    grid.setText(1, 0, "Dirt");
    grid.setText(1, 1, "80.1");
    grid.setText(1, 2, "79.5");
    grid.select(1, 0, 1, 2);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "\tSprint\tRoute\r\nDirt\t80.1\t79.5\r\n");
}

TEST(SelectionAsTabSeparatedText, EmptyGrid) {
    base::GridModel grid(0, 0, 0, 0);
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "");
}

}  // namespace
