// SPDX-License-Identifier: MIT
#include "base/grid_model.h"
#include "base/grid_selection_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace base {
namespace {

struct Recorder : GridModel::Observer {
    int changed = 0;
    int shaped = 0;
    void gridChanged() override { ++changed; }
    void gridShapeChanged() override { ++shaped; }
};

std::vector<std::string> columnTexts(const GridModel& grid, int col) {
    std::vector<std::string> texts;
    for (int r = 0; r < grid.rows(); ++r) texts.push_back(grid.text(r, col));
    return texts;
}

// A header row "key"/"tag" above one data row per key; column 1 tags each row with its
// original position, so the tests can tell equal keys apart and see whole rows move.
GridModel keyedGrid(const std::vector<std::string>& keys) {
    GridModel grid(static_cast<int>(keys.size()) + 1, 2);
    grid.setText(0, 0, "key");
    grid.setText(0, 1, "tag");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        grid.setText(static_cast<int>(i) + 1, 0, keys[i]);
        grid.setText(static_cast<int>(i) + 1, 1, std::to_string(i));
    }
    return grid;
}

void expectNoFormatting(const Cell& cell) {
    EXPECT_FALSE(cell.foreColour.has_value());
    EXPECT_FALSE(cell.backColour.has_value());
    EXPECT_FALSE(cell.alignment.has_value());
}

TEST(GridModelShape, StartsEmptyWithTheGridDefaults) {
    const GridModel grid(2, 18);
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.cols(), 18);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 0);
    for (int c = 0; c < 18; ++c) {
        EXPECT_EQ(grid.columnWidth(c), GridModel::kDefaultColumnWidth);
        EXPECT_EQ(grid.columnAlignment(c), Alignment::General);
        EXPECT_EQ(grid.text(0, c), "");
    }
    EXPECT_EQ(grid.rowHeight(), rowHeightForFont(grid.fontSize()));
    EXPECT_EQ(grid.backColour(), kSystemWindowBackground);
    EXPECT_EQ(grid.foreColour(), kSystemWindowText);
    EXPECT_EQ(grid.fixedBackColour(), kSystem3DLight);
    EXPECT_TRUE(grid.visible());
    EXPECT_TRUE(grid.redraw());
    EXPECT_EQ(grid.row(), 0);
    EXPECT_EQ(grid.colSel(), 0);
}

TEST(GridModelShape, GrowingAddsEmptyCellsAndShrinkingDropsFromTheEnd) {
    GridModel grid(2, 2);
    grid.setText(1, 1, "kept");
    grid.setColumnWidth(1, 500);
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.text(1, 1), "kept");
    EXPECT_EQ(grid.text(3, 2), "");
    EXPECT_EQ(grid.columnWidth(1), 500);
    EXPECT_EQ(grid.columnWidth(2), GridModel::kDefaultColumnWidth);

    grid.setText(3, 0, "dropped");
    grid.setRows(3);
    grid.setCols(1);
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 1);
    EXPECT_THROW(grid.text(1, 1), std::out_of_range);
    // What was dropped does not come back when the grid grows again.
    grid.setRows(4);
    grid.setCols(2);
    EXPECT_EQ(grid.text(3, 0), "");
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.columnWidth(1), GridModel::kDefaultColumnWidth);

    grid.setRows(-3);
    EXPECT_EQ(grid.rows(), 0);
}

TEST(GridModelShape, ShrinkingPullsTheCursorAndSelectionInside) {
    GridModel grid(10, 10);
    grid.select(8, 8, 9, 9);
    grid.setRows(5);
    grid.setCols(3);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.rowSel(), 4);
    EXPECT_EQ(grid.col(), 2);
    EXPECT_EQ(grid.colSel(), 2);
}

