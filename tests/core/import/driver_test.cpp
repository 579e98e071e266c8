// SPDX-License-Identifier: MIT
#include "import/import_driver.h"
#include "shell/main_finder.h"
#include "samples.h"
#include "scripted_dialogs.h"
#include "store/database.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>

namespace {

using testing_support::readBytes;
using testing_support::writeBytes;

using testing_support::kSamplesDir;
const std::string kReplaceQuestion =
    "This week has already been entered into the database.  Do you wish to over-write all old data from this week?";

class ImportDriver : public ::testing::Test {
protected:
    void SetUp() override {
        store::createRaceStore(folder / "horses.mdb");
        ASSERT_TRUE(window.Form_Load({folder.path().string(), ""}));
        dialogs.status = &window.lblprogress.caption;
    }

    static import::ChosenFile sample(const std::string& name) { return {kSamplesDir + "/" + name, name}; }
    import::ChosenFile file(const std::string& name, const std::string& bytes) {
        writeBytes(folder / name, bytes);
        return {(folder / name).string(), name};
    }
    import::ImportResult importFiles(const std::vector<import::ChosenFile>& files) {
        return import::importFiles(window, window.raceStorePath(), files);
    }

    std::int64_t count(const std::string& sql) {
        auto db = store::Database::open(folder / "horses.mdb");
        auto statement = db.prepare(sql);
        statement.step();
        return statement.integer(0);
    }
    std::int64_t races(int week) {
        return count("SELECT count(*) FROM tblraces WHERE racenum > " + std::to_string(week) + " AND racenum < " +
                     std::to_string(week + 1));
    }
    std::int64_t runners(int week) {
        return count("SELECT count(*) FROM tblhorsedata WHERE racenum > " + std::to_string(week) +
                     " AND racenum < " + std::to_string(week + 1));
    }

    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window{dialogs};
};

TEST_F(ImportDriver, SampleWeeksImportWhole) {
    EXPECT_EQ(importFiles({sample("raceout310.txt"), sample("raceout311.txt"), sample("raceout312.txt")}),
              import::ImportResult::Done);
    EXPECT_EQ(races(310), 20);
    EXPECT_EQ(runners(310), 117);
    EXPECT_EQ(runners(311), 129);
    EXPECT_EQ(runners(312), 122);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.lblprogress.caption, "");
    EXPECT_EQ(dialogs.busyDepth, 0);
    // The status shows the work, then each race after the first by its number.
    ASSERT_GE(dialogs.statusTexts.size(), 2u);
    EXPECT_EQ(dialogs.statusTexts[0], "Import in Progress...");
    EXPECT_EQ(dialogs.statusTexts[1], "310.0502");
    // Several files report their progress file by file.
    ASSERT_FALSE(dialogs.progress.empty());
    EXPECT_EQ(dialogs.progress.back().step, 2);
    EXPECT_EQ(dialogs.progress.back().steps, 3);
    EXPECT_EQ(dialogs.progress.back().text, "Importing raceout312.txt (file 3 of 3): 20 races stored");
}

TEST_F(ImportDriver, ReplacingAWeekAsksAndDeletesTheOldWeekFirst) {
    ASSERT_EQ(importFiles({sample("raceout311.txt")}), import::ImportResult::Done);
    dialogs.answers = {true};
    EXPECT_EQ(importFiles({sample("raceout311.txt")}), import::ImportResult::Done);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kReplaceQuestion});
    EXPECT_EQ(races(311), 20);
    EXPECT_EQ(runners(311), 129);
    EXPECT_NE(std::find(dialogs.statusTexts.begin(), dialogs.statusTexts.end(), "Deleting old records.\rPlease wait."),
              dialogs.statusTexts.end());
}

TEST_F(ImportDriver, DecliningEndsTheWholeImportWithTheCancellationMessage) {
    ASSERT_EQ(importFiles({sample("raceout311.txt")}), import::ImportResult::Done);
    dialogs.answers = {false};
    EXPECT_EQ(importFiles({sample("raceout310.txt"), sample("raceout311.txt"), sample("raceout312.txt")}),
              import::ImportResult::Cancelled);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Database import cancelled at user request."});
    EXPECT_EQ(races(310), 20);  // before the question: kept
    EXPECT_EQ(races(311), 20);  // untouched
    EXPECT_EQ(races(312), 0);   // after it: never read
    EXPECT_EQ(window.lblprogress.caption, "");
}

// A week may come in two files; a file of a week stored in part adds, without a question,
// only the races whose numbers the store lacks, and says how many it left out.
TEST_F(ImportDriver, PartlyImportedWeekGetsOnlyTheRacesItLacks) {
    ASSERT_EQ(importFiles({sample("raceout311.txt")}), import::ImportResult::Done);
    std::string bytes = readBytes(kSamplesDir + "/raceout311.txt");
    bytes.replace(bytes.find("311.0501"), 8, "311.0599");
    EXPECT_EQ(importFiles({file("raceout311b.txt", bytes)}), import::ImportResult::Done);
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(races(311), 21);
    EXPECT_EQ(runners(311), 129 + 6);  // the first race's six runners once more, as race 311.0599
    EXPECT_EQ(window.lblprogress.caption, "Left out 19 races of raceout311b.txt that are stored already.");
}

