// SPDX-License-Identifier: MIT
#include "progeny/getsires.h"
#include "sample_store.h"
#include "search/criteria_panel.h"
#include "search/gethorse.h"
#include "shell/main_finder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

namespace {

using testing_support::kSamplesDir;

nlohmann::json cellsOf(const base::GridModel& grid) {
    auto rows = nlohmann::json::array();
    for (int r = 0; r < grid.rows(); ++r) {
        auto cells = nlohmann::json::array();
        for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.text(r, c));
        rows.push_back(cells);
    }
    return rows;
}

class Getsires : public testing_support::SampleStore {
protected:
    void SetUp() override {
        SampleStore::SetUp();
        window.useBreedingFile(kSamplesDir + "/breeding.txt");
    }
    // A search as the panel starts it: the kind's button, the boxes, then "GO!".
    void searchFor(void (*kind)(shell::MainFinder&), const std::string& name, const std::string& starts = "5",
                   bool twoYearOlds = false) {
        kind(window);
        window.txthorse.caption = name;
        window.txtnum.caption = starts;
        window.chk2yo.checked = twoYearOlds;
        search::cmdgethorse_click(window);
    }
};

struct GoldenCase {
    const char* file;
    void (*kind)(shell::MainFinder&);
    const char* name;
    const char* starts;
    bool twoYearOlds;
};

class GetsiresGolden : public Getsires, public ::testing::WithParamInterface<GoldenCase> {};

// The whole listing, both tables, the caption and the label, for each kind of search,
// with and without "2yo", against files checked by hand and by a separate calculation.
TEST_P(GetsiresGolden, ShowsTheExpectedListingTablesAndLabel) {
    const GoldenCase& c = GetParam();
    searchFor(c.kind, c.name, c.starts, c.twoYearOlds);
    std::ifstream file(std::string(HARROWDEX_TEST_DATA_DIR) + "/progeny/" + c.file + ".json");
    const auto expected = nlohmann::json::parse(file);
    EXPECT_EQ(cellsOf(window.MSFlexGrid1), expected["grid"]);
    EXPECT_EQ(cellsOf(window.MSFSRGrid), expected["MSFSRGrid"]);
    EXPECT_EQ(cellsOf(window.MSFmaxgrid), expected["MSFmaxgrid"]);
    EXPECT_EQ(window.frainfo.caption, expected["caption"]);
    EXPECT_EQ(window.lblfastest.caption, expected["fastest"]);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    SampleWeeks, GetsiresGolden,
    ::testing::Values(GoldenCase{"sire_iron_duke", search::optsire_Click, "iron duke", "1", false},
                      GoldenCase{"sire_iron_duke_2yo", search::optsire_Click, "Iron Duke", "1", true},
                      GoldenCase{"sire_iron_duke_5_starts", search::optsire_Click, "Iron Duke", "5", false},
                      GoldenCase{"dam_sire_old_crown", search::optdamsire_Click, "Old Crown", "1", false},
                      GoldenCase{"dam_sire_old_crown_2yo", search::optdamsire_Click, "Old Crown", "1", true},
                      GoldenCase{"dams_dam_sire_iron_duke", search::optdamdamsire_Click, "Iron Duke", "1", false},
                      GoldenCase{"dams_dam_sire_iron_duke_2yo", search::optdamdamsire_Click, "Iron Duke", "1", true}),
    [](const auto& info) { return std::string(info.param.file); });

TEST_F(Getsires, SwitchesToTheProgenyLayoutAndTheNextHorseSearchSwitchesBack) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Black Dasher", ""));
    ASSERT_FALSE(window.lblprogress.caption.empty());  // the horse's summary
    window.MSFlexGrid1.setColumnWidth(0, 2000);        // as the user left it; saved before the switch
    searchFor(search::optsire_Click, "Iron Duke");
    EXPECT_EQ(window.lblprogress.caption, "");
    EXPECT_TRUE(window.MSFSRGrid.visible() && window.MSFmaxgrid.visible() && window.lblfastest.visible);
    EXPECT_FALSE(window.MSFSGrid.visible() || window.MSFWGrid.visible());
    for (const auto* hidden :
         {&window.fraspeedstats, &window.framaxspeedstats, &window.lblinjurytest, &window.txtinjury})
        EXPECT_FALSE(hidden->visible);
    EXPECT_FALSE(window.cmdprint.enabled);
    EXPECT_FALSE(window.cmdprintpreview.enabled);
    const base::GridModel& grid = window.MSFlexGrid1;
    ASSERT_EQ(grid.cols(), 19);
    const std::vector<int> widths{
        2000, grid.columnWidth(1), 1800, 1800, 250, 250, 330, 250, 310, 310, 310, 330, 330, 330, 330, 330, 330, 330,
        330};
    for (int c = 0; c < 19; ++c) EXPECT_EQ(grid.columnWidth(c), widths[static_cast<std::size_t>(c)]) << c;
    EXPECT_EQ(grid.columnAlignment(15), base::Alignment::RightCenter);

    window.MSFlexGrid1.setColumnWidth(0, 900);  // progeny widths are never saved
    search::opthorse_Click(window);
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Black Dasher", ""));
    EXPECT_TRUE(window.horseLayoutShowing());
    EXPECT_FALSE(window.MSFSRGrid.visible() || window.lblfastest.visible);
    EXPECT_EQ(grid.cols(), 18);
    EXPECT_EQ(grid.columnWidth(0), 2000);
    EXPECT_TRUE(window.cmdprint.enabled);
    EXPECT_TRUE(window.cmdprintpreview.enabled);
}

