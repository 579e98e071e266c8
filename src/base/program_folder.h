// SPDX-License-Identifier: MIT
// The program's folder and the names of the files the program keeps in it.
#pragma once

#include <string>

namespace base {

// The platform's path separator.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The program's folder as the program keeps it: with a separator appended unless it
// already ends in one (a drive's or the file system's root does).
std::string withTrailingSeparator(std::string folder);

// Names of the program's own files in its folder.
inline constexpr const char* kRaceStoreFile = "horses.mdb";
inline constexpr const char* kSettingsFile = "HarrowdexSettings.ini";

}  // namespace base
