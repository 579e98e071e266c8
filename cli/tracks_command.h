// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// tracks --db DB [--add NUM CODE | --delete NUM]: the track list as the editor shows
// it ("07: ABC" lines), after adding or deleting a track.
void addTracksCommand(CLI::App& app);

}  // namespace cli
