// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// compact --db DB: compacts the race store; on a failure it is left as it was.
void addCompactCommand(CLI::App& app);

}  // namespace cli
