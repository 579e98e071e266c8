// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

using namespace store;
using ::testing::HasSubstr;

using namespace testing_support;

namespace {

class StatementTest : public ::testing::Test {
protected:
    TestFolder folder;
    Database db = [this] {
        createRaceStore(folder / "horses.mdb");
        return Database::open(folder / "horses.mdb");
    }();
};

TEST_F(StatementTest, BoundValuesComeBackByNameAndByIndex) {
    Statement insert = db.prepare("INSERT INTO tblhorsedata (hname, hid, racenum, sp, oname, odds)"
                                  " VALUES (?, ?, ?, ?, ?, ?)");
    // Quotes, commas and percent signs are data, never SQL.
    insert.bind(1, std::string_view("Rebel's \"Hunter\" 100%"))
        .bind(2, std::int64_t{9'876'543'210})
        .bind(3, 312.0501)
        .bind(4, 87.25)
        .bind(5, std::string("Harrow Bloodstock, Ltd."))
        .bind(6, nullptr);
    EXPECT_FALSE(insert.step());
    EXPECT_EQ(db.changes(), 1);

    Statement read =
        db.prepare("SELECT hname, hid, tblhorsedata.racenum, sp, oname, odds FROM tblhorsedata");
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.text("hname"), "Rebel's \"Hunter\" 100%");
    EXPECT_EQ(read.integer("HID"), 9'876'543'210);
    EXPECT_DOUBLE_EQ(read.real("racenum"), 312.0501);  // the table prefix is not part of the name
    EXPECT_DOUBLE_EQ(read.real(3), 87.25);
    EXPECT_EQ(read.text(4), "Harrow Bloodstock, Ltd.");
    EXPECT_TRUE(read.isNull("odds"));
    EXPECT_FALSE(read.isNull("sp"));
    EXPECT_EQ(read.real("odds"), 0.0);
    EXPECT_EQ(read.text("odds"), "");
    EXPECT_EQ(read.columnCount(), 6);
    EXPECT_FALSE(read.step());
}

TEST_F(StatementTest, NamedParametersAndPlainIntegers) {
    Statement insert = db.prepare("INSERT INTO statecodes (num, stcode) VALUES (:num, :code)");
    insert.bind(":num", 7).bind(":code", "ABC");
    insert.step();
    EXPECT_THROW(insert.bind(":missing", 1), std::logic_error);

    Statement read = db.prepare("SELECT stcode FROM statecodes WHERE num = :num");
    read.bind(":num", short{7});
    ASSERT_TRUE(read.step());
    EXPECT_EQ(read.text("stcode"), "ABC");
    EXPECT_THROW(read.text("num"), std::logic_error);
}

TEST_F(StatementTest, ResetRunsAgainWithTheBindingsKeptOrReplaced) {
    Statement insert = db.prepare("INSERT INTO statecodes (num, stcode) VALUES (?1, ?2)",
                                  Reuse::Repeated);
    insert.bind(1, 1).bind(2, "AA");
    insert.step();
    insert.reset();
    insert.bind(1, 2);  // ?2 keeps "AA"
    insert.step();

    Statement read = db.prepare("SELECT num, stcode FROM statecodes ORDER BY num", Reuse::Repeated);
    std::vector<std::pair<std::int64_t, std::string>> rows;
    while (read.step())
        rows.emplace_back(read.integer("num"), read.text("stcode"));
    EXPECT_EQ(rows, (std::vector<std::pair<std::int64_t, std::string>>{{1, "AA"}, {2, "AA"}}));
    read.reset();
    EXPECT_TRUE(read.step());

    insert.reset();
    insert.clearBindings();
    insert.step();
    Statement nulls = db.prepare("SELECT count(*) FROM statecodes WHERE num IS NULL");
    ASSERT_TRUE(nulls.step());
    EXPECT_EQ(nulls.integer(0), 1);
}

TEST_F(StatementTest, FailedStepNamesTheStoreAndTheReason) {
    db.exec("CREATE TABLE strict_test (n INTEGER NOT NULL)");
    Statement insert = db.prepare("INSERT INTO strict_test (n) VALUES (?1)");
    insert.bind(1, nullptr);
    EXPECT_THAT([&] { insert.step(); },
                ::testing::ThrowsMessage<StoreError>(::testing::AllOf(
                    HasSubstr("Could not write to the race store"), HasSubstr("horses.mdb\""),
                    HasSubstr("NOT NULL constraint failed"))));
}

}  // namespace
