// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace cli {

// When `typed`, the first word of the command line, names none of the app's commands:
// the usage error that names it, with the nearest command when one is close ("did you
// mean search?") and the list of commands.
std::optional<std::string> unknownCommand(const CLI::App& app, const std::string& typed);

}  // namespace cli
