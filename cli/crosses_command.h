// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// crosses --db DB --breeding FILE (--sire NAME | --damsire NAME | --sire NAME --damsire
// NAME) [--ages all|2yo|older] [--min-starters N] [--format csv|json]: the cross table of
// a sire by dam-sire, of a dam-sire by sire, or the offspring of both.
void addCrossesCommand(CLI::App& app);

}  // namespace cli