TEST(GridModelText, CurrentTextIsTheCurrentCell) {
    GridModel grid(3, 3);
    grid.setRow(2);
    grid.setCol(1);
    grid.setCurrentText("here");
    EXPECT_EQ(grid.text(2, 1), "here");
    grid.setText(1, 2, "there");
    grid.select(1, 2, 2, 0);
    EXPECT_EQ(grid.currentText(), "there");
}

TEST(GridModelText, CellsOutsideTheGridAreRefused) {
    GridModel grid(3, 3);
    EXPECT_THROW(grid.text(3, 0), std::out_of_range);
    EXPECT_THROW(grid.setText(0, 3, "x"), std::out_of_range);
    EXPECT_THROW(grid.setRow(3), std::out_of_range);
    EXPECT_THROW(grid.setCol(-1), std::out_of_range);
    EXPECT_THROW(grid.setRowSel(-1), std::out_of_range);
    EXPECT_THROW(grid.setColSel(3), std::out_of_range);
    EXPECT_THROW(grid.removeRow(3), std::out_of_range);
}

TEST(GridModelSelection, SettingRowOrColumnCollapsesOnlyThatDirection) {
    GridModel grid(6, 6);
    grid.select(1, 1, 4, 4);
    grid.setRow(2);
    EXPECT_EQ(grid.rowSel(), 2);
    EXPECT_EQ(grid.colSel(), 4);
    grid.setCol(3);
    EXPECT_EQ(grid.colSel(), 3);
    EXPECT_EQ(grid.row(), 2);
}

// Rows picked one by one are the selection until the selection moves or the rows change;
// the clipboard text then holds them whole, under the captions.
TEST(GridModelSelection, PickedRowsNeedNotBeNeighbours) {
    using Rows = std::vector<int>;
    GridModel grid(9, 2);
    for (int r = 0; r < 9; ++r) grid.setText(r, 0, "r" + std::to_string(r));
    grid.select(2, 0, 3, 0);
    grid.togglePickedRow(6);
    EXPECT_EQ(grid.selectedDataRows(), (Rows{2, 3, 6}));  // the first pick keeps the selection's rows
    EXPECT_EQ(grid.row(), 6);
    grid.togglePickedRow(3);
    EXPECT_EQ(grid.selectedDataRows(), (Rows{2, 6}));
    EXPECT_EQ(base::selectionAsTabSeparatedText(grid), "r0\t\r\nr2\t\r\nr6\t\r\n");
    grid.pickRowsTo(5);  // from the row last clicked, 3
    EXPECT_EQ(grid.selectedDataRows(), (Rows{2, 3, 4, 5, 6}));
    grid.setCol(1);  // a column only: the picks stay
    EXPECT_EQ(grid.pickedRows().size(), 5u);
    grid.setRow(4);
    EXPECT_EQ(grid.selectedDataRows(), (Rows{4}));
    grid.togglePickedRow(1);
    grid.sort(base::SortOrder::TextDescending);
    EXPECT_TRUE(grid.pickedRows().empty());
    EXPECT_THROW(grid.togglePickedRow(0), std::out_of_range);  // the caption row is no data row
}

// Formatting reaches exactly the rectangle between the current cell and the selection
// end, whichever corner the selection grew towards.
TEST(GridModelSelection, FormattingCoversTheRectangleInEveryDirection) {
    struct Corners { int row, col, rowSel, colSel; };
    for (const Corners c : {Corners{1, 1, 3, 2}, Corners{3, 2, 1, 1}, Corners{1, 2, 3, 1}, Corners{3, 1, 1, 2}}) {
        GridModel grid(5, 4);
        grid.select(c.row, c.col, c.rowSel, c.colSel);
        grid.setCellBackColour(kDirtGood);
        for (int r = 0; r < 5; ++r) {
            for (int col = 0; col < 4; ++col) {
                const bool inside = r >= 1 && r <= 3 && col >= 1 && col <= 2;
                EXPECT_EQ(grid.cell(r, col).backColour.has_value(), inside) << r << "," << col;
            }
        }
    }
}

