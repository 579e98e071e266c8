// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace store;
using ::testing::HasSubstr;
using ::testing::Not;

using namespace testing_support;

namespace {

class SchemaTest : public ::testing::Test {
protected:
    TestFolder folder;
    std::filesystem::path storePath = folder / "horses.mdb";
};

TEST_F(SchemaTest, CreatesACompleteStoreInWalModeAndLeavesNothingElse) {
    createRaceStore(storePath);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"horses.mdb"});
    const std::string header = readBytes(storePath).substr(0, 20);
    EXPECT_EQ(header[18], 2) << "WAL is recorded in the file";
    EXPECT_EQ(header[19], 2);
    EXPECT_EQ(raceStoreProblem(storePath), std::nullopt);
}

TEST_F(SchemaTest, RefusesAnExistingFileAndLeavesItAlone) {
    writeBytes(storePath, "weeks of results");
    const auto before = FileSnapshot::of(storePath);
    EXPECT_THAT([&] { createRaceStore(storePath); },
                ::testing::ThrowsMessage<StoreError>(HasSubstr("horses.mdb\" already exists")));
    EXPECT_EQ(FileSnapshot::of(storePath), before);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"horses.mdb"});
}

TEST_F(SchemaTest, RefusesAMissingFolder) {
    EXPECT_THAT([&] { createRaceStore(folder / "no such folder" / "horses.mdb"); },
                ::testing::ThrowsMessage<StoreError>(HasSubstr("no such folder\" does not exist")));
    EXPECT_TRUE(folder.entries().empty());
}

class SchemaQueryTest : public SchemaTest {
protected:
    void SetUp() override {
        createRaceStore(storePath);
        db = Database::open(storePath);
        Transaction transaction(*db);
        RaceWriter writer(*db);
        writer.addRace({.racenum = 312.0501, .surf = "D", .restr = "MS", .cond = "F", .dist = 6,
                        .size = 1, .purse = 20000, .cprice = 0, .age = "O-2"});
        writer.addRunner({.hname = "Black Dasher", .hid = 742503, .racenum = 312.0501, .fin = 1,
                          .ppos = 3, .sp = 88.4, .start = 100, .odds = 2.5,
                          .oname = "Reid Thoroughbreds"});
        transaction.commit();
    }

    std::int64_t count(const std::string& where, std::string_view value) {
        Statement statement = db->prepare("SELECT count(*) FROM tblhorsedata WHERE " + where);
        statement.bind(1, value);
        statement.step();
        return statement.integer(0);
    }

    std::optional<Database> db;
};

TEST_F(SchemaQueryTest, NamesMatchWithoutRegardToLetterCase) {
    EXPECT_EQ(count("hname = ?1", "BLACK DASHER"), 1);
    EXPECT_EQ(count("hname = ?1", "black dasher"), 1);
    EXPECT_EQ(count("hname LIKE ?1", "black d%"), 1);
    EXPECT_EQ(count("oname = ?1", "reid THOROUGHBREDS"), 1);
    EXPECT_EQ(count("hname = ?1", "Black Dashe"), 0);
    EXPECT_EQ(count("hname LIKE ?1", "lack%"), 0);
}

struct PlanCase {
    const char* title;
    const char* sql;
    const char* value;  // bound to ?1 when not null
    const char* index;
    bool orderFromIndex;  // rows come in the requested order without a sort
};

constexpr const char* kListing =
    "SELECT hname, hid, tblraces.racenum, oname, dist, sp, odds, age, restr, cond, surf, fin, "
    "purse, ppos, size, cprice, start FROM tblhorsedata INNER JOIN tblraces ON "
    "tblhorsedata.racenum = tblraces.racenum WHERE ";

constexpr const char* kNewestFirst = " ORDER BY tblhorsedata.racenum DESC, tblhorsedata.rowid";

const std::string kName = std::string(kListing) + "hname = ?1" + kNewestFirst;
const std::string kNameAndNumber = std::string(kListing) + "hname = ?1 AND hid = 742503" + kNewestFirst;
const std::string kNamePattern = std::string(kListing) + "hname LIKE ?1" + kNewestFirst;
const std::string kNumber = std::string(kListing) + "hid = 742503" + kNewestFirst;
const std::string kOwner = std::string(kListing) + "oname = ?1" + kNewestFirst;
const std::string kRace = std::string(kListing) + "tblraces.racenum = 312.05" + kNewestFirst;

const PlanCase kPlanCases[] = {
    {"name", kName.c_str(), "black dasher", "ix_tblhorsedata_hname_newest", true},
    {"name and number", kNameAndNumber.c_str(), "Black Dasher", "ix_tblhorsedata_h", true},
    {"name prefix pattern", kNamePattern.c_str(), "black%", "ix_tblhorsedata_hname_newest", false},
    {"number", kNumber.c_str(), nullptr, "ix_tblhorsedata_hid_form", false},
    {"form of active horses",
     "SELECT hid, racenum, sp, fin, odds, rowid FROM tblhorsedata WHERE hid IN (SELECT hid FROM tblhorsedata WHERE"
     " racenum >= 312) ORDER BY hid, racenum DESC",
     nullptr, "COVERING INDEX ix_tblhorsedata_hid_form", true},
    {"owner", kOwner.c_str(), "Reid Thoroughbreds", "ix_tblhorsedata_oname_newest", true},
    {"owner count", "SELECT count(*) FROM tblhorsedata WHERE oname = ?1", "Reid Thoroughbreds",
     "COVERING INDEX ix_tblhorsedata_oname_newest", true},
    {"race", kRace.c_str(), nullptr, "ix_tblraces_racenum", true},
    {"week list", "SELECT racenum FROM tblraces ORDER BY racenum DESC", nullptr, "ix_tblraces_racenum", true},
    {"week deletion", "DELETE FROM tblhorsedata WHERE racenum < 313 AND racenum > 312", nullptr,
     "ix_tblhorsedata_racenum", true},
    {"track", "SELECT stcode FROM statecodes WHERE num = 5", nullptr, "ix_statecodes_num", true},
};

class IndexUseTest : public SchemaQueryTest, public ::testing::WithParamInterface<PlanCase> {};

TEST_P(IndexUseTest, SearchUsesAnIndex) {
    const PlanCase& plan = GetParam();
    Statement explain = db->prepare(std::string("EXPLAIN QUERY PLAN ") + plan.sql);
    if (plan.value)
        explain.bind(1, std::string_view(plan.value));
    std::string details;
    while (explain.step())
        details += explain.text("detail") + "\n";
    EXPECT_THAT(details, HasSubstr(plan.index));
    EXPECT_THAT(details, Not(HasSubstr("SCAN tblhorsedata")));
    if (plan.orderFromIndex) {
        EXPECT_THAT(details, Not(HasSubstr("TEMP B-TREE")));
    }
}

INSTANTIATE_TEST_SUITE_P(Searches, IndexUseTest, ::testing::ValuesIn(kPlanCases),
                         [](const auto& info) {
                             std::string name = info.param.title;
                             std::ranges::replace(name, ' ', '_');
                             return name;
                         });

}  // namespace
