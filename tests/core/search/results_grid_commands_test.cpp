// SPDX-License-Identifier: MIT
#include "search/results_grid_commands.h"

#include "scripted_dialogs.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Column = std::vector<std::string>;

// A main window whose results grid is filled by hand, in either layout.
class ResultsGridCommands : public ::testing::Test {
protected:
    void SetUp() override {
        finder.setClock(clock);
        finder.MSFmaxgrid.setVisible(false);  // the horse layout, as after start-up
    }

    void showProgenyLayout() {
        finder.MSFSGrid.setVisible(false);
        finder.MSFmaxgrid.setVisible(true);
        grid().setCols(19);
    }

    base::GridModel& grid() { return finder.MSFlexGrid1; }

    // One data row per value of column `col`; column 1 numbers the rows so that a test
    // sees whole rows move.
    void fillColumn(int col, const Column& values) {
        grid().setRows(static_cast<int>(values.size()) + 1);
        grid().setText(0, col, "Caption");
        for (int r = 1; r <= static_cast<int>(values.size()); ++r) {
            grid().setText(r, col, values[static_cast<std::size_t>(r - 1)]);
            if (col != 1) grid().setText(r, 1, "row" + std::to_string(r));
        }
        grid().setCol(col);
    }

    Column column(int col) {
        Column values;
        for (int r = 1; r < grid().rows(); ++r) values.push_back(grid().text(r, col));
        return values;
    }

    // A listed run: name, number, race number and owner in their columns.
    void setRun(int row, const std::string& name, const std::string& race, const std::string& owner) {
        grid().setText(row, 0, name);
        grid().setText(row, 1, std::to_string(1000 + row));
        grid().setText(row, 2, race);
        grid().setText(row, 15, owner);
    }

    void clickRow(int row, int col = 0) { grid().select(row, col, row, col); }

    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder finder{dialogs};
    base::FixedClock clock{36000};
};

struct SortCase {
    const char* name;
    bool progeny;
    int col;
    Column start;
    Column afterFirst;   // after one double click
    Column afterSecond;  // after the next
};

void PrintTo(const SortCase& sortCase, std::ostream* out) { *out << sortCase.name; }

class SortByColumn : public ResultsGridCommands, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortByColumn, EachDoubleClickTurnsTheOrder) {
    const SortCase& c = GetParam();
    if (c.progeny) showProgenyLayout();
    fillColumn(c.col, c.start);
    search::MSFlexGrid1_DblClick(finder);
    EXPECT_EQ(column(c.col), c.afterFirst);
    search::MSFlexGrid1_DblClick(finder);
    EXPECT_EQ(column(c.col), c.afterSecond);
    EXPECT_EQ(grid().text(0, c.col), "Caption");
}