TEST(GridModelSelection, TextColourOfOneRowAcrossAllEighteenColumns) {
    GridModel grid(3, 18);
    grid.select(1, 0, 1, 17);
    grid.setCellForeColour(kDirtFast);
    for (int c = 0; c < 18; ++c) EXPECT_EQ(grid.foreColourOf(1, c), kDirtFast) << c;
    EXPECT_EQ(grid.foreColourOf(2, 0), kSystemWindowText);
}

TEST(GridModelSelection, CurrentCellShowsItsOwnFormattingElseTheGrids) {
    GridModel grid(3, 3, 1, 1);
    grid.select(1, 1, 1, 1);
    EXPECT_EQ(grid.cellForeColour(), kSystemWindowText);
    EXPECT_EQ(grid.cellBackColour(), kSystemWindowBackground);
    EXPECT_EQ(grid.cellAlignment(), Alignment::General);
    grid.setBackColour(kSystem3DLight);
    grid.setColumnAlignment(1, Alignment::RightCenter);
    EXPECT_EQ(grid.cellBackColour(), kSystem3DLight);
    EXPECT_EQ(grid.cellAlignment(), Alignment::RightCenter);
    grid.setCellForeColour(kTurfFirm);
    grid.setCellBackColour(kSloppy);
    grid.setCellAlignment(Alignment::LeftTop);
    EXPECT_EQ(grid.cellForeColour(), kTurfFirm);
    EXPECT_EQ(grid.cellBackColour(), kSloppy);
    EXPECT_EQ(grid.cellAlignment(), Alignment::LeftTop);
    // Header cells of both the fixed row and the fixed column sit on the fixed colour.
    grid.setFixedBackColour(kSystemActiveBorder);
    grid.select(0, 2, 0, 2);
    EXPECT_EQ(grid.cellBackColour(), kSystemActiveBorder);
    EXPECT_EQ(grid.backColourOf(2, 0), kSystemActiveBorder);
    EXPECT_TRUE(grid.isFixed(2, 0));
    EXPECT_FALSE(grid.isFixed(2, 2));
}

TEST(GridModelColumns, WidthsAndAlignmentsPerColumn) {
    GridModel grid(3, 3);
    grid.setColumnWidth(2, 1450);
    grid.setColumnWidth(0, -5);
    EXPECT_EQ(grid.columnWidth(2), 1450);
    EXPECT_EQ(grid.columnWidth(0), 0);
    EXPECT_EQ(grid.columnWidth(1), GridModel::kDefaultColumnWidth);
    EXPECT_THROW(grid.setColumnWidth(3, 100), std::out_of_range);

    grid.setColumnAlignment(1, Alignment::RightCenter);
    grid.select(2, 1, 2, 1);
    grid.setCellAlignment(Alignment::LeftTop);
    EXPECT_EQ(grid.effectiveAlignment(1, 1), Alignment::RightCenter);
    EXPECT_EQ(grid.effectiveAlignment(2, 1), Alignment::LeftTop);
    EXPECT_EQ(grid.effectiveAlignment(2, 0), Alignment::General);
}

TEST(GridModelColumns, RowHeightFollowsTheFont) {
    GridModel grid(2, 2);
    grid.setFont("Arial", 7);
    EXPECT_EQ(grid.fontName(), "Arial");
    EXPECT_EQ(grid.fontSize(), 7);
    EXPECT_EQ(grid.rowHeight(), rowHeightForFont(7));
    // A row holds a line of text (20 twips a point) with room to spare, and grows with it.
    for (const double points : {6.75, 7.0, 7.5, 8.25, 12.0}) EXPECT_GT(rowHeightForFont(points), points * 20);
    EXPECT_LT(rowHeightForFont(6.75), rowHeightForFont(7.5));
    EXPECT_LT(rowHeightForFont(8.25), rowHeightForFont(12));
}

