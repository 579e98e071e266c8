// SPDX-License-Identifier: MIT
#include "full_disk.h"
#include "sample_store.h"
#include "shell/compact_database.h"
#include "shell/remove_data.h"
#include "shell/store_backup.h"
#include "store/compaction.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/removed_weeks.h"
#include "store/search_indexes.h"
#include "store/store_error.h"

#include <gmock/gmock.h>

#include <fstream>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing_support::SampleStore;

const char* const kQuestion = "Are you sure you wish to remove the selected week(s)?";

std::int64_t count(const std::string& storePath, const std::string& sql) {
    auto db = store::Database::open(storePath, store::Access::ReadOnly);
    auto statement = db.prepare(sql);
    statement.step();
    return statement.integer(0);
}

std::int64_t runsOfWeek(const std::string& storePath, int week) {
    return count(storePath, "SELECT count(*) FROM tblhorsedata WHERE racenum > " + std::to_string(week) +
                                " AND racenum < " + std::to_string(week + 1));
}

std::int64_t racesOfWeek(const std::string& storePath, int week) {
    return count(storePath, "SELECT count(*) FROM tblraces WHERE racenum > " + std::to_string(week) +
                                " AND racenum < " + std::to_string(week + 1));
}

class RemoveDataTest : public SampleStore {
protected:
    std::unique_ptr<shell::RemoveData> open() { return shell::cmdremoverace_Click(window); }
    void select(shell::RemoveData& dialog, const std::string& entry) {
        const auto& items = dialog.lstweeks.items();
        dialog.lstweeks.setSelected(static_cast<std::size_t>(std::ranges::find(items, entry) - items.begin()), true);
    }
};

TEST_F(RemoveDataTest, ListsEachWeekOnceNewestFirst) {
    const auto dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_THAT(dialog->lstweeks.items(), ElementsAre("Week 312", "Week 311", "Week 310"));
    EXPECT_TRUE(dialog->lstweeks.multiSelect());
    EXPECT_EQ(dialogs.busyDepth, 0);
    auto db = store::Database::open(window.raceStorePath());
    EXPECT_THAT(store::raceWeeks(db), ElementsAre(312, 311, 310));
}

TEST_F(RemoveDataTest, RaceNumbersOnAWholeWeekBelongToNoWeek) {
    {
        auto db = store::Database::open(window.raceStorePath());
        db.exec("INSERT INTO tblraces (racenum) VALUES (305), (300.0101), (313)");
        EXPECT_THAT(store::raceWeeks(db), ElementsAre(312, 311, 310, 300));
    }
}

TEST_F(RemoveDataTest, AStoreWithJustTheThreeTablesListsItsWeeks) {
    {
        auto db = store::Database::open(window.raceStorePath());
        auto names = db.prepare("SELECT name FROM sqlite_schema WHERE type = 'index' AND sql IS NOT NULL");
        std::vector<std::string> indexes;
        while (names.step()) indexes.push_back(names.text(0));
        ASSERT_FALSE(indexes.empty());
        for (const auto& index : indexes) db.exec("DROP INDEX " + index);
    }
    const auto dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_THAT(dialog->lstweeks.items(), ElementsAre("Week 312", "Week 311", "Week 310"));
    EXPECT_GT(count(window.raceStorePath(), "SELECT count(*) FROM sqlite_schema WHERE type = 'index'"), 0)
        << "the listing restores the indexes it relies on";
}

TEST_F(RemoveDataTest, YesRemovesExactlyTheSelectedWeeksAndTheirRunners) {
    const std::string path = window.raceStorePath();
    const auto runs312 = runsOfWeek(path, 312);
    const auto races312 = racesOfWeek(path, 312);
    auto dialog = open();
    select(*dialog, "Week 311");
    select(*dialog, "Week 310");
    dialogs.status = &window.lblprogress.caption;
    dialogs.answers = {true, false};
    EXPECT_TRUE(dialog->cmdremove_Click());
    EXPECT_THAT(dialogs.questions, ElementsAre(kQuestion, shell::kBackUpFirstQuestion));
    EXPECT_THAT(dialogs.statusTexts, ElementsAre("Please wait.\r\rRemoving Data."));
    EXPECT_EQ(window.lblprogress.caption, "");
    EXPECT_TRUE(dialog->closed());
    EXPECT_FALSE(dialog->visible);
    EXPECT_EQ(runsOfWeek(path, 310) + runsOfWeek(path, 311) + racesOfWeek(path, 310) + racesOfWeek(path, 311), 0);
    EXPECT_EQ(runsOfWeek(path, 312), runs312);
    EXPECT_EQ(racesOfWeek(path, 312), races312);
    EXPECT_THAT(open()->lstweeks.items(), ElementsAre("Week 312"));
}

