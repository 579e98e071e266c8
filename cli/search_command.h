// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// search --db DB SEARCH [BOUNDS] [--threshold N] [--today D] [--yes] [--format csv|json]:
// the search the criteria panel runs, printed as the export or as the window state.
void addSearchCommand(CLI::App& app);

}  // namespace cli
