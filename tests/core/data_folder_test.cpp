// SPDX-License-Identifier: MIT
#include "base/data_folder.h"
#include "ordinary_user.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Which folder keeps the store and the program's files, for which program folder.
TEST(DataFolder, WritableProgramFolderKeepsEverythingElseTheUsersOwn) {
    struct Case {
        bool writable;
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {true, "/data", "/home/rider", "/opt/harrowdex/"},
        {false, "/data", "/home/rider", "/data/harrowdex/"},
        {false, "/data/", "/home/rider", "/data/harrowdex/"},
        {false, nullptr, "/home/rider", "/home/rider/.local/share/harrowdex/"},
        {false, "", "/home/rider/", "/home/rider/.local/share/harrowdex/"},
        {false, "relative/data", "/home/rider", "/home/rider/.local/share/harrowdex/"},
    };
    for (const auto& c : cases) {
        const auto folder = base::chooseDataFolder("/opt/harrowdex", c.writable, c.xdgDataHome, c.home);
        EXPECT_EQ(folder.path, c.expected) << c.writable << " " << (c.xdgDataHome ? c.xdgDataHome : "unset");
        EXPECT_EQ(folder.perUser, !c.writable);
    }
}

// The program's folder counts as the user may write it: as an ordinary user, a folder of
// mode 0555 (an installed program's) is not, the system's program folder not even for root.
TEST(DataFolder, ProgramFolderThatTheUserCannotWriteUsesTheDataFolder) {
    testing_support::TestFolder folder;
    namespace fs = std::filesystem;
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    fs::create_directory(folder / "installed");
    fs::create_directory(folder / "unpacked");
    fs::permissions(folder / "installed", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder / "unpacked", fs::perms::all);
    const int status = testing_support::runAsOrdinaryUser([&] {
        ::setenv("XDG_DATA_HOME", "/srv/data", 1);
        if (base::dataFolderFor((folder / "installed").string()).path != "/srv/data/harrowdex/") return 1;
        const auto unpacked = base::dataFolderFor((folder / "unpacked").string());
        if (unpacked.perUser || unpacked.path != (folder / "unpacked/").string()) return 2;
        return base::dataFolderFor("/usr/bin").perUser ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(base::dataFolderFor("/usr/bin").perUser);
}

}  // namespace
