// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// import --db DB [--yes] FILE...: imports results files in the given order, as the
// window's "Import Race Data" does for the same files.
void addImportCommand(CLI::App& app);

}  // namespace cli
