// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// watch --db DB [--add-horse ID | --add-stable NAME | --remove-horse ID | --remove-stable NAME]
// [--note TEXT] [--format csv|json]: changes the watch list as the window's commands do,
// then prints the whole list. --export FILE | --import FILE instead carry the list to or
// from a file as the watch list window's buttons do, and print only what they did.
void addWatchCommand(CLI::App& app);

}  // namespace cli
