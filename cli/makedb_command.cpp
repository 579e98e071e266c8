// SPDX-License-Identifier: MIT
#include "makedb_command.h"

#include "default_store.h"
#include "store/schema.h"

#include <memory>
#include <string>

namespace cli {

void addMakedbCommand(CLI::App& app) {
    auto* command = app.add_subcommand(
        "makedb", "Create an empty race store: the three tables and the indexes of the searches.");
    auto path = std::make_shared<std::string>();
    command->add_option("DB", *path, "The race store file to create; it must not exist yet.")
        ->required()
        ->check(storePathCheck());
    command->callback([path] { store::createRaceStore(*path); });
}

}  // namespace cli