TEST_F(ImportDriver, AFailingFileIsRolledBackWholeAndEndsTheImport) {
    std::string broken = readBytes(kSamplesDir + "/raceout311.txt");
    broken.resize(broken.size() / 2);  // ends in the middle of a race
    EXPECT_EQ(importFiles({sample("raceout310.txt"), file("raceout311.txt", broken), sample("raceout312.txt")}),
              import::ImportResult::Failed);
    EXPECT_EQ(window.lblprogress.caption.rfind("Import of raceout311.txt was NOT completed.\rImport terminated.\r", 0),
              0u);
    EXPECT_EQ(races(310), 20);
    EXPECT_EQ(races(311), 0);
    EXPECT_EQ(runners(311), 0);
    EXPECT_EQ(races(312), 0);
    EXPECT_EQ(dialogs.busyDepth, 0);
}

TEST_F(ImportDriver, AFailureAfterReplacingAWeekKeepsTheOldWeek) {
    ASSERT_EQ(importFiles({sample("raceout311.txt")}), import::ImportResult::Done);
    std::string broken = readBytes(kSamplesDir + "/raceout311.txt");
    broken.resize(broken.size() - 40);
    dialogs.answers = {true};
    EXPECT_EQ(importFiles({file("raceout311.txt", broken)}), import::ImportResult::Failed);
    EXPECT_EQ(races(311), 20);
    EXPECT_EQ(runners(311), 129);
}

TEST_F(ImportDriver, FailureNamesTheFileAndWhyOnALineOfItsOwn) {
    const std::string pdfOnly = (folder / "pdf.zip").string();
    int error = 0;
    zip_t* archive = zip_open(pdfOnly.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(archive, "a.pdf", zip_source_buffer(archive, "x", 1, 0), 0);
    zip_file_add(archive, "b.doc", zip_source_buffer(archive, "y", 1, 0), 0);
    zip_close(archive);
    const std::string breedingOnly = (folder / "breeding.zip").string();
    const std::string breeding = readBytes(kSamplesDir + "/breeding.txt");
    archive = zip_open(breedingOnly.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(archive, "breeding.txt", zip_source_buffer(archive, breeding.data(), breeding.size(), 0), 0);
    zip_close(archive);
    const std::string badPurse = readBytes(std::string(HARROWDEX_TEST_DATA_DIR) + "/import/fails-bad-purse/input.txt");
    const struct {
        import::ChosenFile file;
        std::string reason;
    } cases[] = {
        {{(folder / "gone.txt").string(), "gone.txt"}, "The file cannot be opened: No such file or directory."},
        {{pdfOnly, "pdf.zip"}, "The archive holds no results file (it holds a.pdf and b.doc)."},
        {{breedingOnly, "breeding.zip"}, "The archive holds no results file (it holds breeding.txt)."},
        {file("purse.txt", badPurse), "Line 9: race 312.0502: the purse is not an amount of money."},
        {file("picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
         "Line 3: the race number is not a number."},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(importFiles({each.file}), import::ImportResult::Failed);
        EXPECT_EQ(window.lblprogress.caption,
                  "Import of " + each.file.name + " was NOT completed.\rImport terminated.\r" + each.reason);
    }
    EXPECT_EQ(count("SELECT count(*) FROM tblraces"), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ImportDriver, ZipArchiveIsReadFromItsResultsText) {
    const auto archivePath = (folder / "raceout310.zip").string();
    const std::string text = readBytes(kSamplesDir + "/raceout310.txt");
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_file_add(archive, "raceout310.txt", zip_source_buffer(archive, text.data(), text.size(), 0), 0);
    zip_close(archive);
    EXPECT_EQ(importFiles({{archivePath, "raceout310.zip"}}), import::ImportResult::Done);
    EXPECT_EQ(runners(310), 117);
}

TEST_F(ImportDriver, StoreThatCannotBeOpenedIsReported) {
    std::filesystem::remove(folder / "horses.mdb");
    EXPECT_EQ(importFiles({sample("raceout310.txt")}), import::ImportResult::Failed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("horses.mdb"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "horses.mdb"));
}

TEST_F(ImportDriver, MenuCommandUsesTheDialogsAnswerInItsOrder) {
    using namespace std::string_literals;
    dialogs.fileAnswers = {kSamplesDir + "\0raceout312.txt\0raceout310.txt"s};
    EXPECT_EQ(import::cmdimportdata_Click(window), import::ImportResult::Done);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].title, "Open");
    EXPECT_EQ(dialogs.fileDialogs[0].filter, "All Files (*.*)|*.*|Raceout.zip Files (*.zip)|*.zip");
    EXPECT_EQ(dialogs.fileDialogs[0].filterIndex, 2);
    EXPECT_TRUE(dialogs.fileDialogs[0].multiSelect);
    EXPECT_EQ(dialogs.progress.front().text, "Importing raceout312.txt (file 1 of 2): 0 races stored");
    EXPECT_EQ(races(310), 20);
    EXPECT_EQ(races(312), 20);
}

TEST_F(ImportDriver, CancelledDialogChangesNothing) {
    window.lblprogress.caption = "earlier text";
    dialogs.fileAnswers = {std::nullopt};
    EXPECT_EQ(import::cmdimportdata_Click(window), import::ImportResult::Cancelled);
    EXPECT_EQ(window.lblprogress.caption, "earlier text");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.busyDepth, 0);
}

}  // namespace
