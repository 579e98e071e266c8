// SPDX-License-Identifier: MIT
#include "shell/about.h"

#include "base/version.h"

namespace shell {

std::string aboutText(const MainFinder& finder) {
    return std::string("Harrowdex ") + base::programVersion() +
           "\rSearches and statistics of the race store.\r\rRace store: " + finder.raceStorePath() +
           "\rFolder of the program's files: " + finder.programFolder() +
           (finder.perUserFolder() ? "\r(your own data folder: the program's folder cannot be written)"
                                   : "\r(beside the program)");
}

void cmdabout_Click(MainFinder& finder) { finder.dialogs().message(aboutText(finder), "About Harrowdex"); }

}  // namespace shell
