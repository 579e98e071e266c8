// SPDX-License-Identifier: MIT
#include "compact_command.h"

#include "default_store.h"
#include "shell/compact_database.h"
#include "store_window.h"

#include <memory>

namespace cli {

void addCompactCommand(CLI::App& app) {
    auto* command = app.add_subcommand("compact", "Compact the race store.");
    auto db = std::make_shared<std::string>();
    addDbOption(*command, *db);
    command->callback([db] {
        StoreWindow store(*db, false);
        if (!shell::cmdcompact_Click(store.window)) throw CommandEnded();
    });
}

}  // namespace cli