INSTANTIATE_TEST_SUITE_P(
    BothLayouts, SortByColumn,
    ::testing::Values(
        // Numbers in a text column sort as text.
        SortCase{"HorseTrackText", false, 4, {"10", "9", "100"}, {"9", "100", "10"}, {"10", "100", "9"}},
        // An empty end cell turns a numeric column to text order, descending, both times.
        SortCase{"HorsePurseEmptyFirst", false, 12, {"", "9000", "10000", "500"},
                 {"9000", "500", "10000", ""}, {"9000", "500", "10000", ""}},
        SortCase{"HorsePurseEmptyInside", false, 12, {"5", "", "12", "3"}, {"", "3", "5", "12"},
                 {"5", "3", "12", ""}},
        SortCase{"HorseRaceNumeric", false, 2, {"9.5", "10.25", "1"}, {"1", "9.5", "10.25"},
                 {"10.25", "9.5", "1"}},
        // The claiming price compares its end cells as text (12500 before 2500) and
        // sorts by value.
        SortCase{"HorseClaimingPrice", false, 16, {"12500", "", "8000", "2500"}, {"12500", "8000", "2500", ""},
                 {"", "2500", "8000", "12500"}},
        SortCase{"ProgenyRaceColumnIsText", true, 2, {"9.5", "10.25", "1"}, {"1", "10.25", "9.5"},
                 {"9.5", "10.25", "1"}},
        // First cell empty: text descending, then numeric descending. Last cell empty:
        // numeric ascending, then text ascending.
        SortCase{"ProgenyEmptyEnds", true, 8, {"", "3", "12", "7"}, {"12", "7", "3", ""}, {"", "12", "3", "7"}},
        SortCase{"ProgenyLastColumn", true, 18, {"2", "10", "1"}, {"1", "2", "10"}, {"10", "2", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsGridCommands, SortMovesWholeRowsAndKeepsEqualRowsInOrder) {
    fillColumn(9, {"2", "1", "2", "1"});
    search::MSFlexGrid1_DblClick(finder);  // 2 > 1: ascending
    EXPECT_EQ(column(9), (Column{"1", "1", "2", "2"}));
    EXPECT_EQ(column(1), (Column{"row2", "row4", "row1", "row3"}));
}

TEST_F(ResultsGridCommands, SortLeavesAGridWithoutTwoDataRowsAlone) {
    fillColumn(8, {"5"});
    search::MSFlexGrid1_DblClick(finder);
    EXPECT_EQ(column(8), Column{"5"});
    grid().setRows(1);
    search::MSFlexGrid1_DblClick(finder);
    EXPECT_EQ(grid().rows(), 1);
}

TEST_F(ResultsGridCommands, MenuRewritesItsCaptionsForTheSelectedRun) {
    grid().setRows(5);
    setRun(1, "Black Dasher", "587.0012", "Reid Thoroughbreds");
    setRun(2, "Amber Bay", "586.0003", "Sable Bolt Equine");
    setRun(3, "Iron Duke", "600.0101", "Fisher & Harris");
    clickRow(1, 7);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_EQ(finder.datecalc.caption, "Week 587 = 2000-02-28");
    EXPECT_EQ(finder.listhorse.caption, "List horse: \"Black Dasher\"");
    EXPECT_EQ(finder.listrace.caption, "List race: 587.0012");
    EXPECT_EQ(finder.listowner.caption, "List Owner: Reid Thoroughbreds");
    for (const auto* item : {&finder.datecalc, &finder.bar1, &finder.listrace}) EXPECT_TRUE(item->visible);

    clickRow(2);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_EQ(finder.datecalc.caption, "Week 585 = 2000-02-26");
    // The selection's end row counts, not the current row.
    grid().select(1, 0, 3, 2);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_EQ(finder.datecalc.caption, "Week 600 = 2000-03-12");
    EXPECT_EQ(finder.listowner.caption, "List Owner: Fisher & Harris");
}

TEST_F(ResultsGridCommands, RowsWithoutADatedRaceNumberHideTheDateAndRaceItems) {
    grid().setRows(6);
    setRun(1, "Black Dasher", "312.0501", "Reid Thoroughbreds");
    setRun(2, "Iron Duke", "", "");
    setRun(3, "Huge", "9e99", "Someone");
    setRun(4, "Beyond The Calendar", "3000000.0101", "Someone");
    clickRow(1);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    for (const int row : {2, 3, 4}) {
        clickRow(row);
        ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton)) << row;
        for (const auto* item : {&finder.datecalc, &finder.bar1, &finder.listrace}) EXPECT_FALSE(item->visible);
        // The hidden date keeps the last dated row's text; the horse is the row's own.
        EXPECT_EQ(finder.datecalc.caption, "Week 311 = 1999-05-28") << row;
        EXPECT_EQ(finder.listhorse.caption, "List horse: \"" + grid().text(row, 0) + "\"") << row;
    }
    clickRow(1);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_TRUE(finder.datecalc.visible);
}

struct RightClickCase {
    const char* name;
    std::array<int, 4> selection;  // row, col, end row, end col before the click
    int row, col;                  // the cell right-clicked
    std::array<int, 4> after;      // the selection after it
};

void PrintTo(const RightClickCase& c, std::ostream* out) { *out << c.name; }

class RightClick : public ResultsGridCommands, public ::testing::WithParamInterface<RightClickCase> {};

TEST_P(RightClick, TheMenuNamesTheClickedRowAndKeepsASelectionAroundIt) {
    const RightClickCase& c = GetParam();
    grid().setRows(5);
    setRun(1, "Black Dasher", "587.0012", "Reid Thoroughbreds");
    setRun(2, "Amber Bay", "586.0003", "Sable Bolt Equine");
    setRun(3, "Iron Duke", "600.0101", "Fisher & Harris");
    grid().select(c.selection[0], c.selection[1], c.selection[2], c.selection[3]);
    grid().rightClick(c.row, c.col);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_EQ(finder.listhorse.caption, "List horse: \"" + grid().text(c.row, 0) + "\"");
    EXPECT_EQ(finder.listowner.caption, "List Owner: " + grid().text(c.row, 15));
    EXPECT_EQ((std::array{grid().row(), grid().col(), grid().rowSel(), grid().colSel()}), c.after);
}

INSTANTIATE_TEST_SUITE_P(InsideAndOutside, RightClick,
                         ::testing::Values(RightClickCase{"OnTheSelectedCell", {2, 3, 2, 3}, 2, 3, {2, 3, 2, 3}},
                                           // Inside a selection of several rows: it stays for Compare and Filter.
                                           RightClickCase{"InsideARange", {1, 0, 3, 17}, 2, 5, {1, 0, 3, 17}},
                                           RightClickCase{"AboveTheRangesEnd", {3, 17, 1, 0}, 1, 0, {3, 17, 1, 0}},
                                           // Outside: the clicked cell is selected first, even on a selected row.
                                           RightClickCase{"AnotherRow", {1, 0, 1, 0}, 3, 4, {3, 4, 3, 4}},
                                           RightClickCase{"AnotherColumnOfTheRow", {2, 0, 2, 2}, 2, 7, {2, 7, 2, 7}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsGridCommands, RightClickOnAPickedRowKeepsThePicksAndFilterTheSelection) {
    grid().setRows(5);
    for (int r = 1; r <= 3; ++r) setRun(r, "Horse " + std::to_string(r), "312.0501", r == 2 ? "Team Young" : "Reid");
    grid().select(1, 15, 1, 15);
    grid().togglePickedRow(3);
    grid().rightClick(1, 4);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_EQ(grid().selectedDataRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(finder.listhorse.caption, "List horse: \"Horse 1\"");
    // The last row opens no menu, however it is clicked.
    grid().rightClick(4, 0);
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    // Filter keys on the selection's end cell, not on the row pointed at.
    grid().select(1, 15, 3, 15);
    grid().rightClick(2, 15);
    search::listfilter_Click(finder);
    EXPECT_EQ(column(0), (Column{"Horse 1", "Horse 3"}));
}

struct OffspringCase {
    const char* number;
    bool lineage;  // "Get Lineage Info." enabled
};

TEST_F(ResultsGridCommands, TheProgenyMenuNamesTheClickedOffspring) {
    grid().setRows(4);
    setRun(1, "Black Dasher", "587.0012", "Reid Thoroughbreds");
    clickRow(1);
    ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    showProgenyLayout();
    const OffspringCase cases[] = {{"742503", true}, {"0", false}, {"", false}};
    for (const OffspringCase& c : cases) {
        SCOPED_TRACE(c.number);
        grid().setRows(4);
        grid().setText(2, 0, "Stormy Tiger");
        grid().setText(2, 1, c.number);
        grid().setText(2, 2, "Storm Bay");  // an ancestor, where a run has its race
        grid().rightClick(2, 0);
        ASSERT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
        EXPECT_EQ(finder.listhorse.caption, "List horse: \"Stormy Tiger\"");
        EXPECT_FALSE(finder.listowner.enabled);
        EXPECT_EQ(finder.listowner.caption.find("Reid"), std::string::npos);
        EXPECT_EQ(finder.getlineage.enabled, c.lineage);
        for (const auto* item : {&finder.datecalc, &finder.bar1, &finder.listrace}) EXPECT_FALSE(item->visible);
    }
}

TEST_F(ResultsGridCommands, MenuOpensOnlyForTheRightButtonAboveTheLastRow) {
    // Before any search: one empty data row, and the selection still on the captions.
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    clickRow(1);
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    grid().setRows(4);
    setRun(1, "Black Dasher", "312.0501", "Reid Thoroughbreds");
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kLeftButton));
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kMiddleButton));
    EXPECT_EQ(finder.datecalc.caption, "Week Date");
    clickRow(3);
    EXPECT_FALSE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    clickRow(2);
    EXPECT_TRUE(search::MSFlexGrid1_MouseDown(finder, search::kRightButton));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ResultsGridCommands, RaceAndOwnerListsNeedTheHorseLayout) {
    showProgenyLayout();
    grid().setRows(3);
    setRun(1, "Black Dasher", "", "");
    clickRow(1);
    search::listrace_Click(finder);
    search::listowner_Click(finder);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{
                                    "This option is only available after a horse, owner or race search.",
                                    "This option is only available after a horse, owner or race search."}));
    EXPECT_EQ(grid().text(1, 0), "Black Dasher");
    EXPECT_EQ(grid().cols(), 19);
}

