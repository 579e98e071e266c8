// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// remove-weeks --db DB WEEK...: removes those weeks as the removal dialog does after
// Yes. A week that the store does not hold removes nothing at all.
void addRemoveWeeksCommand(CLI::App& app);

}  // namespace cli
