// SPDX-License-Identifier: MIT
// The results folder's files by week, read for the removal of weeks.
#pragma once

#include "shell/results_folder_files.h"

#include <string>
#include <utility>
#include <vector>

namespace import {

// The results folder kept in step, as the window's removal of weeks asks for it: its
// results files read anew at every call, each with its week.
class FolderWeekFiles : public shell::ResultsFolderFiles {
public:
    explicit FolderWeekFiles(std::string folder = {}) : folder_(std::move(folder)) {}
    void setFolder(std::string folder) { folder_ = std::move(folder); }

    std::string folder() const override { return folder_; }
    std::vector<store::WeekFile> files() const override;

private:
    std::string folder_;
};

}  // namespace import
