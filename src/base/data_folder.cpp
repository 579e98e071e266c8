// SPDX-License-Identifier: MIT
#include "base/data_folder.h"

#include "base/home_folder.h"
#include "base/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

bool holdsStore(const std::string& folder) {
    std::error_code error;
    return std::filesystem::exists(withTrailingSeparator(folder) + kRaceStoreFile, error);
}

std::string usersDataFolder(const char* xdgDataHome, const char* home) {
    const std::string dataHome =
        isAbsolute(xdgDataHome) ? std::string(xdgDataHome) : withTrailingSeparator(homeFolder(home)) + ".local/share";
    return withTrailingSeparator(withTrailingSeparator(dataHome) + "harrowdex");
}

}  // namespace

DataFolder chooseDataFolder(const std::string& programFolder, ProgramFolderState state, const char* xdgDataHome,
                            const char* home) {
    const std::string beside = withTrailingSeparator(programFolder);
    if (state.writable) return {beside, beside, false};
    const std::string own = usersDataFolder(xdgDataHome, home);
    return {own, state.holdsStore ? beside : own, true};
}

DataFolder dataFolderFor(const std::string& programFolder) {
    return chooseDataFolder(programFolder, {writableByUser(programFolder), holdsStore(programFolder)},
                            std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::optional<std::string> makeDataFolder(const std::string& folder) {
    std::filesystem::path made;
    for (const auto& part : std::filesystem::path(folder)) {
        made /= part;
        if (part.empty() || ::mkdir(made.c_str(), 0700) == 0 || errno == EEXIST) continue;
        return "The folder " + made.string() + " cannot be made: " + std::strerror(errno) + ".";
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return folder + " is not a folder.";
    return std::nullopt;
}

}  // namespace base
