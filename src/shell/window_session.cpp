// SPDX-License-Identifier: MIT
#include "shell/window_session.h"

#include "base/program_folder.h"

namespace shell {

std::string WindowSession::raceStorePath() const {
    return raceStorePath_.empty() ? programFolder_ + base::kRaceStoreFile : raceStorePath_;
}

std::string WindowSession::settingsPath() const { return programFolder_ + base::kSettingsFile; }

void WindowSession::useFolders(const StartupEnvironment& environment) {
    programFolder_ = base::withTrailingSeparator(environment.programFolder);
    perUserFolder_ = environment.perUserFolder;
    breedingFile_ = environment.breedingFile;
    if (!environment.storeFolder.empty())
        raceStorePath_ = base::withTrailingSeparator(environment.storeFolder) + base::kRaceStoreFile;
}

void WindowSession::storeChanged(store::Database& db) {
    for (auto* follower : followers_) follower->storeChanged(db);
}

std::string WindowSession::weeksImported(store::Database& db, const std::vector<int>& weeks) {
    std::string line;
    for (auto* follower : followers_) {
        const std::string more = follower->weeksImported(db, weeks);
        if (!line.empty() && !more.empty()) line += '\r';
        line += more;
    }
    return line;
}

}  // namespace shell
