// SPDX-License-Identifier: MIT
// A results folder kept in step: `harrowdex-cli sync` and the check the window runs.
#include "import/results_folder.h"
#include "samples.h"
#include "import/results_folder_setting.h"
#include "ordinary_user.h"
#include "program_runner.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <map>
#include <thread>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testing_support::runCli;
using testing_support::writeBytes;

// The sample week's 20 races as week `week`.
std::string weekText(int week) {
    std::string text = testing_support::readBytes(testing_support::kSamplesDir + "/raceout310.txt");
    const std::string from = "\n310.", to = "\n" + std::to_string(week) + ".";
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Dates a file back, as one written a while ago.
void settle(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(5));
}

void writeSettled(const fs::path& file, const std::string& bytes) {
    writeBytes(file, bytes);
    settle(file);
}

void writeZip(const fs::path& file, const std::string& entry, const std::string& text) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(archive, entry.c_str(), zip_source_buffer(archive, text.data(), text.size(), 0), 0);
    zip_close(archive);
    settle(file);
}

class ResultsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(db);
        fs::create_directory(downloads);
    }
    std::int64_t racesOfWeek(int week, const fs::path& storePath = {}) {
        auto store = store::Database::open(storePath.empty() ? db : storePath, store::Access::ReadOnly);
        auto count = store.prepare("SELECT COUNT(*) FROM tblraces WHERE racenum > ? AND racenum < ?");
        count.bind(1, static_cast<double>(week)).bind(2, static_cast<double>(week + 1));
        count.step();
        return count.integer(0);
    }
    import::FolderCheck check() { return import::checkResultsFolder(downloads, db.string(), memory);
}

testing_support::TestFolder folder;
fs::path db = folder / "horses.mdb";
fs::path downloads = folder / "Downloads";
import::FolderMemory memory;
};  // namespace

// A Downloads folder of every kind of file, checked once from the command line.
TEST_F(ResultsFolder, SyncImportsNewWeeksOldestFirstAndListsEveryResultsFile) {
    ASSERT_EQ(runCli({"sync", "--db", db.string(), downloads.string()}).status, 0);  // empty folder
    EXPECT_EQ(runCli({"sync", "--db", (folder / "none.mdb").string(), downloads.string()}).status, 1);
    writeSettled(downloads / "stored.txt", weekText(10364));
    ASSERT_EQ(runCli({"import", "--db", db.string(), "--quiet", (downloads / "stored.txt").string()}).status, 0);
    writeSettled(downloads / "a-newest.txt", weekText(10366));  // the name does not give the week
    writeZip(downloads / "z-older.zip", "raceout.txt", weekText(10365));
    std::string damaged = weekText(10367);
    damaged.resize(damaged.size() / 2);
    writeSettled(downloads / "damaged.txt", damaged);
    writeSettled(downloads / "notes.txt", "Shopping list\r\nmilk, eggs\r\n");
    writeSettled(downloads / "breeding.txt",
                 testing_support::readBytes(testing_support::kSamplesDir + "/breeding.txt"));
    std::string badPurse = weekText(10369);
    badPurse.replace(badPurse.find("$66,800"), 7, "$66,8O0");  // a value, not the layout, is wrong
    writeSettled(downloads / "bad-purse.txt", badPurse);
    writeSettled(downloads / "broken.zip", "PK\x03\x04 not an archive");
    writeBytes(downloads / "arriving.txt", weekText(10368));  // just written

    const auto result = runCli({"sync", "--db", db.string(), downloads.string(), "--format", "json"});
    EXPECT_EQ(result.status, 1) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["imported"], nlohmann::json::parse(R"([{"file":"z-older.zip","week":10365,"leftOut":0},
                                                         {"file":"a-newest.txt","week":10366,"leftOut":0}])"));
    EXPECT_EQ(json["skipped"],
              nlohmann::json::parse(R"([{"file":"stored.txt","week":10364,"reason":"stored already"}])"));
    EXPECT_EQ(json["waiting"], nlohmann::json::parse(R"([{"file":"arriving.txt"}])"));
    ASSERT_EQ(json["failed"].size(), 2u);
    EXPECT_EQ(json["failed"][0]["file"], "damaged.txt");
    EXPECT_NE(json["failed"][0]["reason"].get<std::string>().find("file ends early."), std::string::npos);
    EXPECT_EQ(json["failed"][1]["file"], "bad-purse.txt");
    for (int week : {10364, 10365, 10366}) EXPECT_EQ(racesOfWeek(week), 20) << week;
    EXPECT_EQ(racesOfWeek(10367), 0);  // the damaged week is rolled back whole

    settle(downloads / "arriving.txt");
    fs::remove(downloads / "damaged.txt");
    fs::remove(downloads / "bad-purse.txt");
    const auto again = runCli({"sync", "--db", db.string(), downloads.string()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out,
              "imported arriving.txt: week 10368\n"
              "skipped stored.txt: week 10364 is stored\n"
              "skipped z-older.zip: week 10365 is stored\n"
              "skipped a-newest.txt: week 10366 is stored\n");
}