TEST_F(ResultsGridCommands, FilterKeepsTheRowsSharingTheCellAndNarrowsAgain) {
    finder.msfgridcaption();
    grid().setRows(7);
    setRun(1, "Black Dasher", "312.0501", "Reid Thoroughbreds");
    setRun(2, "Amber Bay", "312.0502", "Team Young");
    setRun(3, "Grand Island", "311.0101", "Reid Thoroughbreds");
    setRun(4, "Quiet Duke", "311.0102", "reid thoroughbreds");
    setRun(5, "Rebel's Hunter", "310.0101", "Reid Thoroughbreds");
    setRun(6, "Western Jewel", "310.0102", "Team Young");
    for (const int row : {1, 3, 5}) grid().setText(row, 3, row == 5 ? "2yo" : "3yo");
    finder.MSFSGrid.setText(1, 1, "12.3");
    finder.lblprogress.caption = "6 runs";

    grid().select(3, 15, 3, 15);
    search::listfilter_Click(finder);
    EXPECT_EQ(column(0), (Column{"Black Dasher", "Grand Island", "Rebel's Hunter"}));
    EXPECT_EQ(grid().text(0, 0), "Name");  // the header row stays
    EXPECT_EQ(grid().rowSel(), 2);         // with the row it was on
    EXPECT_EQ(grid().colSel(), 15);

    grid().select(1, 3, 1, 3);
    search::listfilter_Click(finder);
    EXPECT_EQ(column(0), (Column{"Black Dasher", "Grand Island"}));
    EXPECT_EQ(finder.MSFSGrid.text(1, 1), "12.3");
    EXPECT_EQ(finder.lblprogress.caption, "6 runs");
    EXPECT_TRUE(grid().redraw());
}

}  // namespace
