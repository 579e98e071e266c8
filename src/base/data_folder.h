// SPDX-License-Identifier: MIT
// Where the program keeps its race store and side files: beside itself, or in the user's data folder.
#pragma once

#include <string>

namespace base {

// Where the program keeps its race store and the files it keeps beside it (grid settings,
// saved names, server file, left-out owners, results folder setting).
struct DataFolder {
    std::string path;      // with its trailing separator
    bool perUser = false;  // the user's own data folder, because the program's cannot be written
};

// A program whose folder the user can write (a build, an unpacked copy) keeps everything
// beside itself; an installed one uses $XDG_DATA_HOME/harrowdex, by default
// ~/.local/share/harrowdex. A relative or empty XDG_DATA_HOME counts as unset, as the
// XDG base directory rules have it.
DataFolder chooseDataFolder(const std::string& programFolder, bool programFolderWritable, const char* xdgDataHome,
                            const char* home);

// The data folder of the program running from `programFolder`, for this user. The folder
// the package installs the programs into counts as not writable even for root, so that
// no store is ever made in it.
DataFolder dataFolderFor(const std::string& programFolder);

// Where the store lives, in the words of both programs' --help (and so of their manual pages).
inline constexpr const char* kDataFolderHelp =
    "The race store horses.mdb and the program's own files are kept beside the program or, when "
    "its folder cannot be written (an installed program), in $XDG_DATA_HOME/harrowdex (by default "
    "~/.local/share/harrowdex).";

}  // namespace base
