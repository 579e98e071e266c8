// SPDX-License-Identifier: MIT
// A store that this program cannot write, as on a read-only medium: the window starts and
// says so, the searches, the finder and compare read it, and every change is refused with
// the reason. Nothing is written to it or beside it.
#include "import/import_driver.h"
#include "import/results_folder.h"
#include "import/results_folder_setting.h"
#include "ordinary_user.h"
#include "sample_store.h"
#include "search/gethorse.h"
#include "search/horse_comparison.h"
#include "search/horse_finder_panel.h"
#include "shell/compact_database.h"
#include "shell/read_only_note.h"
#include "watch/watch_commands.h"
#include "shell/main_finder.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>

namespace {

class ReadOnlyStore : public testing_support::SampleStore {};

TEST_F(ReadOnlyStore, IsSearchedButNeverChanged) {
    const auto store = folder / "horses.mdb";
    namespace fs = std::filesystem;
    // A week not stored yet, downloaded a while ago into a results folder.
    std::string week = testing_support::readBytes(testing_support::kSamplesDir + "/raceout312.txt");
    for (auto at = week.find("\n312."); at != std::string::npos; at = week.find("\n312.", at))
        week.replace(at, 5, "\n313.");
    const auto downloaded = folder / "Downloads/raceout313.txt";
    fs::create_directory(folder / "Downloads");
    testing_support::writeBytes(downloaded, week);
    fs::last_write_time(downloaded, fs::file_time_type::clock::now() - std::chrono::seconds(5));
    fs::permissions(store, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const auto before = testing_support::FileSnapshot::of(store);
    const auto entries = folder.entries();
    // Each step answers a number of its own when it fails, so the status tells which.
    const int failedStep = testing_support::runAsOrdinaryUser([&] {
        testing_support::ScriptedDialogs seen;
        shell::MainFinder user(seen);
        if (!user.Form_Load({folder.path().string(), ""})) return 1;
        if (user.lblprogress.caption.find("The race store is open read-only: its folder") != 0) return 2;
        // The results folder's check, which cannot import, keeps the note in the status text.
        import::FolderMemory memory;
        const auto check = import::checkResultsFolder(folder / "Downloads", user.raceStorePath(), memory);
        const auto status = shell::withReadOnlyNote(user, import::folderCheckStatus(check, "Downloads"));
        if (check.storeProblem.empty() ||
            status.find("\rThe race store is open read-only: its folder") == std::string::npos)
            return 10;
        user.setClock(clock);
        if (!search::gethorse(user, search::kHorseByName, "black dasher", "") || user.MSFlexGrid1.rows() < 2) return 3;
        search::HorseFinderPanel finder(user);
        if (!finder.cmdfind_Click() || finder.grid.rows() < 3) return 4;
        if (!search::compareHorses(user, {std::stoll(finder.grid.text(1, 1)), std::stoll(finder.grid.text(2, 1))}))
            return 5;
        const std::vector<import::ChosenFile> week{
            {testing_support::kSamplesDir + "/raceout312.txt", "raceout312.txt"}};
        if (import::importFiles(user, user.raceStorePath(), week) != import::ImportResult::Failed) return 6;
        if (watch::watchHorse(user, std::stoll(finder.grid.text(1, 1)), std::nullopt)) return 7;
        if (shell::cmdcompact_Click(user)) return 8;
        // Each change names the reason (the grid settings, which cannot be saved in the
        // folder either, say so once besides).
        const auto refusals = std::ranges::count_if(seen.messages, [](const std::string& message) {
            return message.find("horses.mdb\" is read-only: its folder") != std::string::npos;
        });
        if (refusals != 3) return 9;
        return 0;
    });
    fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(failedStep, 0);
    EXPECT_EQ(testing_support::FileSnapshot::of(store), before);
    EXPECT_EQ(folder.entries(), entries);
}

}  // namespace
