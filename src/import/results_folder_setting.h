// SPDX-License-Identifier: MIT
// The chosen results folder, remembered in HarrowdexResultsFolder.txt beside the program.
#pragma once

#include "import/results_folder.h"

#include <optional>
#include <string>

namespace import {

// The side file beside the program that names the results folder, one line.
inline constexpr const char* kResultsFolderFile = "HarrowdexResultsFolder.txt";

// The results folder remembered in the program's folder (given with its trailing
// separator); empty when none is chosen. Like the other side files, anything but a
// regular file of at most 64 KB is taken for none, never waited on.
std::string rememberedResultsFolder(const std::string& programFolder);
// Remembers `folder` (empty: none); an error text naming the file when it cannot be written.
std::optional<std::string> rememberResultsFolder(const std::string& programFolder, const std::string& folder);

// The folder's name as the status texts give it: its last part ("Downloads").
std::string folderName(const std::string& folder);

// The status text after a check of the folder `folderName`: the weeks imported ("Imported
// weeks 10365 and 10366 from Downloads.") with the races left out as stored already, each
// file that failed or could not be read, with its reason, or why the check stopped; empty
// when there is nothing to tell.
std::string folderCheckStatus(const FolderCheck& check, const std::string& folderName);

// The status text of "Import New Results Now" when its check had nothing to tell: that
// nothing is new in `folderName`, and what the check found there instead.
std::string nothingNewStatus(const FolderCheck& check, const std::string& folderName);

// The status text while a check fills the store from `folderName`: "Filling the race store
// from Downloads: week 10365, file 3 of 200..."
std::string fillingStatus(const FillProgress& progress, const std::string& folderName);

// The status text when the results folder cannot be read (it is gone, say): `problem`,
// then that it is kept in step again once it is back, and how to choose another.
std::string unreadableFolderStatus(const std::string& problem);

}  // namespace import
