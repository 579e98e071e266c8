// SPDX-License-Identifier: MIT
#include "base/data_folder.h"
#include "ordinary_user.h"
#include "test_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Which folder keeps the store and which the program's files, for which program folder.
TEST(DataFolder, WritableProgramFolderKeepsEverythingElseTheUsersOwn) {
    const std::string account = ::getpwuid(::getuid())->pw_dir;
    const std::string accounts = account + (account.ends_with('/') ? "" : "/") + ".local/share/harrowdex/";
    struct Case {
        base::ProgramFolderState state;
        const char* xdgDataHome;
        const char* home;
        std::string files;
        std::string store;
    };
    const Case cases[] = {
        {{true, false}, "/data", "/home/rider", "/opt/harrowdex/", "/opt/harrowdex/"},
        {{true, true}, "/data", "/home/rider", "/opt/harrowdex/", "/opt/harrowdex/"},
        {{false, false}, "/data", "/home/rider", "/data/harrowdex/", "/data/harrowdex/"},
        {{false, false}, "/data/", "/home/rider", "/data/harrowdex/", "/data/harrowdex/"},
        {{false, false},
         nullptr,
         "/home/rider",
         "/home/rider/.local/share/harrowdex/",
         "/home/rider/.local/share/harrowdex/"},
        {{false, false},
         "",
         "/home/rider/",
         "/home/rider/.local/share/harrowdex/",
         "/home/rider/.local/share/harrowdex/"},
        {{false, false},
         "relative/data",
         "/home/rider",
         "/home/rider/.local/share/harrowdex/",
         "/home/rider/.local/share/harrowdex/"},
        {{false, false}, nullptr, "relative/home", accounts, accounts},
        {{false, false}, nullptr, nullptr, accounts, accounts},
        // An unpacked copy on a read-only share: its store, the user's folder for its files.
        {{false, true}, "/data", "/home/rider", "/data/harrowdex/", "/opt/harrowdex/"},
    };
    for (const auto& c : cases) {
        const auto folder = base::chooseDataFolder("/opt/harrowdex", c.state, c.xdgDataHome, c.home);
        const std::string named = std::to_string(c.state.writable) + std::to_string(c.state.holdsStore) + " " +
                                  (c.xdgDataHome ? c.xdgDataHome : "unset") + " " + (c.home ? c.home : "unset");
        EXPECT_EQ(folder.path, c.files) << named;
        EXPECT_EQ(folder.storeFolder, c.store) << named;
        EXPECT_EQ(folder.perUser, !c.state.writable) << named;
        EXPECT_EQ(folder.perUserStore(), !c.state.writable && !c.state.holdsStore) << named;
    }
}

// The program's folder counts as the user may write it: as an ordinary user, a folder of
// mode 0555 (an installed program's) is not, the system's program folder not even for root.
TEST(DataFolder, ProgramFolderThatTheUserCannotWriteUsesTheDataFolder) {
    testing_support::TestFolder folder;
    namespace fs = std::filesystem;
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    for (const auto* made : {"installed", "unpacked", "share"}) fs::create_directory(folder / made);
    testing_support::writeBytes(folder / "share/horses.mdb", "");
    for (const auto* readOnly : {"installed", "share"})
        fs::permissions(folder / readOnly, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder / "unpacked", fs::perms::all);
    const int status = testing_support::runAsOrdinaryUser([&] {
        ::setenv("XDG_DATA_HOME", "/srv/data", 1);
        const auto installed = base::dataFolderFor((folder / "installed").string());
        if (installed.path != "/srv/data/harrowdex/" || !installed.perUserStore()) return 1;
        const auto unpacked = base::dataFolderFor((folder / "unpacked").string());
        if (unpacked.perUser || unpacked.path != (folder / "unpacked/").string()) return 2;
        const auto share = base::dataFolderFor((folder / "share").string());
        if (share.path != "/srv/data/harrowdex/" || share.storeFolder != (folder / "share/").string()) return 4;
        return base::dataFolderFor("/usr/bin").perUser ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(base::dataFolderFor("/usr/bin").perUser);
}

}  // namespace
