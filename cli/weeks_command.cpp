// SPDX-License-Identifier: MIT
#include "weeks_command.h"

#include "default_store.h"
#include "shell/remove_data.h"
#include "store_window.h"

#include <iostream>
#include <memory>

namespace cli {

void addWeeksCommand(CLI::App& app) {
    auto* command = app.add_subcommand("weeks", "List the weeks of the race store, newest first.");
    auto db = std::make_shared<std::string>();
    addDbOption(*command, *db);
    command->callback([db] {
        StoreWindow store(*db, false);
        const auto dialog = shell::cmdremoverace_Click(store.window);
        if (!dialog) throw CommandEnded();
        for (const auto& entry : dialog->lstweeks.items()) std::cout << entry << '\n';
    });
}

}  // namespace cli
