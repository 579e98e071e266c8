// SPDX-License-Identifier: MIT
#pragma once

#include "base/data_folder.h"

#include <CLI/CLI.hpp>

#include <string>

namespace cli {

// The data folder the window would use if it ran from this program's folder: beside the
// program, or the user's own when the program's folder cannot be written.
base::DataFolder programDataFolder();
// The race store the window would open.
std::string defaultRaceStore();

// --db DB: the race store, by default the one the window would open.
CLI::Option* addDbOption(CLI::App& command, std::string& db);
// Refuses an empty path as a usage error: it names no file (and no file's folder).
CLI::Validator storePathCheck();

}  // namespace cli
