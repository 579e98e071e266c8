// SPDX-License-Identifier: MIT
#include "ordinary_user.h"
#include "program_runner.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Without --db, harrowdex-cli works on the store the window would open: beside a copy of
// the program in a folder its user can write, in the user's data folder for an installed one,
// and beside a copy in a folder its user cannot write (a read-only share) once one is there.
TEST(CliDefaultStore, WithoutDbTheWindowsStore) {
    struct Case {
        const char* programFolder;
        fs::perms mode;
        const char* store;
    };
    const auto readOnly = fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write & ~fs::perms::owner_write;
    const Case cases[] = {{"unpacked", fs::perms::all, "unpacked/horses.mdb"},
                          {"installed", readOnly, "data/harrowdex/horses.mdb"},
                          {"share", readOnly, "share/horses.mdb"}};
    for (const auto& c : cases) {
        testing_support::TestFolder folder;
        fs::permissions(folder.path(), fs::perms::all);
        fs::create_directories(folder / "data/harrowdex");
        for (const auto* made : {"data", "data/harrowdex"}) fs::permissions(folder / made, fs::perms::all);
        fs::create_directory(folder / c.programFolder);
        const auto program = folder / c.programFolder / "harrowdex-cli";
        fs::copy_file(HARROWDEX_CLI_PATH, program);
        fs::permissions(folder / c.programFolder, c.mode);
        const std::string data = (folder / "data").string();
        const auto run = [&](const char* command) {
            return testing_support::runAsOrdinaryUser([&] {
                ::setenv("XDG_DATA_HOME", data.c_str(), 1);
                return testing_support::runProgram(program.string(), {command}).status;
            });
        };
        EXPECT_EQ(run("tracks"), 1) << c.programFolder << ": no store yet";
        store::createRaceStore(folder / c.store);
        fs::permissions(folder / c.store, fs::perms::all);
        EXPECT_EQ(run("tracks"), 0) << c.programFolder;
    }
}

// An empty path names no store: a usage error that says so, whichever command takes it.
TEST(CliDefaultStore, EmptyStorePathIsAUsageError) {
    const std::vector<std::vector<std::string>> commands = {
        {"tracks", "--db", ""}, {"sync", "--db", "", "."}, {"makedb", ""}};
    for (const auto& command : commands) {
        const auto result = testing_support::runCli(command);
        EXPECT_EQ(result.status, 2) << command[0];
        EXPECT_NE(result.err.find("an empty path names no race store"), std::string::npos) << result.err;
    }
}

// --help tells where the store and the player's guide are kept.
TEST(CliDefaultStore, HelpNamesWhereTheStoreAndTheGuideAre) {
    const auto result = testing_support::runCli({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* place : {"~/.local/share/harrowdex", "/usr/share/harrowdex/guide/", "guide/ beside the"})
        EXPECT_NE(result.out.find(place), std::string::npos) << place << " in " << result.out;
}

}  // namespace
