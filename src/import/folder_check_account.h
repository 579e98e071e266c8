// SPDX-License-Identifier: MIT
// The status line's account of the results folder's checks.
#pragma once

#include "import/results_folder.h"

#include <string>

namespace shell {
class WindowSession;
}  // namespace shell

namespace import {

// Tells each ended check of the results folder in the window's status line, remembering
// what it told of a folder that cannot be read so that it is told once until it is back.
class FolderCheckAccount {
public:
    // Tells the check of `folder` that ended with `result`, or with `problem` (not empty)
    // when the folder could not be read; `asked`: the player asked for it ("Import New
    // Results Now"), which is answered even when nothing is new. An import's account ends
    // with the watch list's line. True when weeks were imported.
    bool tell(shell::WindowSession& session, const std::string& folder, const FolderCheck& result,
              const std::string& problem, bool asked);
    // Another folder is kept in step: nothing told of the last one holds.
    void forget() { shownProblem_.clear(); }

private:
    std::string account(shell::WindowSession& session, const std::string& folder, const FolderCheck& result,
                        const std::string& problem, bool asked);

    std::string shownProblem_;
};

}  // namespace import
