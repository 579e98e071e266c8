// SPDX-License-Identifier: MIT
#include "base/data_folder.h"

#include "base/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace base {

namespace {

bool isAbsolute(const char* path) { return path && *path == '/'; }

bool writableByUser(const std::string& folder) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(folder, error);
    if (!error && canonical == std::filesystem::path(HARROWDEX_INSTALL_BINDIR)) return false;
    return ::access(folder.c_str(), W_OK) == 0;
}

const char* homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* user = ::getpwuid(::getuid());
    return user ? user->pw_dir : nullptr;
}

}  // namespace

DataFolder chooseDataFolder(const std::string& programFolder, bool programFolderWritable, const char* xdgDataHome,
                            const char* home) {
    if (programFolderWritable) return {withTrailingSeparator(programFolder), false};
    const std::string dataHome =
        isAbsolute(xdgDataHome) ? std::string(xdgDataHome) : withTrailingSeparator(home ? home : "") + ".local/share";
    return {withTrailingSeparator(withTrailingSeparator(dataHome) + "harrowdex"), true};
}

DataFolder dataFolderFor(const std::string& programFolder) {
    return chooseDataFolder(programFolder, writableByUser(programFolder), std::getenv("XDG_DATA_HOME"), homeFolder());
}

}  // namespace base
