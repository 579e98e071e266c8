// SPDX-License-Identifier: MIT
// A file name holding a line break is shown on one line: in the output of sync and import
// and in the results folder's status text.
#include "base/one_line.h"
#include "import/results_folder_setting.h"
#include "program_runner.h"
#include "samples.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testing_support::runCli;

TEST(OneLineNames, ControlCharactersAreEscapedAndTheRestKept) {
    EXPECT_EQ(base::oneLine("raceout 310.txt"), "raceout 310.txt");
    EXPECT_EQ(base::oneLine("w\n1\r2\t3\x1b[K\x7f"), "w\\n1\\r2\\t3\\x1b[K\\x7f");
    EXPECT_EQ(base::oneLine("Fran\xc3\xa7ois.txt"), "Fran\xc3\xa7ois.txt");  // UTF-8 is no control character
}

TEST(OneLineNames, SyncImportAndStatusTextShowEachNameOnOneLine) {
    testing_support::TestFolder folder;
    const auto db = folder / "horses.mdb";
    store::createRaceStore(db);
    const auto week = testing_support::readBytes(testing_support::kSamplesDir + "/raceout310.txt");
    fs::create_directory(folder / "Downloads");
    const auto linefeed = folder / "Downloads" / "week\n310.txt";
    testing_support::writeBytes(linefeed, week);
    fs::last_write_time(linefeed, fs::file_time_type::clock::now() - std::chrono::seconds(5));

    const auto sync = runCli({"sync", "--db", db.string(), (folder / "Downloads").string()});
    EXPECT_EQ(sync.status, 0) << sync.err;
    EXPECT_EQ(sync.out, "imported week\\n310.txt: week 310\n");

    // A line per file stored, then the failure; neither broken by the name.
    const auto damaged = folder / "bad\r311.txt";
    testing_support::writeBytes(damaged, week.substr(0, week.size() / 2));
    const auto import = runCli({"import", "--db", db.string(), "--yes", linefeed.string(), damaged.string()});
    EXPECT_EQ(import.status, 1);
    EXPECT_NE(import.err.find("Importing week\\n310.txt (file 1 of 2)"), std::string::npos) << import.err;
    EXPECT_NE(import.err.find("\nImport of bad\\r311.txt was NOT completed."), std::string::npos) << import.err;
    EXPECT_EQ(import.err.find("\n310.txt"), std::string::npos) << import.err;

    import::FolderCheck check;
    check.imported.push_back({"week\n310.txt", 310, {}});
    check.failed.push_back({"bad\n.txt", 311, "Line 4: file ends early."});
    EXPECT_EQ(
        import::folderCheckStatus(check, "Down\nloads"),
        "Imported week 310 from Down\\nloads.\rImport of bad\\n.txt was NOT completed.\rLine 4: file ends early.");
}

}  // namespace
