// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// lineage --id ID [--page FILE] [--name NAME] [--server URL] [--yes]: reads a horse's page,
// fetched or saved, as "Get Lineage Info." does, and prints the lineage window's texts.
void addLineageCommand(CLI::App& app);

}  // namespace cli