TEST(GridModelClear, EmptiesEveryCellAndKeepsTheShape) {
    GridModel grid(3, 3);
    grid.setText(0, 0, "Name");
    grid.setText(2, 2, "x");
    grid.select(0, 0, 2, 2);
    grid.setCellForeColour(kDirtFast);
    grid.setCellBackColour(kSloppy);
    grid.setCellAlignment(Alignment::LeftTop);
    grid.setColumnWidth(1, 777);
    grid.setColumnAlignment(1, Alignment::RightCenter);
    grid.setBackColour(kSystem3DLight);
    grid.clear();
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.columnWidth(1), 777);
    EXPECT_EQ(grid.columnAlignment(1), Alignment::RightCenter);
    EXPECT_EQ(grid.backColour(), kSystem3DLight);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(grid.text(r, c), "");
            expectNoFormatting(grid.cell(r, c));
        }
    }
}

TEST(GridModelClear, NewRowCountAfterClearLeavesCaptionsEmptyToo) {
    GridModel grid(2, 3);
    for (int c = 0; c < 3; ++c) grid.setText(0, c, "caption");
    grid.setText(1, 0, "row");
    grid.clear();
    grid.setRows(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(grid.text(r, c), "") << r << "," << c;
}

TEST(GridModelRows, AddRowAppendsAnEmptyRow) {
    GridModel grid = keyedGrid({"a"});
    grid.addRow();
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.text(1, 0), "a");
    EXPECT_EQ(grid.text(2, 0), "");
}

TEST(GridModelRows, RemoveRowMovesTheRowsBelowUpWithTheirFormatting) {
    GridModel grid = keyedGrid({"a", "b", "c"});
    grid.select(3, 0, 3, 1);
    grid.setCellForeColour(kYielding);
    grid.removeRow(2);
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"key", "a", "c"}));
    EXPECT_EQ(grid.foreColourOf(2, 1), kYielding);
    // The cursor stood on the last row, which no longer exists.
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.rowSel(), 2);
}

TEST(GridModelRows, RemoveDataRowsIfKeepsTheHeaderAndTheOrder) {
    GridModel grid = keyedGrid({"x", "y", "x", "z", "x"});
    std::vector<int> asked;
    grid.removeDataRowsIf([&](int row) {
        asked.push_back(row);
        // The key is read from another row, as a filter on the selected cell does.
        return grid.text(row, 0) != grid.text(3, 0);
    });
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"key", "x", "x", "x"}));
    EXPECT_EQ(columnTexts(grid, 1), (std::vector<std::string>{"tag", "0", "2", "4"}));

    grid.setRow(3);
    grid.removeDataRowsIf([](int) { return true; });
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"key"}));
    EXPECT_EQ(grid.row(), 0);
}

TEST(GridModelSort, TextOrderIsByteWiseAndCaseSensitive) {
    GridModel grid = keyedGrid({"b", "B", "a", "9", "10", "", "\xC3\xA9", "ab"});
    grid.setCol(0);
    grid.sort(SortOrder::TextAscending);
    EXPECT_EQ(columnTexts(grid, 0),
              (std::vector<std::string>{"key", "", "10", "9", "B", "a", "ab", "b", "\xC3\xA9"}));
    grid.sort(SortOrder::TextDescending);
    EXPECT_EQ(columnTexts(grid, 0),
              (std::vector<std::string>{"key", "\xC3\xA9", "b", "ab", "a", "B", "9", "10", ""}));
}

TEST(GridModelSort, EqualKeysKeepTheirOrderBothWays) {
    GridModel grid = keyedGrid({"m", "a", "m", "a", "m"});
    grid.sort(SortOrder::TextAscending);
    EXPECT_EQ(columnTexts(grid, 1), (std::vector<std::string>{"tag", "1", "3", "0", "2", "4"}));
    grid.sort(SortOrder::TextDescending);
    EXPECT_EQ(columnTexts(grid, 1), (std::vector<std::string>{"tag", "0", "2", "4", "1", "3"}));
}

