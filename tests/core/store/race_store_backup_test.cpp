// SPDX-License-Identifier: MIT
// Backups and restores of the race store: whole weeks only, files that cannot be restored
// refused with their reason, the watch list's notes brought back, other programs' views,
// and the store's mark of this program and its layout.
#include "program_runner.h"
#include "sample_store.h"
#include "shell/store_backup.h"
#include "store/database.h"
#include "store/layout_mark.h"
#include "store/race_store_backup.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"
#include "store/watch_tables.h"
#include "test_folder.h"
#include "full_disk.h"
#include "watch/watch_commands.h"

#include <gmock/gmock.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <map>

extern char** environ;

namespace {

using ::testing::HasSubstr;
using testing_support::runCli;
using testing_support::runProgram;

// Races and runs of each week: the week is whole when both equal its results file's.
std::map<int, std::pair<std::int64_t, std::int64_t>> weekCounts(const std::filesystem::path& file) {
    auto db = store::Database::open(file, store::Access::ReadOnly);
    auto select = db.prepare(
        "SELECT CAST(racenum AS INTEGER) AS week, count(*), "
        "(SELECT count(*) FROM tblhorsedata h WHERE h.racenum > CAST(r.racenum AS INTEGER) "
        "AND h.racenum < CAST(r.racenum AS INTEGER) + 1) FROM tblraces r GROUP BY week");
    std::map<int, std::pair<std::int64_t, std::int64_t>> counts;
    while (select.step()) counts[static_cast<int>(select.integer(0))] = {select.integer(1), select.integer(2)};
    return counts;
}

std::string noteOf(const std::string& store, std::int64_t hid) {
    auto db = store::Database::open(store, store::Access::ReadOnly);
    for (const auto& note : store::watchedHorseNotes(db))
        if (note.hid == hid) return note.note;
    return "";
}

// Ten generated weeks imported by another program while this one backs the store up
// again and again: each backup holds whole weeks, exactly as the results files give them.
TEST(RaceStoreBackup, ABackupDuringAnImportHoldsWholeWeeksOnly) {
    testing_support::TestFolder folder;
    constexpr int kFirst = 10357, kWeeks = 10;
    ASSERT_EQ(runProgram(HARROWDEX_GENERATOR_PATH, {"--out", folder.path().string(), "--first-week",
                                                    std::to_string(kFirst), "--weeks", std::to_string(kWeeks)})
                  .status,
              0);
    std::vector<std::string> files;
    for (int week = kFirst; week < kFirst + kWeeks; ++week)
        files.push_back((folder / ("raceout" + std::to_string(week) + ".txt")).string());
    const auto reference = (folder / "reference.mdb").string(), db = (folder / "horses.mdb").string();
    for (const auto& store : {reference, db}) ASSERT_EQ(runCli({"makedb", store}).status, 0);
    std::vector<std::string> import{HARROWDEX_CLI_PATH, "import", "--db", reference, "--yes"};
    import.insert(import.end(), files.begin(), files.end());
    ASSERT_EQ(runProgram(import[0], {import.begin() + 1, import.end()}).status, 0);
    const auto whole = weekCounts(reference);

    import[3] = db;
    std::vector<char*> argv;
    for (auto& argument : import) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t importing = -1;
    ASSERT_EQ(posix_spawn(&importing, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    int backups = 0, partial = 0, status = 0;
    while (waitpid(importing, &status, WNOHANG) == 0) {
        const auto backup = folder / ("backup" + std::to_string(++backups) + ".mdb");
        store::backUpRaceStore(db, backup, {.checkPages = false});
        const auto counts = weekCounts(backup);
        for (const auto& [week, count] : counts) EXPECT_EQ(count, whole.at(week)) << "week " << week << " cut";
        partial += !counts.empty() && counts.size() < kWeeks ? 1 : 0;
        std::filesystem::remove(backup);
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_GT(partial, 0) << "no backup was made while the import ran (" << backups << " made)";
}

class RestoreTest : public testing_support::SampleStore {
protected:
    std::filesystem::path backUp(const std::string& name) {
        const auto file = folder / name;
        store::backUpRaceStore(window.raceStorePath(), file);
        return file;
    }
    // A copy of a good backup changed by `change`.
    std::filesystem::path changedBackup(const std::string& name, const std::function<void(store::Database&)>& change) {
        const auto file = backUp(name);
        auto db = store::Database::open(file, store::Access::ReadWrite, {.journalMode = store::JournalMode::Delete});
        change(db);
        return file;
    }
};

// Each kind of file that is not a whole race store of this program is refused before the
// question, with its reason, and the store stays as it was.
TEST_F(RestoreTest, RefusesEachFileThatIsNotAWholeRaceStore) {
    const auto text = folder / "notes.txt";
    std::ofstream(text) << "Week 312 was a good one.";
    const auto empty = folder / "empty.mdb";
    std::ofstream{empty};
    const auto cut = backUp("cut.mdb");
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    const auto damaged = backUp("damaged.mdb");
    {
        auto db = store::Database::open(damaged, store::Access::ReadOnly);
        auto root = db.prepare("SELECT rootpage FROM sqlite_schema WHERE name = 'tblhorsedata'");
        root.step();
        std::fstream bytes(damaged, std::ios::in | std::ios::out | std::ios::binary);
        bytes.seekp((root.integer(0) - 1) * 4096);
        bytes << std::string(4096, '\x7f');
    }
    const auto foreign = changedBackup("foreign.mdb", [](store::Database& db) {
        db.exec("DROP TABLE tblraces; DROP TABLE tblhorsedata; DROP TABLE statecodes; CREATE TABLE notes (t TEXT)");
    });
    const auto otherId =
        changedBackup("other.mdb", [](store::Database& db) { db.exec("PRAGMA application_id = 1234"); });
    const auto newer = changedBackup("newer.mdb", [](store::Database& db) {
        db.exec("PRAGMA application_id = " + std::to_string(store::kApplicationMark | (store::kStoreLayout + 1)));
    });
    const struct {
        std::filesystem::path file;
        std::string reason;
    } cases[] = {
        {text, "is not a database file"},
        {empty, "is an empty file"},
        {cut, "is truncated"},
        {damaged, "is damaged"},
        {foreign, "has no table tblraces"},
        {otherId, "belongs to another program"},
        {newer, "made by a newer Harrowdex"},
        {folder / "none.mdb", "does not exist"},
    };
    const auto before = weekCounts(window.raceStorePath());
    for (const auto& c : cases) {
        dialogs.messages.clear();
        EXPECT_FALSE(shell::restoreFrom(window, c.file)) << c.file;
        ASSERT_EQ(dialogs.messages.size(), 1U) << c.file;
        EXPECT_THAT(dialogs.messages[0], HasSubstr(c.reason));
        EXPECT_THAT(dialogs.messages[0], HasSubstr("It cannot be restored; the race store is unchanged."));
    }
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(weekCounts(window.raceStorePath()), before);
    EXPECT_FALSE(std::filesystem::exists(store::beforeRestorePath(window.raceStorePath())));
}

// A note changed after a backup comes back with its restore, while another program holds
// the store open in a read of its own: it reads the old state to the end of that read and
// the restored one after it, and the store as it was is kept beside it.
TEST_F(RestoreTest, BringsBackTheNotesWhileAnotherProgramHasTheStoreOpen) {
    constexpr std::int64_t kHorse = 1;
    ASSERT_TRUE(watch::watchHorse(window, kHorse, std::string("claim at 5000")));
    const auto backup = backUp("kept.mdb");
    ASSERT_TRUE(watch::setHorseNote(window, kHorse, "sold"));

    auto other = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
    std::optional<store::ReadTransaction> reading(std::in_place, other);
    auto note = other.prepare("SELECT note FROM watchedhorses WHERE hid = 1", store::Reuse::Repeated);
    ASSERT_TRUE(note.step());
    note.reset();

    dialogs.answers = {true};
    const auto restored = shell::restoreFrom(window, backup);
    ASSERT_TRUE(restored.has_value()) << (dialogs.messages.empty() ? "" : dialogs.messages[0]);
    EXPECT_EQ(restored->watchedHorses, 1);
    ASSERT_TRUE(note.step());
    EXPECT_EQ(note.text(0), "sold");
    note.reset();
    reading.reset();
    ASSERT_TRUE(note.step());
    EXPECT_EQ(note.text(0), "claim at 5000");
    note.reset();
    EXPECT_EQ(noteOf(window.raceStorePath(), kHorse), "claim at 5000");
    EXPECT_EQ(noteOf(store::beforeRestorePath(window.raceStorePath()).string(), kHorse), "sold");
}

// A backup that cannot be written leaves no file behind, and says why.
TEST_F(RestoreTest, ABackupOnAFullDiskLeavesNothingBehind) {
    const auto target = folder / "backups" / "full.mdb";
    try {
        const testing_support::FullDisk full(64 * 1024);
        store::backUpRaceStore(window.raceStorePath(), target);
        FAIL() << "a backup on a full disk was reported as made";
    } catch (const store::StoreError& error) {
        EXPECT_THAT(error.what(), HasSubstr("is full. Nothing was left there"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(target.parent_path()));
}

// The mark of this program and its layout: made with every store, given to an older one on
// its next write, and a newer layout read but never written.
TEST(LayoutMark, MarksStoresAndKeepsNewerLayoutsFromWrites) {
    testing_support::TestFolder folder;
    const auto path = folder / "horses.mdb";
    store::createRaceStore(path);
    const auto markOf = [&] {
        auto db = store::Database::open(path, store::Access::ReadOnly);
        return store::readLayoutMark(db).applicationId;
    };
    EXPECT_EQ(markOf(), store::kApplicationMark | store::kStoreLayout);
    store::Database::open(path).exec("PRAGMA application_id = 0");
    store::openRaceStoreForWriting(path);
    EXPECT_EQ(markOf(), store::kApplicationMark | store::kStoreLayout);
    store::Database::open(path).exec("PRAGMA application_id = " +
                                     std::to_string(store::kApplicationMark | (store::kStoreLayout + 1)));
    EXPECT_EQ(store::raceStoreProblem(path), std::nullopt);
    EXPECT_THROW(store::openRaceStoreForWriting(path), store::StoreError);
    EXPECT_EQ(markOf(), store::kApplicationMark | (store::kStoreLayout + 1));
}

}  // namespace
