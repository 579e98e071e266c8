// SPDX-License-Identifier: MIT
#include "program_runner.h"
#include "samples.h"
#include "store/database.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <sys/stat.h>

namespace {

using testing_support::FileSnapshot;
using testing_support::runCli;

using testing_support::kSamplesDir;

// A command of each kind that opens the store, without its --db option.
const std::vector<std::vector<std::string>> kStoreCommands{
    {"search", "--horse", "Swift*"},
    {"find"},
    {"compare", "--id", "1", "--id", "2"},
    {"weeks"},
    {"remove-weeks", "310"},
    {"compact"},
    {"backup"},
    {"restore", kSamplesDir + "/raceout310.txt", "--yes"},
    {"progeny", "--sire", "X"},
    {"crosses", "--breeding", kSamplesDir + "/breeding.txt", "--sire", "X"},
    {"tracks"},
    {"tracks", "--add", "7", "ABC"},
    {"watch"},
    {"watch", "--add-horse", "1"},
    {"sync", kSamplesDir},
    {"import", "--yes", kSamplesDir + "/raceout310.txt"}};

std::vector<std::string> withStore(const std::vector<std::string>& command, const std::filesystem::path& store) {
    std::vector<std::string> arguments{command.front(), "--db", store.string()};
    arguments.insert(arguments.end(), command.begin() + 1, command.end());
    return arguments;
}

class CliMaintenance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"makedb", db}).status, 0);
        ASSERT_EQ(runCli({"import", "--db", db, kSamplesDir + "/raceout310.txt", kSamplesDir + "/raceout311.txt",
                          kSamplesDir + "/raceout312.txt"})
                      .status,
                  0);
    }

    testing_support::TestFolder folder;
    std::string db = (folder / "horses.mdb").string();
};

TEST_F(CliMaintenance, WeeksAndTheirRemoval) {
    auto result = runCli({"weeks", "--db", db});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Week 312\nWeek 311\nWeek 310\n");

    result = runCli({"remove-weeks", "--db", db, "311", "310"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err,
              "Are you sure you wish to remove the selected week(s)?\nAnswered: Yes\nBack up the race store first?\n"
              "Answered: No\nPlease wait.\n\nRemoving Data.\n");
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\n");

    result = runCli({"remove-weeks", "--db", db, "312", "5"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "The race store holds no races of week 5. Nothing was removed.\n");
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\n");

    EXPECT_EQ(runCli({"remove-weeks", "--db", db, "312"}).status, 0);
    result = runCli({"weeks", "--db", db});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "No races in the database.  Action cancelled.\n");
    EXPECT_EQ(runCli({"remove-weeks", "--db", db}).status, 2);
}

TEST_F(CliMaintenance, CompactKeepsTheStore) {
    ASSERT_EQ(runCli({"remove-weeks", "--db", db, "311"}).status, 0);
    const auto result = runCli({"compact", "--db", db});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "Compacting Database ...\n\nThis may take several minutes.\n");
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\nWeek 310\n");
    EXPECT_EQ(runCli({"compact", "--db", (folder / "none.mdb").string()}).status, 1);
}