TEST(GridModelSort, NumericOrderIsByValueWithTextsOutside) {
    GridModel grid = keyedGrid({"10", "abc", "9", " -2.5", "", "1e1", "0.5", "$3"});
    grid.sort(SortOrder::NumericAscending);
    EXPECT_EQ(columnTexts(grid, 0),
              (std::vector<std::string>{"key", "abc", "", "$3", " -2.5", "0.5", "9", "10", "1e1"}));
    // Descending reverses the numbers and puts the texts last, each group keeping its
    // order among equals.
    grid.sort(SortOrder::NumericDescending);
    EXPECT_EQ(columnTexts(grid, 0),
              (std::vector<std::string>{"key", "10", "1e1", "9", "0.5", " -2.5", "abc", "", "$3"}));
}

TEST(GridModelSort, SortsWholeRowsByTheCurrentColumnUnderTheHeader) {
    GridModel grid = keyedGrid({"b", "c", "a"});
    grid.setText(0, 0, "zzz");  // a header that would sort last stays first
    grid.select(2, 0, 2, 0);
    grid.setCellBackColour(kTurfGood);
    grid.setCol(0);
    grid.setColSel(1);  // the selection end column does not choose the key
    grid.sort(SortOrder::TextAscending);
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"zzz", "a", "b", "c"}));
    EXPECT_EQ(columnTexts(grid, 1), (std::vector<std::string>{"tag", "2", "0", "1"}));
    EXPECT_EQ(grid.backColourOf(3, 0), kTurfGood);  // "c" took its colour along

    grid.setCol(1);
    grid.sort(SortOrder::NumericDescending);
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"zzz", "a", "c", "b"}));
}

TEST(GridModelSort, GridWithoutDataRowsIsLeftAlone) {
    GridModel grid = keyedGrid({});
    grid.sort(SortOrder::NumericAscending);
    EXPECT_EQ(columnTexts(grid, 0), (std::vector<std::string>{"key"}));
}

TEST(GridModelObservers, CellChangesAndShapeChangesAreToldApart) {
    GridModel grid(3, 3);
    Recorder recorder;
    grid.addObserver(&recorder);
    grid.setText(1, 1, "x");
    grid.setRow(2);
    grid.clear();
    grid.sort(SortOrder::TextAscending);
    grid.setBackColour(kSystem3DLight);
    grid.setVisible(false);
    EXPECT_EQ(recorder.changed, 6);
    EXPECT_EQ(recorder.shaped, 0);
    grid.setRows(5);
    grid.setCols(2);
    grid.setColumnWidth(0, 100);
    grid.setFont("Arial", 7);
    grid.addRow();
    grid.removeRow(1);
    grid.removeDataRowsIf([](int) { return false; });
    EXPECT_EQ(recorder.shaped, 7);
    grid.removeObserver(&recorder);
    grid.setText(0, 0, "unheard");
    EXPECT_EQ(recorder.changed, 6);
}

TEST(GridModelObservers, RedrawOffHoldsEveryNotificationUntilOnThenTellsOnce) {
    GridModel grid(2, 3);
    Recorder recorder;
    grid.addObserver(&recorder);
    grid.setRedraw(false);
    EXPECT_FALSE(grid.redraw());
    grid.setRows(100);
    for (int r = 1; r < 100; ++r) grid.setText(r, 0, std::to_string(r));
    grid.setColumnWidth(1, 300);
    EXPECT_EQ(recorder.changed + recorder.shaped, 0);
    grid.setRedraw(true);
    EXPECT_EQ(recorder.shaped, 1);
    EXPECT_EQ(recorder.changed, 0);
    grid.setRedraw(true);
    grid.setRedraw(false);
    grid.setRedraw(true);
    EXPECT_EQ(recorder.changed + recorder.shaped, 1);
}

}  // namespace
}  // namespace base
