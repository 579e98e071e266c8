// SPDX-License-Identifier: MIT
#include "import/folder_week_files.h"

#include "import/results_folder.h"

namespace import {

std::vector<store::WeekFile> FolderWeekFiles::files() const {
    if (folder_.empty()) return {};
    return folderWeekFiles(folder_);
}

}  // namespace import