TEST_F(Getsires, SpeedCellsAreColouredOnlyForOffspringThatRan) {
    searchFor(search::optsire_Click, "Daring Duke", "1");
    const base::GridModel& grid = window.MSFlexGrid1;
    // Crimson Queen Of Wetherby Cannon: the store keeps the first 25 characters of its
    // name, so it finds no race.
    ASSERT_EQ(grid.text(1, 0), "Crimson Queen Of Wetherby Cannon");
    EXPECT_EQ(grid.text(1, 6), "");
    for (int c = 11; c <= 18; ++c) {
        EXPECT_EQ(grid.text(1, c), "0");
        EXPECT_FALSE(grid.cell(1, c).foreColour);
    }
    ASSERT_EQ(grid.text(2, 0), "Proud Summit");
    EXPECT_EQ(grid.text(2, 6), "2");
    EXPECT_EQ(grid.text(2, 18), "120");
    for (int c = 11; c <= 14; ++c) EXPECT_EQ(grid.cell(2, c).foreColour, base::rgb(128, 0, 0));
    for (int c = 15; c <= 18; ++c) EXPECT_EQ(grid.cell(2, c).foreColour, base::rgb(0, 128, 0));
    EXPECT_FALSE(grid.cell(2, 10).foreColour);
}

TEST_F(Getsires, EmptyStartsBoxRequiresNoRaces) {
    searchFor(search::optsire_Click, "Iron Duke", "");
    EXPECT_EQ(window.MSFSRGrid.text(1, 6), "37");  // every offspring that ran and is 3 or older
}

TEST_F(Getsires, NoMatchingGroupLeavesTheCaptionRowOnly) {
    searchFor(search::optsire_Click, "Nobody Here");
    EXPECT_EQ(window.MSFlexGrid1.rows(), 1);
    EXPECT_EQ(window.MSFlexGrid1.text(0, 0), "Horse Name");
    EXPECT_EQ(window.frainfo.caption, "Statistics for Progeny of Nobody Here  (0).");
    EXPECT_EQ(window.lblfastest.caption, "Fastest progeny?  - 0");
    EXPECT_EQ(window.MSFSRGrid.text(3, 1), "0.0%");
}

// None of Daring Duke's offspring has 5 races: each row still shows its races and its
// speed cells, but the tables read nothing and the label names no horse.
TEST_F(Getsires, NoQualifiedOffspringLeavesTheTablesEmpty) {
    searchFor(search::optsire_Click, "Daring Duke", "5");
    const base::GridModel& grid = window.MSFlexGrid1;
    ASSERT_EQ(grid.rows(), 6);
    EXPECT_EQ(grid.text(5, 0), "Proud Echo");
    EXPECT_EQ(grid.text(5, 6), "4");
    EXPECT_EQ(grid.text(5, 7), "");
    EXPECT_EQ(grid.text(5, 11), "0");
    EXPECT_EQ(grid.cell(5, 11).foreColour, base::rgb(128, 0, 0));
    for (int r = 1; r <= 7; ++r) {
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(window.MSFSRGrid.text(r, c), "0.0%") << r << "," << c;
        EXPECT_EQ(window.MSFSRGrid.text(r, 6), "0");
    }
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(window.MSFmaxgrid.text(r, c), "") << r << "," << c;
    EXPECT_EQ(window.lblfastest.caption, "Fastest progeny?  - 0");
}

TEST_F(Getsires, FaultyBreedingFileEndsTheSearchWithTheRowsBeforeIt) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Black Dasher", ""));
    const std::string caption = window.frainfo.caption;
    window.useBreedingFile(kSamplesDir + "/breeding_bad.txt");
    searchFor(search::optsire_Click, "Broken Promise");
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"There was an error with horse 9945469.  Check the breeding.txt file."});
    EXPECT_EQ(window.MSFlexGrid1.text(1, 0), "Hidden Happy King");
    EXPECT_EQ(window.MSFlexGrid1.text(0, 0), "");  // no captions
    EXPECT_EQ(window.MSFlexGrid1.text(1, 6), "");  // no races looked up
    EXPECT_EQ(window.frainfo.caption, caption);
    EXPECT_TRUE(window.MSFlexGrid1.redraw());
    EXPECT_EQ(dialogs.busyDepth, 0);
}

TEST_F(Getsires, BreedingFileGoneSinceStartUpLeavesTheWindowAsItWas) {
    ASSERT_TRUE(search::gethorse(window, search::kHorseByName, "Black Dasher", ""));
    const auto before = cellsOf(window.MSFlexGrid1);
    window.useBreedingFile((folder / "breeding.txt").string());
    searchFor(search::optsire_Click, "Iron Duke");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("breeding.txt could not be read."), std::string::npos);
    EXPECT_TRUE(dialogs.messages[0].ends_with("Check the breeding.txt file.\rThere is no such file."))
        << dialogs.messages[0];
    EXPECT_EQ(cellsOf(window.MSFlexGrid1), before);
    EXPECT_TRUE(window.horseLayoutShowing());
}

}  // namespace
