// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// sync --db DB DIR [--format text|json]: checks a results folder once, as the window does
// for its results folder: imports the new weeks, oldest first, and lists every results
// file imported, skipped (stored already), waiting (still being written) or failed.
void addSyncCommand(CLI::App& app);

}  // namespace cli
