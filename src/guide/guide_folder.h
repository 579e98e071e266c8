// SPDX-License-Identifier: MIT
// Where the player's guide is kept: beside the program, or where the package installs it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace guide {

// The guide's first page, which links all the others.
inline constexpr const char* kContentsPage = "index.md";
// Where the package installs the guide's pages and pictures.
inline constexpr const char* kInstalledGuideFolder = "/usr/share/harrowdex/guide/";

// The folders that may hold the guide, in the order they are tried: guide/ beside the
// program (a build, an unpacked copy), share/harrowdex/guide/ beside the program's bin/
// folder (an install under any prefix), then the package's place. Each ends in a separator.
std::vector<std::string> guideFolderCandidates(const std::string& programFolder);

// The first candidate that holds the contents page, or nothing when none does.
std::optional<std::string> findGuideFolder(const std::string& programFolder);

// What the user is told when no candidate holds the guide.
std::string missingGuideMessage(const std::string& programFolder);

// Where the guide is, in the words of both programs' --help (and so of their manual pages).
inline constexpr const char* kGuideHelp =
    "The player's guide (Help / Player's Guide, or F1, in the window) is kept in "
    "/usr/share/harrowdex/guide/ when the package is installed, otherwise in guide/ beside the "
    "program; its first page is index.md.";

}  // namespace guide
