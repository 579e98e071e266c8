// SPDX-License-Identifier: MIT
#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/transaction.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace store;
using ::testing::HasSubstr;
using ::testing::Optional;

using namespace testing_support;

namespace {

class RaceStoreProblemTest : public ::testing::Test {
protected:
    // A store of a few hundred pages, made once and copied for each case.
    static void SetUpTestSuite() {
        templateFolder = new TestFolder;
        createRaceStore(templatePath());
        Database db = Database::open(templatePath());
        Transaction transaction(db);
        RaceWriter writer(db);
        for (int i = 0; i < 3000; ++i)
            writer.addRunner({.hname = "Horse " + std::to_string(i), .hid = i, .racenum = 312.0101,
                              .oname = "Stable " + std::to_string(i % 50)});
        transaction.commit();
    }
    static void TearDownTestSuite() { delete templateFolder; }
    static std::filesystem::path templatePath() { return *templateFolder / "template.mdb"; }

    void SetUp() override { std::filesystem::copy_file(templatePath(), storePath); }

    // The verdict on the store, after checking that giving it changed nothing.
    std::optional<std::string> verdict() {
        const auto before = FileSnapshot::of(storePath);
        auto problem = raceStoreProblem(storePath);
        EXPECT_EQ(FileSnapshot::of(storePath), before) << "the check changed the file";
        return problem;
    }

    static inline TestFolder* templateFolder = nullptr;
    TestFolder folder;
    std::filesystem::path storePath = folder / "horses.mdb";
};

TEST_F(RaceStoreProblemTest, StoreFromMakedbIsFine) {
    EXPECT_EQ(verdict(), std::nullopt);
    // Once more while another connection holds the store open for writing.
    Database importer = Database::open(storePath);
    importer.exec("INSERT INTO statecodes (num, stcode) VALUES (1, 'AB')");
    EXPECT_EQ(verdict(), std::nullopt);
}

TEST_F(RaceStoreProblemTest, StoreMadeByAnotherToolWithJustTheTablesIsFine) {
    std::filesystem::remove(storePath);
    writeBytes(storePath, "");
    {
        Database db = Database::open(storePath, Access::ReadWrite,
                                     {.journalMode = JournalMode::Delete});
        db.exec("CREATE TABLE TBLRACES (RaceNum, Surf, Restr, Cond, Dist, Size, Purse, CPrice,"
                " Age);"
                "CREATE TABLE tblhorsedata (hname VARCHAR(25), hid, racenum, fin, ppos, sp, start,"
                " odds, oname, notes TEXT);"
                "CREATE TABLE statecodes (num SMALLINT, stcode TEXT);"
                "CREATE TABLE other (x);");
    }
    EXPECT_EQ(verdict(), std::nullopt);
}

TEST_F(RaceStoreProblemTest, MissingFileOrFolder) {
    std::filesystem::remove(storePath);
    EXPECT_THAT(raceStoreProblem(storePath), Optional(HasSubstr("horses.mdb\" does not exist.")));
    EXPECT_FALSE(std::filesystem::exists(storePath));
    EXPECT_THAT(raceStoreProblem(folder.path()), Optional(HasSubstr("\" is a folder, not a race store.")));
}

TEST_F(RaceStoreProblemTest, EmptyFile) {
    writeBytes(storePath, "");
    EXPECT_THAT(verdict(), Optional(HasSubstr("horses.mdb\" is an empty file, not a race store.")));
}

TEST_F(RaceStoreProblemTest, FilesOfOtherKinds) {
    writeBytes(storePath, "\"312.0501\",\"D\",\"Black Dasher\"\r\n");
    EXPECT_THAT(verdict(), Optional(HasSubstr("horses.mdb\" is not a database file.")));
    writeBytes(storePath, std::string(8192, '\0'));
    EXPECT_THAT(verdict(), Optional(HasSubstr("is not a database file.")));
    // Looked at without waiting for a pipe's writer, and without following a link.
    const auto pipe = folder / "pipe.mdb";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THAT(raceStoreProblem(pipe), Optional(HasSubstr("pipe.mdb\" is a pipe, device or socket")));
    EXPECT_THAT(raceStoreProblem("/dev/null"), Optional(HasSubstr("/dev/null\" is a pipe, device or socket")));
    const auto link = folder / "link.mdb";
    std::filesystem::create_symlink(templatePath(), link);
    EXPECT_THAT(raceStoreProblem(link), Optional(HasSubstr("link.mdb\" is a link")));
}

TEST_F(RaceStoreProblemTest, TruncatedStore) {
    const std::string whole = readBytes(storePath);
    ASSERT_GT(whole.size(), 100'000u);
    for (std::size_t kept : {std::size_t{50}, std::size_t{4096}, whole.size() / 2,
                             whole.size() - 4096}) {
        writeBytes(storePath, whole.substr(0, kept));
        EXPECT_THAT(verdict(), Optional(HasSubstr("horses.mdb\" is truncated")))
            << kept << " bytes kept";
    }
}

TEST_F(RaceStoreProblemTest, DamagedStore) {
    std::string bytes = readBytes(storePath);
    std::fill(bytes.begin() + 100, bytes.begin() + 4096, '\x5a');  // the table list
    writeBytes(storePath, bytes);
    EXPECT_THAT(verdict(), Optional(HasSubstr("horses.mdb\" is damaged")));
}

TEST_F(RaceStoreProblemTest, EachMissingTableIsNamed) {
    for (const TableDefinition& table : raceStoreTables()) {
        std::filesystem::remove(storePath);
        std::filesystem::copy_file(templatePath(), storePath);
        Database::open(storePath).exec("DROP TABLE " + std::string(table.name));
        EXPECT_THAT(verdict(), Optional(HasSubstr("horses.mdb\" has no table " +
                                                  std::string(table.name) + ".")));
    }
}

TEST_F(RaceStoreProblemTest, EachMissingFieldIsNamed) {
    for (const TableDefinition& table : raceStoreTables()) {
        for (const FieldDefinition& field : table.fields) {
            std::filesystem::remove(storePath);
            std::filesystem::copy_file(templatePath(), storePath);
            Database::open(storePath).exec("ALTER TABLE " + std::string(table.name) +
                                           " RENAME COLUMN " + std::string(field.name) +
                                           " TO renamed");
            const std::string tableText = "The table " + std::string(table.name);
            const std::string fieldText = "has no field " + std::string(field.name) + ".";
            EXPECT_THAT(verdict(),
                        Optional(::testing::AllOf(HasSubstr(tableText), HasSubstr(fieldText))));
        }
    }
}

}  // namespace
