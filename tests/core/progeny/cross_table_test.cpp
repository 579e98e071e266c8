// SPDX-License-Identifier: MIT
#include "progeny/cross_table.h"
#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using progeny::CrossAges;
using progeny::CrossRequest;
using Rows = std::vector<std::vector<std::string>>;

// Five horses: four by Iron Duke (three out of mares by Storm Bay, one by Old Crown) and
// one by Other Sire out of a Storm Bay mare. Names differ in case between groups.
constexpr const char* kBreeding =
    "101,Alpha,2,F\r\n101,Iron Duke,\r\n101,Storm Bay,\r\n101,Old Crown,\r\n"
    "102,BRAVO,3,C\r\n102,Iron Duke,\r\n102,storm bay,\r\n102,Old Crown,\r\n"
    "103,Charlie,4,F\r\n103,iron duke,\r\n103,Storm Bay,\r\n103,Old Crown,\r\n"
    "104,Delta,3,G\r\n104,IRON DUKE,\r\n104,Old Crown,\r\n104,Storm Bay,\r\n"
    "201,Echo,3,F\r\n201,Other Sire,\r\n201,Storm Bay,\r\n201,Old Crown,\r\n";
// A group of Iron Duke's whose lines name other horses: the search stops at it.
constexpr const char* kDamagedGroup = "105,Foxtrot,3,F\r\n999,Iron Duke,\r\n999,Storm Bay,\r\n999,Old Crown,\r\n";

struct TextOf : progeny::TextSource {
    explicit TextOf(std::string text) : text_(std::move(text)) {}
    std::size_t read(char* into, std::size_t size) override {
        const std::size_t count = std::min(size, text_.size() - at_);
        std::memcpy(into, text_.data() + at_, count);
        at_ += count;
        return count;
    }
    std::string text_;
    std::size_t at_ = 0;
};

// Each run its own race of week 10366 (Charlie never ran): Alpha wins once in two,
// Bravo none in one, Delta twice in three, Echo once in one.
void fillStore(const std::filesystem::path& path) {
    store::createRaceStore(path);
    auto db = store::Database::open(path);
    store::Transaction transaction(db);
    store::RaceWriter writer(db);
    struct Run {
        const char* name;
        int hid;
        const char* surf;
        double sp;
        int fin;
        int purse;
    };
    const Run runs[] = {{"Alpha", 101, "D", 80, 1, 1000}, {"Alpha", 101, "T", 70, 3, 1000},
                        {"Bravo", 102, "D", 90, 2, 2000}, {"Delta", 104, "D", 85, 1, 1000},
                        {"Delta", 104, "D", 88, 1, 1000}, {"Delta", 104, "T", 75.5, 4, 1000},
                        {"Echo", 201, "T", 60, 1, 500},   {"Alpha", 999, "D", 99, 1, 9000}};  // another Alpha
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        const double racenum = 10366 + (101 + static_cast<double>(i)) / 10000;
        writer.addRace({racenum, runs[i].surf, "Alw", "F", 8, 8, runs[i].purse, 0, "3+"});
        writer.addRunner({runs[i].name, runs[i].hid, racenum, runs[i].fin, 1, runs[i].sp, 1, 3.5, "Moss Stable"});
    }
    transaction.commit();
}

class CrossTable : public ::testing::Test {
protected:
    void SetUp() override { fillStore(folder_ / "horses.mdb"); }
    progeny::CrossTable cross(const CrossRequest& request, const std::string& breeding = kBreeding) {
        auto db = store::Database::open(folder_ / "horses.mdb", store::Access::ReadOnly);
        TextOf text(breeding);
        return progeny::crossTable(text, db, request);
    }
    testing_support::TestFolder folder_;
};

struct CrossCase {
    const char* what;
    CrossRequest request;
    Rows cells;
};

