// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// progeny --db DB [--breeding FILE] (--sire|--dam-sire|--dams-dam-sire) NAME [--starts N]
// [--two-year-olds] [--format csv|json]: the sire, dam-sire or dam's dam-sire search,
// printed as the export or as the window state with the two progeny tables.
void addProgenyCommand(CLI::App& app);

}  // namespace cli
