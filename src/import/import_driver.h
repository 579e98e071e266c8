// SPDX-License-Identifier: MIT
#pragma once

#include "import/file_list.h"
#include "shell/main_finder.h"

#include <string>
#include <vector>

namespace import {

enum class ImportResult { Done, Cancelled, Failed };

// "Import Race Data" (`cmdimportdata`): asks for the results files, then imports them
// into the window's race store. A cancelled dialog ends it silently.
ImportResult cmdimportdata_Click(shell::MainFinder& window);

// Imports results files, in the given order, into the race store at `storePath`. Each
// file is stored whole or not at all: its races, its runners and the removal of the week
// it replaces share one transaction. A failure ends the import at that file, with the
// files before it kept; the status label of `window` tells the user which file failed.
ImportResult importFiles(shell::MainFinder& window, const std::string& storePath,
                         const std::vector<ChosenFile>& files);

// How the import's file dialog is set up.
base::FileDialogOptions importDialogOptions();

}  // namespace import
