// SPDX-License-Identifier: MIT
#pragma once

#include <CLI/CLI.hpp>

namespace cli {

// backup --db DB [FILE] [--today D] [--format text|json]: writes one consistent copy of
// the race store to FILE, or to the dated file in the "backups" folder beside the store.
void addBackupCommand(CLI::App& app);

// restore --db DB FILE [--yes] [--format text|json]: checks the backup FILE, says what it
// holds, and after Yes saves the store to DB.before-restore and restores it from FILE.
void addRestoreCommand(CLI::App& app);

}  // namespace cli