// A week the player removed stays out while its file in the folder stays as it was, from
// `sync` and from the window's check alike; a changed file, or an import by hand, brings it back.
TEST_F(ResultsFolder, AWeekRemovedByThePlayerStaysOutUntilItsFileChanges) {
    for (int week : {10365, 10366, 10367})
        writeSettled(downloads / ("raceout" + std::to_string(week) + ".txt"), weekText(week));
    ASSERT_EQ(runCli({"sync", "--db", db.string(), downloads.string()}).status, 0);
    const auto removal =
        runCli({"remove-weeks", "--db", db.string(), "--folder", downloads.string(), "10365", "10366", "10367"});
    ASSERT_EQ(removal.status, 0) << removal.err;
    const auto sync = runCli({"sync", "--db", db.string(), downloads.string()});
    EXPECT_EQ(sync.status, 0) << sync.err;
    EXPECT_EQ(sync.out,
              "skipped raceout10365.txt: week 10365 removed by the player\n"
              "skipped raceout10366.txt: week 10366 removed by the player\n"
              "skipped raceout10367.txt: week 10367 removed by the player\n");

    writeSettled(downloads / "raceout10366.txt", weekText(10366));  // downloaded again: a new time
    ASSERT_EQ(runCli({"import", "--db", db.string(), "--quiet", (downloads / "raceout10367.txt").string()}).status, 0);
    {
        auto store = store::Database::open(db);
        store::deleteWeek(store, 10367);  // gone by other means: no longer removed by the player
    }
    const auto back = check();
    ASSERT_EQ(back.imported.size(), 2u);
    EXPECT_EQ(back.imported[0].week, 10366);
    EXPECT_EQ(back.imported[1].week, 10367);
    ASSERT_EQ(back.skipped.size(), 1u);
    EXPECT_EQ(back.skipped[0].file, "raceout10365.txt");
    EXPECT_EQ(back.skipped[0].reason, import::kRemovedByPlayer);
    EXPECT_EQ(racesOfWeek(10365), 0);
}

// What "Import New Results Now" says when its check brought nothing new.
TEST(ResultsFolderStatus, NothingNewSaysWhatTheFolderHolds) {
    const auto skipped = [](int week, const char* reason) { return import::FolderFile{"f.txt", week, reason}; };
    const struct {
        import::FolderCheck check;
        std::string status;
    } cases[] = {
        {{}, "Nothing new in Downloads."},
        {{.skipped = {skipped(10364, import::kStoredAlready), skipped(10365, import::kStoredAlready)}},
         "Nothing new in Downloads: 2 results files stored already."},
        {{.skipped = {skipped(10364, import::kStoredAlready), skipped(10365, import::kRemovedByPlayer),
                      skipped(10366, import::kRemovedByPlayer)},
          .waiting = {{"new.txt"}}},
         "Nothing new in Downloads: 1 results file stored already; weeks 10365 and 10366 removed by you; 1 file "
         "still being written."},
    };
    for (const auto& c : cases) EXPECT_EQ(import::nothingNewStatus(c.check, "Downloads"), c.status);
}