TEST_F(RemoveDataTest, NoOrNothingSelectedRemovesNothingAndCloses) {
    const auto before = count(window.raceStorePath(), "SELECT count(*) FROM tblhorsedata");
    auto declined = open();
    select(*declined, "Week 312");
    dialogs.answers = {false};
    EXPECT_FALSE(declined->cmdremove_Click());
    EXPECT_TRUE(declined->closed());
    EXPECT_TRUE(dialogs.statusTexts.empty());

    auto empty = open();
    dialogs.answers = {true};
    EXPECT_TRUE(empty->cmdremove_Click());
    EXPECT_TRUE(empty->closed());

    auto cancelled = open();
    select(*cancelled, "Week 310");
    cancelled->cmdcancel_Click();
    EXPECT_TRUE(cancelled->closed());
    EXPECT_EQ(dialogs.questions.size(), 2U);
    EXPECT_EQ(count(window.raceStorePath(), "SELECT count(*) FROM tblhorsedata"), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RemoveDataTest, AnEmptyStoreShowsNoDialog) {
    auto dialog = open();
    for (const auto& entry : dialog->lstweeks.items()) select(*dialog, entry);
    dialogs.answers = {true, false};
    dialog->cmdremove_Click();
    EXPECT_EQ(open(), nullptr);
    EXPECT_THAT(dialogs.messages, ElementsAre("No races in the database.  Action cancelled."));
    EXPECT_EQ(count(window.raceStorePath(), "SELECT count(*) FROM tblhorsedata"), 0);
}

TEST_F(RemoveDataTest, AFailedRemovalKeepsEveryWeekAndSaysSo) {
    auto dialog = open();
    select(*dialog, "Week 312");
    select(*dialog, "Week 310");
    // The store is out of reach while the user confirms.
    const auto away = folder / "moved.mdb";
    std::filesystem::rename(window.raceStorePath(), away);
    dialogs.answers = {true, false};
    EXPECT_FALSE(dialog->cmdremove_Click());
    std::filesystem::rename(away, window.raceStorePath());
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("No week was removed."));
    EXPECT_THAT(open()->lstweeks.items(), ElementsAre("Week 312", "Week 311", "Week 310"));
}

// A full disk and the indexes a killed bulk load left dropped: the weeks are listed without
// them, and a removal that needs room the disk lacks changes nothing and says why.
TEST_F(RemoveDataTest, AFullDiskListsTheWeeksWithoutTheIndexes) {
    {
        auto db = store::Database::open(window.raceStorePath());
        store::BulkLoad dropped(db);  // never finished
    }
    const testing_support::FullDisk fullDisk(0);
    auto dialog = open();
    ASSERT_NE(dialog, nullptr) << (dialogs.messages.empty() ? "" : dialogs.messages.front());
    EXPECT_THAT(dialog->lstweeks.items(), ElementsAre("Week 312", "Week 311", "Week 310"));
    select(*dialog, "Week 311");
    dialogs.answers = {true, false};
    EXPECT_FALSE(dialog->cmdremove_Click());
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("is full."));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("No week was removed."));
    EXPECT_GT(runsOfWeek(window.raceStorePath(), 311), 0);
}

// Yes to the backup question: the removal goes on only once the dated backup, which still
// holds the week, is made; a backup that cannot be made removes nothing.
TEST_F(RemoveDataTest, BacksUpFirstWhenAskedAndRemovesOnlyOnceBackedUp) {
    const auto backups = folder / "backups";
    for (const bool backupsIsAFile : {true, false}) {
        std::filesystem::remove_all(backups);
        if (backupsIsAFile) std::ofstream(backups) << "in the way";
        dialogs.messages.clear();
        auto dialog = open();
        select(*dialog, "Week 311");
        dialogs.answers = {true, true};
        EXPECT_EQ(dialog->cmdremove_Click(), !backupsIsAFile);
        if (backupsIsAFile) {
            ASSERT_EQ(dialogs.messages.size(), 1U);
            EXPECT_THAT(dialogs.messages[0], HasSubstr("No week was removed."));
            EXPECT_GT(runsOfWeek(window.raceStorePath(), 311), 0);
            continue;
        }
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_THAT(window.lblprogress.caption, HasSubstr("Backed up the race store to"));
        EXPECT_EQ(runsOfWeek(window.raceStorePath(), 311), 0);
        const auto backup = std::filesystem::directory_iterator(backups)->path();
        EXPECT_THAT(backup.filename().string(), testing::StartsWith("horses "));
        EXPECT_GT(runsOfWeek(backup.string(), 311), 0);
    }
}