// A backup to the dated file, a removal backed up first only with --backup, and a restore
// that asks, refuses without --yes and brings the weeks back with it.
TEST_F(CliMaintenance, BackupRemovalAndRestore) {
    auto result = runCli({"backup", "--db", db, "--today", "2026-12-08"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto dated = folder / "backups" / "horses 2026-12-08.mdb";
    EXPECT_EQ(result.out, "Backed up the race store to \"" + dated.string() +
                              "\": " + std::to_string(std::filesystem::file_size(dated) / 1024) +
                              " KB, weeks 310 to 312 (3 weeks).\n");
    ASSERT_EQ(runCli({"remove-weeks", "--db", db, "311"}).status, 0);
    result = runCli({"remove-weeks", "--db", db, "--backup", "--today", "2026-12-08", "310"});
    EXPECT_THAT(result.err, ::testing::HasSubstr("Back up the race store first?\nAnswered: Yes"));
    EXPECT_TRUE(std::filesystem::exists(folder / "backups" / "horses 2026-12-08-2.mdb"));
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\n");

    EXPECT_EQ(runCli({"backup", "--db", db, db}).status, 1);  // never over the store itself
    EXPECT_EQ(runCli({"restore", "--db", db, dated.string()}).status, 1);
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\n");
    result = runCli({"restore", "--db", db, dated.string(), "--yes", "--format", "json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, ::testing::HasSubstr("\"weeks\": 3,\n  \"firstWeek\": 310,\n  \"lastWeek\": 312"));
    EXPECT_EQ(runCli({"weeks", "--db", db}).out, "Week 312\nWeek 311\nWeek 310\n");
    EXPECT_EQ(runCli({"weeks", "--db", db + ".before-restore"}).out, "Week 312\n");
}

TEST_F(CliMaintenance, TracksListAddAndDelete) {
    auto result = runCli({"tracks", "--db", db, "--add", "7", "ABC"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "07: ABC\n");
    result = runCli({"tracks", "--db", db, "--add", "2.5", "TWO"});
    EXPECT_EQ(result.out, "02: TWO\n07: ABC\n");
    result = runCli({"tracks", "--db", db, "--add", "07", "XYZ"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "07 is already in the database.  If you wish to edit or replace it, \nthen please delete the track "
              "first.\n");
    EXPECT_EQ(result.out, "02: TWO\n07: ABC\n");
    result = runCli({"tracks", "--db", db, "--add", "100", "BIG"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "You must enter a valid track number.\n");
    result = runCli({"tracks", "--db", db, "--delete", "2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "07: ABC\n");
    result = runCli({"tracks", "--db", db, "--delete", "3"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "The track list has no track 3.\n");
    EXPECT_EQ(runCli({"tracks", "--db", db}).out, "07: ABC\n");
    EXPECT_EQ(runCli({"tracks", "--db", db, "--add", "8"}).status, 2);
    EXPECT_EQ(runCli({"tracks", "--db", db, "--add", "8", "X", "--delete", "7"}).status, 2);
}

// Files that are not race stores: every command refuses them and writes nothing to them,
// not even the journal mode in the header, and leaves nothing beside them.
TEST_F(CliMaintenance, FilesThatAreNotRaceStoresAreLeftAsTheyAre) {
    const auto foreign = folder / "other.db";
    testing_support::writeBytes(foreign, "");
    store::Database::open(foreign, store::Access::ReadWrite, {.journalMode = store::JournalMode::Delete})
        .exec("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('kept')");
    const auto empty = folder / "empty.mdb";
    testing_support::writeBytes(empty, "");
    for (const auto& file : {foreign, empty}) {
        const auto before = FileSnapshot::of(file);
        for (const auto& command : kStoreCommands) {
            const auto result = runCli(withStore(command, file));
            EXPECT_EQ(result.status, 1) << command.front() << " on " << file << ": " << result.err;
            EXPECT_EQ(FileSnapshot::of(file), before) << command.front() << " changed " << file;
        }
    }
    EXPECT_THAT(folder.entries(), ::testing::UnorderedElementsAre("empty.mdb", "horses.mdb", "other.db"));
}

// A pipe, a device or a link in the store's place: every command refuses it at once,
// without waiting for a writer that never comes and without following the link.
TEST_F(CliMaintenance, PipesDevicesAndLinksInTheStoresPlaceAreRefusedAtOnce) {
    const auto pipe = folder / "pipe.mdb";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto link = folder / "link.mdb";
    std::filesystem::create_symlink(db, link);
    const auto linked = FileSnapshot::of(db);
    const std::vector<std::pair<std::filesystem::path, std::string>> places{
        {pipe, "pipe.mdb\" is a pipe, device or socket, not a race store."},
        {"/dev/null", "\"/dev/null\" is a pipe, device or socket, not a race store."},
        {link, "link.mdb\" is a link"}};
    for (const auto& [place, message] : places) {
        for (const auto& command : kStoreCommands) {
            std::vector<std::string> arguments{"10", HARROWDEX_CLI_PATH};
            std::ranges::copy(withStore(command, place), std::back_inserter(arguments));
            const auto result = testing_support::runProgram("timeout", arguments);
            EXPECT_EQ(result.status, 1) << command.front() << " on " << place << ": " << result.err;
            EXPECT_THAT(result.err, ::testing::HasSubstr(message)) << command.front();
        }
    }
    EXPECT_EQ(FileSnapshot::of(db), linked);
}

}  // namespace
