// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// pars --db DB [--first-week N] [--last-week N] [--surface dirt|turf] [--min-races N]
// [--id N] [--format csv|json]: the class par table, and with --id where that horse fits.
void addParsCommand(CLI::App& app);

}  // namespace cli
