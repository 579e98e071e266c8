// SPDX-License-Identifier: MIT
#include "sample_store.h"
#include "base/csv_text.h"
#include "search/horse_finder_panel.h"
#include "store/schema.h"

#include <gtest/gtest.h>

namespace {

using testing_support::SampleStore;

TEST(CsvText, QuotesOnlyWhatNeedsIt) {
    const std::vector<std::vector<std::string>> rows{
        {"Name", "Owner"}, {"Fisher, \"Red\"", "Pryce & Hollis"}, {"Two\nlines", ""}};
    EXPECT_EQ(base::csvText(rows), "Name,Owner\r\n\"Fisher, \"\"Red\"\"\",Pryce & Hollis\r\n\"Two\nlines\",\r\n");
}

// Texts a spreadsheet would run as formulas are kept as text; figures stay figures.
TEST(CsvText, FormulasBecomeText) {
    const std::vector<std::pair<std::string, std::string>> cases{{"=1+2", "'=1+2"},
                                                                 {"+A1", "'+A1"},
                                                                 {"-2+3*cmd", "'-2+3*cmd"},
                                                                 {"@SUM(A1)", "'@SUM(A1)"},
                                                                 {"\tx", "'\tx"},
                                                                 {"\r=1", "\"'\r=1\""},
                                                                 {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
                                                                 {"-50.0", "-50.0"},
                                                                 {"+33.3%", "+33.3%"},
                                                                 {"$1,200", "\"$1,200\""},
                                                                 {"-$1,200.50", "\"-$1,200.50\""},
                                                                 {"-", "'-"},
                                                                 {"-1.2.3", "'-1.2.3"},
                                                                 {"Swift Baron", "Swift Baron"}};
    for (const auto& [cell, written] : cases) EXPECT_EQ(base::csvText({{cell}}), written + "\r\n") << cell;
}

class HorseFinderPanelTest : public SampleStore {};

TEST_F(HorseFinderPanelTest, BoxesThatAreNoNumbersStopTheSearch) {
    search::HorseFinderPanel panel(window);
    struct Case {
        std::string search::HorseFinderPanel::*box;
        const char* name;
        const char* text;
        const char* message;
    };
    const std::vector<Case> cases{
        {&search::HorseFinderPanel::txtactive, "txtactive", "four", "Not a number."},
        {&search::HorseFinderPanel::txtminstarts, "txtminstarts", "2.5", "Not a whole number."},
        {&search::HorseFinderPanel::txtminstarts, "txtminstarts", "1e10", "Too large."},
        {&search::HorseFinderPanel::txtmaxclaim, "txtmaxclaim", "1e300", "Too large."},
        {&search::HorseFinderPanel::txtminspeed, "txtminspeed", "-1e10", "Too large."},
        {&search::HorseFinderPanel::txtactive, "txtactive", "0", "The number of weeks must be 1 or more."},
        {&search::HorseFinderPanel::txtmaxdist, "txtmaxdist", "-1",
         "The distance to must not be less than the distance from."},
    };
    for (const auto& test : cases) {
        search::HorseFinderPanel fresh(window);
        fresh.txtmindist = "0";
        fresh.*test.box = test.text;
        EXPECT_FALSE(fresh.cmdfind_Click()) << test.text;
        EXPECT_EQ(fresh.problems[test.name], test.message) << test.text;
        EXPECT_EQ(fresh.grid.rows(), 1) << "no search";
    }
    EXPECT_TRUE(panel.cmdfind_Click());
    EXPECT_GT(panel.grid.rows(), 1);
}

TEST_F(HorseFinderPanelTest, LeftOutOwnersAreRememberedBetweenRuns) {
    search::HorseFinderPanel first(window);
    first.txtexclude[0] = "Reid Thoroughbreds";
    ASSERT_TRUE(first.cmdfind_Click());
    for (int r = 1; r < first.grid.rows(); ++r) EXPECT_NE(first.grid.text(r, 2), "Reid Thoroughbreds");
    search::HorseFinderPanel second(window);
    second.loadExcludedOwners();
    EXPECT_EQ(second.txtexclude[0], "Reid Thoroughbreds");
}

TEST_F(HorseFinderPanelTest, AnEmptyStoreSaysSo) {
    store::createRaceStore(folder / "empty.mdb");
    window.useRaceStore((folder / "empty.mdb").string());
    search::HorseFinderPanel panel(window);
    EXPECT_FALSE(panel.cmdfind_Click());
    EXPECT_EQ(panel.lblcount, "The race store holds no races.");
}

}  // namespace
