// SPDX-License-Identifier: MIT
// The results folder's files by week, as the removal of weeks needs them.
#pragma once

#include "store/removed_weeks.h"

#include <string>
#include <vector>

namespace shell {

// The results folder kept in step and its results files, each with its week. Reading a
// results file is the import's job, so the program's assembly hands the window one; a
// removal marks the removed weeks with their files, so that the folder's checks leave
// them out while the files stay as they were.
class ResultsFolderFiles {
public:
    virtual ~ResultsFolderFiles() = default;
    // The folder, empty when none is kept in step.
    virtual std::string folder() const = 0;
    // Its results files; none when there is no folder or it cannot be read.
    virtual std::vector<store::WeekFile> files() const = 0;
};

}  // namespace shell
