// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> indexes(store::Database& db) {
    auto query = db.prepare("SELECT name FROM sqlite_schema WHERE type = 'index' ORDER BY name");
    std::vector<std::string> names;
    while (query.step()) names.push_back(query.text(0));
    return names;
}

std::int64_t statisticsRows(store::Database& db) {
    auto query = db.prepare("SELECT count(*) FROM sqlite_stat1");
    query.step();
    return query.integer(0);
}

class SearchIndexes : public ::testing::Test {
protected:
    void SetUp() override { store::createRaceStore(folder / "horses.mdb"); }
    testing_support::TestFolder folder;
};

TEST_F(SearchIndexes, BulkLoadDropsTheRandomOrderIndexesAndFinishRestoresThem) {
    auto db = store::Database::open(folder / "horses.mdb");
    const auto all = indexes(db);
    const auto statistics = statisticsRows(db);
    store::BulkLoad bulk(db);
    EXPECT_EQ(indexes(db), (std::vector<std::string>{"ix_statecodes_num", "ix_tblhorsedata_placed",
                                                     "ix_tblhorsedata_racenum", "ix_tblraces_racenum"}));
    bulk.finish();
    EXPECT_EQ(indexes(db), all);
    EXPECT_EQ(statisticsRows(db), statistics);
}

TEST_F(SearchIndexes, EnsureRestoresWhatAnotherToolOrACrashLeftOut) {
    auto db = store::Database::open(folder / "horses.mdb");
    const auto all = indexes(db);
    db.exec("DROP INDEX ix_tblhorsedata_oname_newest; DROP INDEX ix_tblraces_racenum; DROP TABLE sqlite_stat1");
    store::ensureSearchIndexes(db);
    EXPECT_EQ(indexes(db), all);
    EXPECT_EQ(statisticsRows(db), 2);
    store::ensureSearchIndexes(db);  // nothing missing: nothing changes
    EXPECT_EQ(statisticsRows(db), 2);
}

TEST_F(SearchIndexes, EnsureReplacesTheRaceOrderIndexesOfEarlierBuilds) {
    auto db = store::Database::open(folder / "horses.mdb");
    const auto all = indexes(db);
    db.exec(
        "DROP INDEX ix_tblhorsedata_hname_newest; DROP INDEX ix_tblhorsedata_hid_form;"
        "DROP INDEX ix_tblhorsedata_oname_newest;"
        "CREATE INDEX ix_tblhorsedata_hid_newest ON tblhorsedata (hid, racenum DESC);"
        "CREATE INDEX ix_tblhorsedata_hname ON tblhorsedata (hname, racenum);"
        "CREATE INDEX ix_tblhorsedata_hid ON tblhorsedata (hid, racenum);"
        "CREATE INDEX ix_tblhorsedata_oname ON tblhorsedata (oname, racenum)");
    store::ensureSearchIndexes(db);
    EXPECT_EQ(indexes(db), all);
}

}  // namespace
