// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace store;

using namespace testing_support;

namespace {

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO statecodes (num, stcode) VALUES (1, 'OLD')");
    }

    std::int64_t trackCount() {
        Database reader = Database::open(storePath, Access::ReadOnly);
        Statement count = reader.prepare("SELECT count(*) FROM statecodes");
        count.step();
        return count.integer(0);
    }

    void addTrack(int num) {
        Statement insert = db.prepare("INSERT INTO statecodes (num, stcode) VALUES (?1, 'NEW')");
        insert.bind(1, num).step();
    }

    TestFolder folder;
    std::filesystem::path storePath = folder / "horses.mdb";
    Database db = [this] {
        createRaceStore(storePath);
        return Database::open(storePath);
    }();
};

TEST_F(TransactionTest, CommittedRowsAreStoredTogether) {
    {
        Transaction transaction(db);
        addTrack(2);
        addTrack(3);
        EXPECT_EQ(trackCount(), 1);  // not visible to others before the commit
        transaction.commit();
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(trackCount(), 3);
}

TEST_F(TransactionTest, FailurePartWayRollsBackAndKeepsWhatWasStoredBefore) {
    try {
        Transaction transaction(db);
        addTrack(2);
        addTrack(3);
        throw std::runtime_error("bad field in the results file");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(trackCount(), 1);
}

TEST_F(TransactionTest, RollbackSurvivesAFailedStatementInside) {
    {
        Transaction transaction(db);
        addTrack(2);
        EXPECT_THROW(db.exec("INSERT INTO tblnothing VALUES (1)"), StoreError);
    }
    EXPECT_EQ(trackCount(), 1);
    Transaction again(db);  // the connection is usable afterwards
    again.commit();
}

}  // namespace