// Worked by hand from the runs above. Iron Duke's starters are Alpha, Bravo and Delta,
// two of them winners: the index's 1.00 is 2 winners of 3 starters.
TEST_F(CrossTable, ModesAgesAndIndexAsWorkedByHand) {
    const CrossCase cases[] = {
        {"sire by dam-sire, index from one starter",
         {"iron duke", "", CrossAges::All, 1},
         {{"Storm Bay", "3", "2", "1", "1", "3", "50.0", "33.3", "90.0", "85.0", "70.0", "70.0", "590", "0.75"},
          {"Old Crown", "1", "1", "1", "2", "3", "100.0", "66.7", "88.0", "88.0", "75.5", "75.5", "1250", "1.50"}}},
        {"too few starters for the default minimum of 3",
         {"Iron Duke", "", CrossAges::All, 3},
         {{"Storm Bay", "3", "2", "1", "1", "3", "50.0", "33.3", "90.0", "85.0", "70.0", "70.0", "590", ""},
          {"Old Crown", "1", "1", "1", "2", "3", "100.0", "66.7", "88.0", "88.0", "75.5", "75.5", "1250", ""}}},
        {"older offspring: the baseline is 1 winner of 2; equal starters sort by name",
         {"Iron Duke", "", CrossAges::Older, 1},
         {{"Old Crown", "1", "1", "1", "2", "3", "100.0", "66.7", "88.0", "88.0", "75.5", "75.5", "1250", "2.00"},
          {"Storm Bay", "2", "1", "0", "0", "1", "0.0", "0.0", "90.0", "90.0", "", "", "500", "0.00"}}},
        {"two-year-olds",
         {"Iron Duke", "", CrossAges::TwoYearOlds, 1},
         {{"Storm Bay", "1", "1", "1", "1", "2", "100.0", "50.0", "80.0", "80.0", "70.0", "70.0", "680", "1.00"}}},
        {"dam-sire by sire",
         {"", "STORM BAY", CrossAges::All, 1},
         {{"Iron Duke", "3", "2", "1", "1", "3", "50.0", "33.3", "90.0", "85.0", "70.0", "70.0", "590", "0.75"},
          {"Other Sire", "1", "1", "1", "1", "1", "100.0", "100.0", "", "", "60.0", "60.0", "300", "1.50"}}},
        {"both: the offspring, most starts first",
         {"Iron Duke", "storm bay", CrossAges::All, 3},
         {{"Alpha", "101", "2", "1", "80.0", "70.0"},
          {"Bravo", "102", "1", "0", "90.0", ""},
          {"Charlie", "103", "0", "0", "", ""}}},
        {"no such sire", {"Nobody", "", CrossAges::All, 3}, {}},
    };
    for (const auto& c : cases) {
        const auto table = cross(c.request);
        EXPECT_EQ(progeny::crossCells(table), c.cells) << c.what;
        EXPECT_FALSE(table.problem) << c.what;
    }
}

TEST_F(CrossTable, CaptionsNameTheGroupingAncestor) {
    EXPECT_EQ(progeny::crossColumns(progeny::CrossMode::ByDamSire).front(), "Dam-Sire");
    EXPECT_EQ(progeny::crossColumns(progeny::CrossMode::BySire).front(), "Sire");
    EXPECT_EQ(progeny::crossColumns(progeny::CrossMode::ByDamSire).size(), 14u);
    EXPECT_EQ(progeny::crossColumns(progeny::CrossMode::Offspring),
              (std::vector<std::string>{"Horse Name", "H.ID.", "Starts", "Wins", "Best Dirt", "Best Turf"}));
}

// The progeny search's message, with the rows of the offspring read before the fault.
TEST_F(CrossTable, DamagedBreedingLineKeepsTheRowsBeforeIt) {
    const auto table = cross({"Iron Duke", "", CrossAges::All, 1}, std::string(kBreeding) + kDamagedGroup);
    ASSERT_TRUE(table.problem);
    EXPECT_EQ(*table.problem, "There was an error with horse 105.  Check the breeding.txt file.");
    EXPECT_EQ(table.baseline.offspring, 4);
    ASSERT_EQ(table.groups.size(), 2u);
    EXPECT_EQ(table.groups[0].name, "Storm Bay");
}

}  // namespace
