// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// makedb DB: creates an empty race store at DB; refuses when DB exists.
void addMakedbCommand(CLI::App& app);

}  // namespace cli
