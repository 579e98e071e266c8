// SPDX-License-Identifier: MIT
#include "default_store.h"

#include "base/program_folder.h"

#include <filesystem>

namespace cli {

base::DataFolder programDataFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return base::dataFolderFor(error ? std::string(".") : program.parent_path().string());
}

std::string defaultRaceStore() { return programDataFolder().storeFolder + base::kRaceStoreFile; }

CLI::Option* addDbOption(CLI::App& command, std::string& db) {
    db = defaultRaceStore();
    return command
        .add_option("--db", db,
                    "The race store; without it the window's: horses.mdb beside the program, or in "
                    "$XDG_DATA_HOME/harrowdex (~/.local/share/harrowdex) when there is none beside the program "
                    "and the program's folder cannot be written.")
        ->check(storePathCheck());
}

CLI::Validator storePathCheck() {
    return CLI::Validator(
        [](const std::string& path) { return path.empty() ? std::string("an empty path names no race store") : ""; },
        "PATH");
}

}  // namespace cli
