// SPDX-License-Identifier: MIT
#include "import/qt/results_folder_watch.h"
#include "import/results_folder_setting.h"
#include "shown_main_window.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The sample week's races as week `week`, written a while ago.
void writeWeek(const fs::path& file, int week) {
    std::string text = testing_support::readBytes(testing_support::kSamplesDir + "/raceout310.txt");
    const std::string from = "\n310.", to = "\n" + std::to_string(week) + ".";
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    testing_support::writeBytes(file, text);
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::seconds(5));
}

class ResultsFolderWindow : public testing_support::EmptyStoreWindow {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startUp());
        fs::create_directory(downloads);
        writeWeek(downloads / "raceout.txt", 10365);
        ASSERT_FALSE(import::rememberResultsFolder(folder.path().string() + "/", downloads.string()));
        showWindow();
        watch = window->findChild<import::ResultsFolderWatch*>("resultsFolderWatch");
        ASSERT_TRUE(watch);
    }
    QString status() const { return window->findChild<QLabel*>("lblprogress")->text(); }

    fs::path downloads = folder / "Downloads";
    import::ResultsFolderWatch* watch = nullptr;
};

// The remembered folder is checked at start-up, a file copied in is imported by the watch,
// and "Import New Results Now" checks at once; no dialog opens.
TEST_F(ResultsFolderWindow, KeepsTheRememberedFolderInStep) {
    QSignalSpy checked(watch, &import::ResultsFolderWatch::checked);
    ASSERT_TRUE(checked.wait(10'000));
    EXPECT_EQ(status(), "Imported week 10365 from Downloads.");
    EXPECT_EQ(watch->folder(), downloads.string());

    writeWeek(downloads / "b.txt", 10367);
    writeWeek(downloads / "a.txt", 10366);
    ASSERT_TRUE(checked.wait(30'000));  // the watch, or the periodic check
    while (status() == "Imported week 10365 from Downloads.") ASSERT_TRUE(checked.wait(30'000));
    EXPECT_EQ(status(), "Imported weeks 10366 and 10367 from Downloads.");

    testing_support::writeBytes(downloads / "bad.txt",
                                "\"header\"\r\n*00001\r\n10368.0501,\"x\",\"Dirt\",\"Fast\",5,1,\"1:01\"\r\n");
    fs::last_write_time(downloads / "bad.txt", fs::file_time_type::clock::now() - std::chrono::seconds(5));
    auto* now = window->findChild<QAction*>("cmdimportnewresults");
    ASSERT_TRUE(now->isEnabled());
    now->trigger();
    while (!status().startsWith("Import of bad.txt")) ASSERT_TRUE(checked.wait(30'000));
    EXPECT_TRUE(status().startsWith("Import of bad.txt was NOT completed.\nLine ")) << status().toStdString();
    EXPECT_TRUE(status().endsWith(": file ends early.")) << status().toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
}

// "Import New Results Now" says when nothing is new; a folder gone says it is looked for
// again and how to choose another.
TEST_F(ResultsFolderWindow, SaysWhenNothingIsNewAndWhenTheFolderIsGone) {
    QSignalSpy checked(watch, &import::ResultsFolderWatch::checked);
    ASSERT_TRUE(checked.wait(10'000));
    ASSERT_EQ(status(), "Imported week 10365 from Downloads.");
    auto* now = window->findChild<QAction*>("cmdimportnewresults");
    now->trigger();
    ASSERT_TRUE(checked.wait(10'000));
    EXPECT_EQ(status(), "Nothing new in Downloads: 1 results file stored already.");
    fs::remove_all(downloads);
    now->trigger();
    ASSERT_TRUE(checked.wait(10'000));
    EXPECT_TRUE(status().startsWith("The results folder " + QString::fromStdString(downloads.string())))
        << status().toStdString();
    EXPECT_TRUE(
        status().endsWith("\nIt is looked for every 15 seconds and kept in step again once it is back; "
                          "\"File / Results Folder...\" chooses another."))
        << status().toStdString();
}

}  // namespace
