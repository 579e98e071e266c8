// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// names --db DB (--horse|--owner|--sire|--dam-sire|--dams-dam-sire) PREFIX [--limit N]
// [--breeding FILE] [--format csv|json]: the names the name box offers for PREFIX.
void addNamesCommand(CLI::App& app);

}  // namespace cli
