// SPDX-License-Identifier: MIT
// Where the program keeps its race store and side files: beside itself, or in the user's data folder.
#pragma once

#include <optional>
#include <string>

namespace base {

// Where the program keeps its race store and the files it keeps beside it (grid settings,
// saved names, server file, left-out owners, results folder setting).
struct DataFolder {
    std::string path;         // the program's own files, with its trailing separator
    std::string storeFolder;  // the race store's folder, with its trailing separator
    bool perUser = false;     // `path` is the user's own data folder: the program's cannot be written
    // The race store is the user's own as well, so a missing one may be created there.
    bool perUserStore() const { return perUser && storeFolder == path; }
};

// What the choice depends on in the program's folder.
struct ProgramFolderState {
    bool writable = false;    // the user may write it
    bool holdsStore = false;  // a race store stands in it
};

// A program whose folder the user can write (a build, an unpacked copy) keeps everything
// beside itself. A store beside the program is used whenever it is there, even in a folder
// that cannot be written (an unpacked copy on a read-only share; it is then read-only),
// while the program's own files go to the user's data folder. Only a program without a
// store beside it and a folder it cannot write (an installed one) keeps its store there
// too. The data folder is $XDG_DATA_HOME/harrowdex, by default ~/.local/share/harrowdex; a
// relative or empty XDG_DATA_HOME counts as unset, as the XDG base directory rules have
// it, and so does a relative HOME (`home`), for the account's home.
DataFolder chooseDataFolder(const std::string& programFolder, ProgramFolderState state, const char* xdgDataHome,
                            const char* home);

// The data folder of the program running from `programFolder`, for this user. The folder
// the package installs the programs into counts as not writable even for root, so that
// no store is ever made in it.
DataFolder dataFolderFor(const std::string& programFolder);

// Creates `folder` and those above it that are missing, each readable by its user alone
// (mode 0700), as the user's data folders are made. The reason when it cannot.
std::optional<std::string> makeDataFolder(const std::string& folder);

// Where the store lives, in the words of both programs' --help (and so of their manual pages).
inline constexpr const char* kDataFolderHelp =
    "The race store horses.mdb and the program's own files are kept beside the program or, when "
    "its folder cannot be written (an installed program), in $XDG_DATA_HOME/harrowdex (by default "
    "~/.local/share/harrowdex); a store beside the program is used whenever it is there, and "
    "the program's own files then go to that data folder if need be.";

}  // namespace base
