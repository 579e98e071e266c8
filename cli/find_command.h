// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// find --db DB [--active-weeks N] [--surface dirt|turf] [--min-dist F] [--max-dist F]
//      [--min-speed X] [--last K] [--class CODE]... [--max-claim Y] [--min-starts S]
//      [--max-wins W] [--exclude-owner NAME]... [--today D] [--format csv|json]:
// the horses that fit, as the finder window lists them.
void addFindCommand(CLI::App& app);

// compare --db DB --id N --id N [--id N --id N] [--today D] [--format csv|json]: the
// comparison window's rows for two to four horses.
void addCompareCommand(CLI::App& app);

}  // namespace cli
