// SPDX-License-Identifier: MIT
// An import into a store that cannot take it: the disk fills up, another program holds the
// store, the file is read-only or no longer a database. Each time the user reads why, the
// week being imported is rolled back and every week stored before is still there.
#include "import/import_driver.h"
#include "shell/main_finder.h"
#include "samples.h"
#include "shell/grid_settings.h"
#include "store/database.h"
#include "store/schema.h"

#include "full_disk.h"
#include "ordinary_user.h"
#include "scripted_dialogs.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

namespace {

using ::testing::HasSubstr;
using testing_support::readBytes;
using testing_support::runAsOrdinaryUser;
using testing_support::writeBytes;

using testing_support::kSamplesDir;
const std::string kFailedLabel = "Import of raceout311.txt was NOT completed.\rImport terminated.";

// Every write past `bytes` into any file of this process fails, as on a full disk, until
// the limit is destroyed. Works without privileges or a special file system.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the process
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class ImportIntoAFaultyStore : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(storePath);
        ASSERT_TRUE(window.Form_Load({folder.path().string(), ""}));
        ASSERT_EQ(importWeek("raceout310.txt"), import::ImportResult::Done);
        std::filesystem::copy_file(kSamplesDir + "/raceout311.txt", folder / "raceout311.txt");
    }

    import::ImportResult importWeek(const std::string& name) {
        const auto path = name == "raceout311.txt" ? folder / name : std::filesystem::path(kSamplesDir) / name;
    return import::importFiles(window, window.raceStorePath(), {{path.string(), name}});
} std::int64_t runs(int week) {
    auto db = store::Database::open(storePath, store::Access::ReadOnly);
    auto statement = db.prepare("SELECT count(*) FROM tblhorsedata WHERE racenum > ? AND racenum < ?");
    statement.bind(1, week);
    statement.bind(2, week + 1);
    statement.step();
    return statement.integer(0);
}
// Week 311 was refused with one message saying why; week 310 is whole.
template <typename Why>
void expectWeek311Refused(const Why& why) {
    EXPECT_EQ(window.lblprogress.caption, kFailedLabel);
    EXPECT_THAT(dialogs.messages, ::testing::ElementsAre(::testing::AllOf(HasSubstr("horses.mdb"), why)));
    EXPECT_EQ(dialogs.busyDepth, 0);
    EXPECT_EQ(runs(310), 117);
    EXPECT_EQ(runs(311), 0);
}

testing_support::TestFolder folder;
std::filesystem::path storePath = folder / "horses.mdb";
testing_support::ScriptedDialogs dialogs;
shell::MainFinder window{dialogs};
};  // namespace

TEST_F(ImportIntoAFaultyStore, DiskFullPartWayRollsTheWeekBackAndKeepsTheWeekItWasToReplace) {
    constexpr rlim_t kRoomLeft = 32 * 1024 + 5000;  // the write-ahead log's index, not a week's pages
    {
        const FileSizeLimit fullDisk(kRoomLeft);
        EXPECT_EQ(importWeek("raceout311.txt"), import::ImportResult::Failed);
    }
    // A disk without space says "full"; the size limit's "file too large" reaches the store
    // as a failed write. Either way the message names the store, not the results file.
    expectWeek311Refused(::testing::AnyOf(HasSubstr("is full."), HasSubstr("Could not write to the race store")));

    dialogs.answers = {true};  // replace week 310
    {
        const FileSizeLimit fullDisk(kRoomLeft);
        EXPECT_EQ(importWeek("raceout310.txt"), import::ImportResult::Failed);
    }
    EXPECT_EQ(runs(310), 117);
    EXPECT_EQ(importWeek("raceout311.txt"), import::ImportResult::Done);
    EXPECT_EQ(runs(311), 129);
}