// The results folder as the program's assembly hands it to the window.
struct FixedFolder : shell::ResultsFolderFiles {
    std::vector<store::WeekFile> held;
    std::string folder() const override { return "/home/player/Downloads"; }
    std::vector<store::WeekFile> files() const override { return held; }
};

// Below its list the dialog says which selected weeks have their file in the results
// folder, and the removal marks those weeks with their files (a week without one, with none).
TEST_F(RemoveDataTest, TellsOfTheResultsFolderAndMarksTheWeeksRemoved) {
    FixedFolder downloads;
    downloads.held = {{310, "raceout310.txt", 1200, 7}, {311, "a.txt", 600, 8}, {311, "b.txt", 700, 9}};
    window.useResultsFolder(&downloads);
    const struct {
        std::vector<std::string> selected;
        std::string note;
    } cases[] = {
        {{"Week 312"}, ""},
        {{"Week 310"},
         "The file of week 310, raceout310.txt, is in the results folder: removed, the week stays out until that "
         "file changes."},
        {{"Week 311"},
         "Files of week 311 are in the results folder: removed, the week stays out until its files change."},
        {{"Week 312", "Week 311", "Week 310"},
         "Files of weeks 311 and 310 are in the results folder: removed, those weeks stay out until their files "
         "change."},
    };
    for (const auto& c : cases) {
        auto dialog = open();
        for (const auto& entry : c.selected) select(*dialog, entry);
        dialog->lstweeks_Click();
        EXPECT_EQ(dialog->lblfolder.caption, c.note) << c.selected.size();
    }
    auto dialog = open();
    select(*dialog, "Week 312");
    select(*dialog, "Week 310");
    dialogs.answers = {true, false};
    ASSERT_TRUE(dialog->cmdremove_Click());
    auto db = store::Database::open(window.raceStorePath());
    EXPECT_THAT(store::removedWeekFiles(db), ElementsAre(downloads.held[0]));
    EXPECT_EQ(count(window.raceStorePath(), "SELECT count(*) FROM removedweeks WHERE week = 312 AND file = ''"), 1);
}

TEST(CompactedStatus, SaysHowMuchWasFreed) {
    const struct {
        std::int64_t before, after;
        const char* status;
    } cases[] = {
        {4096 * 200, 4096 * 50, "Compacted the race store: freed 600 KB, from 800 KB to 200 KB."},
        {150LL << 20, 100LL << 20, "Compacted the race store: freed 50.0 MB, from 150.0 MB to 100.0 MB."},
        {3LL << 30, 3LL << 30, "Compacted the race store: it had no free space to give back (3.0 GB)."},
    };
    for (const auto& c : cases) EXPECT_EQ(shell::compactedStatus(c.before, c.after), c.status);
}

