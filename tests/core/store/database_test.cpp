// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

using namespace store;
using ::testing::HasSubstr;

using namespace testing_support;

namespace {

std::string pragmaText(Database& db, const std::string& pragma) {
    Statement statement = db.prepare("PRAGMA " + pragma);
    EXPECT_TRUE(statement.step());
    return statement.text(0);
}

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { createRaceStore(storePath); }

    TestFolder folder;
    std::filesystem::path storePath = folder / "horses.mdb";
};

TEST_F(DatabaseTest, MissingFileIsAnErrorInBothModesAndIsNotCreated) {
    const auto missing = folder / "missing.mdb";
    for (Access access : {Access::ReadWrite, Access::ReadOnly}) {
        try {
            Database::open(missing, access);
            FAIL() << "opened a missing file";
        } catch (const StoreError& e) {
            EXPECT_THAT(e.what(), HasSubstr("missing.mdb\" does not exist"));
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// What stands in the store's place and is not a file of its own is refused by name, at
// once: a pipe is never waited on, and a link is not followed.
TEST_F(DatabaseTest, OnlyARegularFileIsOpened) {
    const auto pipe = folder / "pipe.mdb";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto link = folder / "link.mdb";
    std::filesystem::create_symlink(storePath, link);
    const std::vector<std::pair<std::filesystem::path, std::string>> places{
        {folder.path(), "\" is a folder, not a race store."},
        {pipe, "pipe.mdb\" is a pipe, device or socket, not a race store."},
        {"/dev/null", "\"/dev/null\" is a pipe, device or socket, not a race store."},
        {link, "link.mdb\" is a link"}};
    for (const auto& [place, message] : places) {
        for (Access access : {Access::ReadWrite, Access::ReadOnly}) {
            EXPECT_THAT([&] { Database::open(place, access); },
                        ::testing::ThrowsMessage<StoreError>(HasSubstr(message)));
        }
    }
}

TEST_F(DatabaseTest, ForeignFileGivesAClearMessage) {
    const auto text = folder / "notes.txt";
    writeBytes(text, std::string(4096, 'x'));
    for (Access access : {Access::ReadWrite, Access::ReadOnly}) {
        EXPECT_THAT([&] { Database::open(text, access); },
                    ::testing::ThrowsMessage<StoreError>(
                        HasSubstr("notes.txt\" is not a database file.")));
    }
}

TEST_F(DatabaseTest, ReadWriteOpenAppliesTheSafeSettings) {
    Database db = Database::open(storePath);
    EXPECT_EQ(pragmaText(db, "journal_mode"), "wal");
    EXPECT_EQ(pragmaText(db, "synchronous"), "2");  // FULL
    EXPECT_EQ(pragmaText(db, "cache_size"), "-65536");
    EXPECT_EQ(pragmaText(db, "temp_store"), "2");  // MEMORY
    EXPECT_EQ(pragmaText(db, "busy_timeout"), "5000");
}

TEST_F(DatabaseTest, ReadWriteOpenPutsAStoreInAnotherModeIntoWalButReadOnlyLeavesIt) {
    Database::open(storePath, Access::ReadWrite, {.journalMode = JournalMode::Delete});
    {
        Database reader = Database::open(storePath, Access::ReadOnly);
        EXPECT_EQ(pragmaText(reader, "journal_mode"), "delete");
    }
    Database::open(storePath);
    Database reader = Database::open(storePath, Access::ReadOnly);
    EXPECT_EQ(pragmaText(reader, "journal_mode"), "wal");
}

TEST_F(DatabaseTest, ReadOnlyConnectionCannotWrite) {
    Database db = Database::open(storePath, Access::ReadOnly);
    EXPECT_THAT([&] { db.exec("DELETE FROM statecodes"); },
                ::testing::ThrowsMessage<StoreError>(HasSubstr("horses.mdb\"")));
    EXPECT_THAT(db.lastError(), HasSubstr("readonly"));
}

TEST_F(DatabaseTest, PrepareTakesExactlyOneStatement) {
    Database db = Database::open(storePath);
    EXPECT_NO_THROW(db.prepare("SELECT num FROM statecodes;  \n"));
    EXPECT_THROW(db.prepare("SELECT num FROM statecodes; DELETE FROM statecodes"),
                 std::logic_error);
    EXPECT_THROW(db.prepare("-- nothing"), std::logic_error);
    EXPECT_THAT([&] { db.prepare("SELECT x FROM tblnothing"); },
                ::testing::ThrowsMessage<StoreError>(HasSubstr("no such table: tblnothing")));
}

TEST_F(DatabaseTest, StoreLockedByAnotherWriterFailsWithAMessageInsteadOfWaiting) {
    Database importer = Database::open(storePath);
    Transaction importing(importer);
    importer.exec("INSERT INTO statecodes (num, stcode) VALUES (1, 'AB')");

    Database other = Database::open(storePath, Access::ReadWrite,
                                    {.busyTimeout = std::chrono::milliseconds(50)});
    EXPECT_THAT([&] { Transaction second(other); },
                ::testing::ThrowsMessage<StoreError>(
                    HasSubstr("is in use by another program. Close that program and try again.")));
    // A search still reads the last committed state meanwhile.
    Database reader = Database::open(storePath, Access::ReadOnly);
    Statement count = reader.prepare("SELECT count(*) FROM statecodes");
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 0);
}

}  // namespace