// The disk fills after the first of three files: the message says which files are stored
// and which not, and how to go on.
TEST_F(ImportIntoAFaultyStore, DiskFullPartWayNamesTheFilesStoredAndNot) {
    const std::vector<import::ChosenFile> files{{kSamplesDir + "/raceout312.txt", "raceout312.txt"},
                                                {kSamplesDir + "/raceout311.txt", "raceout311.txt"},
                                                {(folder / "raceout311.txt").string(), "copy311.txt"}};
    // How much the engine writes for the first file and for the first two, on a copy.
    const auto copy = folder / "copy.mdb";
    std::filesystem::copy_file(storePath, copy);
    std::vector<std::int64_t> written;
    {
        // A reader kept open keeps the log from being moved into the store between the
        // files, here and below, so the same writes happen in the same order.
        auto reader = store::Database::open(copy, store::Access::ReadOnly);
        for (std::size_t i = 0; i < 2; ++i) {
            const testing_support::FullDisk counting(std::int64_t{1} << 40);
            ASSERT_EQ(import::importFiles(window, copy.string(), {files[i]}), import::ImportResult::Done);
            written.push_back((std::int64_t{1} << 40) - counting.room());
        }
    }
    dialogs.messages.clear();
    auto reader = store::Database::open(storePath, store::Access::ReadOnly);
    {
        const testing_support::FullDisk fullDisk(written[0] + written[1] / 2);
        EXPECT_EQ(import::importFiles(window, storePath.string(), files), import::ImportResult::Failed);
    }
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("horses.mdb\" is full"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("raceout312.txt was stored. raceout311.txt and the 1 file after it "
                                               "were not stored.\rMake room on that disk"));
    EXPECT_EQ(runs(311), 0);
    EXPECT_GT(runs(312), 0);
}

TEST_F(ImportIntoAFaultyStore, StoreHeldByAnotherProgramIsNamedAsInUse) {
    auto other = store::Database::open(storePath);
    other.exec("BEGIN EXCLUSIVE");
    EXPECT_EQ(importWeek("raceout311.txt"), import::ImportResult::Failed);
    other.exec("ROLLBACK");
    expectWeek311Refused(HasSubstr("is in use by another program. Close that program and try again."));
}

TEST_F(ImportIntoAFaultyStore, ReadOnlyStoreFileIsNamedAsReadOnly) {
    // The ordinary user may write the folder and read the store, but not write the store.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown((folder / "raceout311.txt").c_str(), 65534, 65534), 0);
    }
    std::filesystem::permissions(storePath, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                std::filesystem::perms::others_read);
    const auto before = testing_support::FileSnapshot::of(storePath);
    const int status = runAsOrdinaryUser([&] {
        const bool failed = importWeek("raceout311.txt") == import::ImportResult::Failed;
        std::string report = window.lblprogress.caption;
        for (const auto& message : dialogs.messages) report += "\n" + message;
        writeBytes(folder / "report.txt", report);
        return failed ? 0 : 1;
    });
    ASSERT_EQ(status, 0);
    const std::string report = readBytes(folder / "report.txt");
    // Refused before the first file, with the reason.
    EXPECT_THAT(report, HasSubstr("horses.mdb\" is read-only: the file cannot be written."));
    EXPECT_EQ(testing_support::FileSnapshot::of(storePath), before);
    EXPECT_EQ(runs(310), 117);
    EXPECT_EQ(runs(311), 0);
}

TEST_F(ImportIntoAFaultyStore, StoreReplacedByAnotherFileIsNamedAndLeftAlone) {
    const std::string text = "\"312.0501\",\"D\",\"Black Dasher\"\r\n";
    std::filesystem::remove(storePath);
    writeBytes(storePath, text);
    EXPECT_EQ(importWeek("raceout311.txt"), import::ImportResult::Failed);
    EXPECT_THAT(dialogs.messages, ::testing::ElementsAre(HasSubstr("horses.mdb\" is not a database file.")));
    EXPECT_EQ(readBytes(storePath), text);
    EXPECT_EQ(dialogs.busyDepth, 0);
}

TEST(FullDisk, SettingsFileThatCannotBeWrittenWholeKeepsTheOldOne) {
    testing_support::TestFolder folder;
    const auto path = folder / "HarrowdexSettings.ini";
    shell::GridSettings settings;
    settings.widths.fill(1450);
    ASSERT_EQ(shell::writeSettingsFile(path, settings), std::nullopt);
    const std::string saved = readBytes(path);
    settings.widths.fill(32767);
    {
        const FileSizeLimit fullDisk(20);
        EXPECT_THAT(shell::writeSettingsFile(path, settings), ::testing::Optional(HasSubstr("Cannot write")));
    }
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"HarrowdexSettings.ini"});
}

}  // namespace