// The window's checks over time: a file written in two halves, a failure named once, a
// folder that disappears.
TEST_F(ResultsFolder, ChecksWaitForAFileBeingWrittenAndNameAFailureOnce) {
    const std::string text = weekText(10366);
    writeBytes(downloads / "week.txt", text.substr(0, text.size() / 2));
    EXPECT_EQ(check().waiting.size(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the writer pauses
    EXPECT_EQ(check().waiting.size(), 1u);
    writeBytes(downloads / "week.txt", text);
    EXPECT_EQ(check().waiting.size(), 1u);
    settle(downloads / "week.txt");
    const auto done = check();
    ASSERT_EQ(done.imported.size(), 1u);
    EXPECT_EQ(done.imported[0].week, 10366);
    EXPECT_EQ(racesOfWeek(10366), 20);

    writeSettled(downloads / "damaged.txt", weekText(10367).substr(0, 3000));
    EXPECT_EQ(check().failed.size(), 1u);
    EXPECT_TRUE(check().failed.empty()) << "tried again only once it changes";
    writeSettled(downloads / "damaged.txt", weekText(10367).substr(0, 4000));
    EXPECT_EQ(check().failed.size(), 1u);

    fs::remove_all(downloads);
    EXPECT_THROW(check(), import::UnreadableFolder);
    const auto gone = runCli({"sync", "--db", db.string(), downloads.string()});
    EXPECT_EQ(gone.status, 1);
    EXPECT_NE(gone.err.find("cannot be read"), std::string::npos) << gone.err;
}

// Only a change within the settling time, before the clock or after it, waits: a file
// dated far ahead (a wrong clock) is imported at once.
TEST_F(ResultsFolder, OnlyARecentChangeWaits) {
    using namespace std::chrono_literals;
    const struct {
        std::string file;
        std::chrono::milliseconds age;
        bool waits;
    } cases[] = {
        {"past.txt", 5s, false}, {"just.txt", 500ms, true}, {"ahead.txt", -500ms, true}, {"future.txt", -1h, false}};
    const auto now = fs::file_time_type::clock::now();
    int week = 10360;
    for (const auto& c : cases) {
        writeBytes(downloads / c.file, weekText(week++));
        fs::last_write_time(downloads / c.file, now - c.age);
    }
    const import::FolderCheck result = check();
    for (const auto& c : cases) {
        const auto listed = [&](const std::vector<import::FolderFile>& files) {
            return std::any_of(files.begin(), files.end(), [&](const auto& f) { return f.file == c.file; });
        };
        EXPECT_EQ(listed(result.waiting), c.waits) << c.file;
        EXPECT_EQ(listed(result.imported), !c.waits) << c.file;
    }
}

// A results file that cannot be read is named with the reason (a sync ends with status 1)
// and read again at every check, so it is imported once it is mended; the window tells
// of it once.
TEST_F(ResultsFolder, UnreadableFileIsNamedAndReadAgainAtEveryCheck) {
    const fs::path week = downloads / "week.txt";
    writeSettled(week, weekText(10366));
    fs::permissions(week, fs::perms::none);
    if (::geteuid() == 0)  // the checks run as an ordinary user, for whom file modes count
        for (const fs::path& path : {folder.path(), downloads, db, week})
            ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    const int status = testing_support::runAsOrdinaryUser([&] {
        const auto sync = runCli({"sync", "--db", db.string(), downloads.string()});
        std::string report = "sync " + std::to_string(sync.status) + ": " + sync.out;
        report += "first: " + import::folderCheckStatus(check(), "Downloads") + "\n";
        report += "again: " + import::folderCheckStatus(check(), "Downloads") + "\n";
        fs::permissions(week, fs::perms::owner_read | fs::perms::owner_write);
        report += "mended: " + import::folderCheckStatus(check(), "Downloads") + "\n";
        writeBytes(folder / "report.txt", report);
        return 0;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(testing_support::readBytes(folder / "report.txt"),
              "sync 1: unreadable week.txt: The file cannot be read: Permission denied.\n"
              "first: Could not read week.txt; it is read again at every check.\r"
              "The file cannot be read: Permission denied.\n"
              "again: \n"
              "mended: Imported week 10366 from Downloads.\n");
    EXPECT_EQ(racesOfWeek(10366), 20);
}

// A corrected file of a stored week whose first race differs adds only the races the
// store lacks, from the command line as from the folder, and says how many it left out.
TEST_F(ResultsFolder, ACorrectedFileOfAStoredWeekStoresNoRaceTwice) {
    std::string corrected = weekText(10366);
    corrected.replace(corrected.find("10366.0501"), 10, "10366.0599");
    writeSettled(downloads / "corrected.txt", corrected);
    writeSettled(folder / "week.txt", weekText(10366));
    const struct {
        std::string command;
        std::string out;
    } cases[] = {
        {"import", "Left out 19 races of corrected.txt that are stored already.\n"},
        {"sync", "imported corrected.txt: week 10366, left out 19 races stored already\n"},
    };
    for (const auto& c : cases) {
        const std::string store = (folder / (c.command + ".mdb")).string();
        ASSERT_EQ(runCli({"makedb", store}).status, 0);
        ASSERT_EQ(runCli({"import", "--db", store, "--quiet", (folder / "week.txt").string()}).status, 0);
        const auto result = c.command == "import"
                                ? runCli({"import", "--db", store, "--quiet", (downloads / "corrected.txt").string()})
                                : runCli({"sync", "--db", store, downloads.string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(racesOfWeek(10366, store), 21) << c.command;
    }
}

// While another program's bulk load holds the search indexes dropped, neither a sync nor
// an import builds them again: the load builds them at its end.
TEST_F(ResultsFolder, ImportsBesideAnotherProgramsBulkLoadLeaveTheIndexesToIt) {
    writeSettled(downloads / "week.txt", weekText(10366));
    writeSettled(folder / "other.txt", weekText(10367));
    auto loader = store::openRaceStoreForWriting(db);
    store::BulkLoad bulkLoad(loader);
    const struct {
        std::vector<std::string> args;
        int week;
    } runs[] = {
        {{"sync", "--db", db.string(), downloads.string()}, 10366},
        {{"import", "--db", db.string(), "--quiet", (folder / "other.txt").string()}, 10367},
    };
    for (const auto& run : runs) {
        const auto result = runCli(run.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(racesOfWeek(run.week), 20);
        auto reader = store::Database::open(db, store::Access::ReadOnly);
        EXPECT_TRUE(store::searchIndexesMissing(reader)) << run.args[0];
    }
    bulkLoad.finish();
    EXPECT_FALSE(store::searchIndexesMissing(loader));
}

// A first sync of many weeks fills the empty store as an import of the same files does:
// in a bulk load, with the import's progress line for each file on standard error (a
// smaller sync writes none), the same rows and, at its end, every search index.
TEST_F(ResultsFolder, FirstSyncOfManyWeeksFillsTheStoreAsAnImportDoes) {
    constexpr int kFirstWeek = 10360;
    constexpr int kWeeks = 6;  // some 24,000 runs: enough for a bulk load
    ASSERT_EQ(testing_support::runProgram(HARROWDEX_GENERATOR_PATH,
                                          {"--out", downloads.string(), "--first-week", std::to_string(kFirstWeek),
                                           "--weeks", std::to_string(kWeeks), "--seed", "3"})
                  .status,
              0);
    const fs::path importStore = folder / "imported.mdb";
    ASSERT_EQ(runCli({"makedb", importStore.string()}).status, 0);
    std::vector<std::string> importArgs{"import", "--db", importStore.string()};
    for (int week = kFirstWeek; week < kFirstWeek + kWeeks; ++week) {
        const fs::path file = downloads / ("raceout" + std::to_string(week) + ".txt");
        settle(file);
        importArgs.push_back(file.string());
    }
    const auto imported = runCli(importArgs);
    ASSERT_EQ(imported.status, 0) << imported.err;

    const auto synced = runCli({"sync", "--db", db.string(), downloads.string()});
    ASSERT_EQ(synced.status, 0) << synced.err;
    EXPECT_EQ(std::ranges::count(synced.err, '\n'), kWeeks) << synced.err;
    EXPECT_EQ(synced.err, imported.err);
    auto store = store::Database::open(db, store::Access::ReadOnly);
    EXPECT_FALSE(store::searchIndexesMissing(store));
    store.prepare("ATTACH ?1 AS imported").bind(1, importStore.string()).step();
    for (const std::string table : {"tblraces", "tblhorsedata"}) {
        const std::string rows = "SELECT rowid, * FROM main." + table;
        const std::string importedRows = "SELECT rowid, * FROM imported." + table;
        auto differing = store.prepare("SELECT (SELECT COUNT(*) FROM (" + rows + " EXCEPT " + importedRows +
                                       ")) + (SELECT COUNT(*) FROM (" + importedRows + " EXCEPT " + rows +
                                       ")), (SELECT COUNT(*) FROM main." + table + ")");
        differing.step();
        EXPECT_EQ(differing.integer(0), 0) << table;
        EXPECT_GT(differing.integer(1), 0) << table;
    }
}

// Two programs syncing the same folder into the same store: every week once.
TEST_F(ResultsFolder, TwoSyncsAtOnceStoreEachWeekOnce) {
    constexpr int kWeeks = 8;
    for (int k = 0; k < kWeeks; ++k) writeSettled(downloads / ("w" + std::to_string(k) + ".txt"), weekText(10360 + k));
    auto first = std::async(std::launch::async, [&] {
        return runCli({"sync", "--db", db.string(), downloads.string(), "--format", "json"});
    });
    auto second = std::async(std::launch::async, [&] {
        return runCli({"sync", "--db", db.string(), downloads.string(), "--format", "json"});
    });
    std::map<std::string, int> imports;
    for (auto* run : {&first, &second}) {
        const auto result = run->get();
        ASSERT_EQ(result.status, 0) << result.err;
        const auto json = nlohmann::json::parse(result.out);
        for (const auto& file : json["imported"]) ++imports[file["file"].get<std::string>()];
        EXPECT_EQ(json["imported"].size() + json["skipped"].size(), static_cast<std::size_t>(kWeeks));
    }
    EXPECT_EQ(imports.size(), static_cast<std::size_t>(kWeeks));
    for (const auto& [file, count] : imports) EXPECT_EQ(count, 1) << file;
    for (int k = 0; k < kWeeks; ++k) EXPECT_EQ(racesOfWeek(10360 + k), 20);
}

// Another program's database moved into the store's place, with or without a log of its
// own beside it: the check refuses it with the race store check's message and writes
// nothing to it, not even the journal mode or its log's pages.
TEST_F(ResultsFolder, AnotherProgramsDatabaseInTheStoresPlaceIsLeftAsItIs) {
    writeSettled(downloads / "raceout310.txt", weekText(310));
    const auto foreign = folder / "foreign.db";
    for (const auto mode : {store::JournalMode::Delete, store::JournalMode::Wal}) {
        fs::remove(db);
        writeBytes(foreign, "");
        {
            auto other = store::Database::open(foreign, store::Access::ReadWrite, {.journalMode = mode});
            other.exec("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('kept')");
            // Copied while its program holds it open: the log still holds the notes.
            fs::copy_file(foreign, db);
            if (mode == store::JournalMode::Wal) fs::copy_file(foreign.string() + "-wal", db.string() + "-wal");
        }
        const auto before = testing_support::FileSnapshot::of(db);
        EXPECT_EQ(check().storeProblem, "The race store \"" + db.string() + "\" has no table tblraces.");
        EXPECT_EQ(testing_support::FileSnapshot::of(db), before);
        fs::remove(foreign);
        fs::remove(db.string() + "-wal");
        fs::remove(db.string() + "-shm");
    }
}

// The window's status text after a check.
TEST(ResultsFolderStatus, TellsTheWeeksImportedAndEachFailure) {
    const auto imported = [](std::vector<int> weeks) {
        import::FolderCheck check;
        for (int week : weeks) check.imported.push_back({"f", week, {}});
        return import::folderCheckStatus(check, "Downloads");
    };
    EXPECT_EQ(imported({}), "");
    EXPECT_EQ(imported({10366}), "Imported week 10366 from Downloads.");
    EXPECT_EQ(imported({10365, 10366}), "Imported weeks 10365 and 10366 from Downloads.");
    EXPECT_EQ(imported({10366, 10366}), "Imported week 10366 from Downloads.");
    EXPECT_EQ(imported({10300, 10301, 10302, 10303, 10305, 10307, 10308}),
              "Imported weeks 10300 to 10303, 10305, 10307 and 10308 from Downloads.");
    import::FolderCheck failed;
    failed.imported.push_back({"a.txt", 10366, {}});
    failed.failed.push_back({"bad.txt", 10367, "Line 4: file ends early."});
    EXPECT_EQ(import::folderCheckStatus(failed, "Downloads"),
              "Imported week 10366 from Downloads.\rImport of bad.txt was NOT completed.\rLine 4: file ends early.");
    import::FolderCheck leftOut;
    leftOut.imported.push_back({"a.txt", 10366, {}, 1});
    EXPECT_EQ(import::folderCheckStatus(leftOut, "Downloads"),
              "Imported week 10366 from Downloads.\rLeft out 1 race of a.txt that is stored already.");
}

}  // namespace
