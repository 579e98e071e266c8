// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// weeks --db DB: the week list of the removal dialog, one "Week N" line each, newest
// first.
void addWeeksCommand(CLI::App& app);

}  // namespace cli
