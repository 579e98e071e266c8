// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// watch --db DB [--add-horse ID | --add-stable NAME | --remove-horse ID | --remove-stable NAME]
// [--note TEXT] [--format csv|json]: changes the watch list as the window's commands do,
// then prints the whole list.
void addWatchCommand(CLI::App& app);

}  // namespace cli