class CompactionTest : public SampleStore {
protected:
    std::filesystem::path storePath() const { return window.raceStorePath(); }
    // Leaves free pages behind, so that there is something to compact.
    void makeFreeSpace() {
        auto db = store::Database::open(storePath());
        store::deleteWeek(db, 311);
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
};

TEST_F(CompactionTest, ShrinksTheStoreAndKeepsEveryRow) {
    makeFreeSpace();
    const auto size = std::filesystem::file_size(storePath());
    const auto runs = count(storePath(), "SELECT count(*) FROM tblhorsedata");
    dialogs.status = &window.lblprogress.caption;
    EXPECT_TRUE(shell::cmdcompact_Click(window));
    EXPECT_THAT(dialogs.statusTexts, ElementsAre("Compacting Database ...\r\rThis may take several minutes."));
    EXPECT_THAT(window.lblprogress.caption, ::testing::StartsWith("Compacted the race store: freed "));
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_LT(std::filesystem::file_size(storePath()), size);
    EXPECT_EQ(count(storePath(), "SELECT count(*) FROM tblhorsedata"), runs);
    EXPECT_EQ(store::raceStoreProblem(storePath()), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(folder / "horsestemp.mdb"));
}

// Compaction works in place: files beside the store, whatever their names, stay as they
// are (a copy of the store kept as horsestemp.mdb, the neighbour whose name an earlier
// build used for its copy, or another store named like that).
TEST_F(CompactionTest, LeavesEveryOtherFileAlone) {
    makeFreeSpace();
    const std::vector<std::string> neighbours{"horsestemp.mdb", "horsestemp.mdb-journal", "horsestemp.mdb-wal",
                                              "horses.mdbtemp"};
    for (const auto& name : neighbours) testing_support::writeBytes(folder / name, "a file of the user's: " + name);
    EXPECT_TRUE(shell::cmdcompact_Click(window));
    EXPECT_TRUE(dialogs.messages.empty());
    for (const auto& name : neighbours)
        EXPECT_EQ(testing_support::readBytes(folder / name), "a file of the user's: " + name);
}

// Damaged pages: the compaction refuses the store as it is and says how to recover it.
TEST_F(CompactionTest, ADamagedStoreIsRefusedAsItIs) {
    std::int64_t page = 0;
    {
        auto db = store::Database::open(storePath());
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        auto root = db.prepare("SELECT rootpage FROM sqlite_schema WHERE name = 'ix_tblhorsedata_oname_newest'");
        ASSERT_TRUE(root.step());
        page = root.integer(0);
    }
    // An index page whose header is scrambled: the rewrite, which builds the indexes anew
    // from the tables, would never read it.
    std::string bytes = testing_support::readBytes(storePath());
    const std::size_t pageSize = 4096;
    ASSERT_GE(bytes.size(), static_cast<std::size_t>(page) * pageSize);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>((page - 1) * pageSize), 12, '\x5a');
    testing_support::writeBytes(storePath(), bytes);
    const auto before = testing_support::FileSnapshot::of(storePath());
    EXPECT_FALSE(shell::cmdcompact_Click(window));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("is damaged"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr(".recover"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("The store is unchanged."));
    EXPECT_EQ(testing_support::FileSnapshot::of(storePath()), before);
}

// Another program's connection, open before the compaction and written through after it.
TEST_F(CompactionTest, AProgramHoldingTheStoreOpenKeepsItsLaterWrites) {
    makeFreeSpace();
    auto other = store::Database::open(storePath());
    const auto runs = count(storePath(), "SELECT count(*) FROM tblhorsedata");
    EXPECT_TRUE(shell::cmdcompact_Click(window));
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
    other.exec("INSERT INTO statecodes (num, stcode) VALUES (98, 'NEW')");
    other = store::Database::open(storePath(), store::Access::ReadOnly);  // closes the writer
    EXPECT_EQ(count(storePath(), "SELECT count(*) FROM statecodes WHERE stcode = 'NEW'"), 1);
    EXPECT_EQ(count(storePath(), "SELECT count(*) FROM tblhorsedata"), runs);
    EXPECT_EQ(store::raceStoreProblem(storePath()), std::nullopt);
}

// A writer that holds the store longer than the busy time-out: the compaction gives way
// and the writer's commit stands.
TEST_F(CompactionTest, AStoreBeingWrittenElsewhereIsLeftAlone) {
    auto other = store::Database::open(storePath());
    other.exec("BEGIN IMMEDIATE");
    other.exec("DELETE FROM statecodes");
    try {
        store::compactRaceStore(storePath(), {.busyTimeout = std::chrono::milliseconds(50)});
        FAIL() << "the compaction reported success";
    } catch (const store::StoreError& error) {
        EXPECT_THAT(error.what(), HasSubstr("was not compacted"));
        EXPECT_THAT(error.what(), HasSubstr("in use by another program"));
        EXPECT_THAT(error.what(), HasSubstr("The store is unchanged."));
    }
    other.exec("COMMIT");
    EXPECT_EQ(count(storePath(), "SELECT count(*) FROM statecodes"), 0);
    store::compactRaceStore(storePath());
    EXPECT_EQ(count(storePath(), "SELECT count(*) FROM statecodes"), 0);
}

TEST_F(CompactionTest, AMissingStoreIsReported) {
    std::filesystem::remove(storePath());
    EXPECT_FALSE(shell::cmdcompact_Click(window));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("does not exist"));
    EXPECT_THAT(folder.entries(), ElementsAre());
}

}  // namespace
