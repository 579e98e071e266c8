// SPDX-License-Identifier: MIT
#include "shell/first_start.h"

#include "base/data_folder.h"
#include "store/schema.h"

#include <exception>
#include <filesystem>
#include <stdexcept>

namespace shell {

bool offerEmptyRaceStore(base::UserDialogs& dialogs, const std::string& folder, const std::string& storePath) {
    const std::string shown = std::filesystem::path(folder).parent_path().string();
    if (!dialogs.askYesNo("There is no race store yet. Create an empty one in " + shown + "?", base::kAppTitle))
        return false;
    try {
        if (const auto problem = base::makeDataFolder(folder)) throw std::runtime_error(*problem);
        store::createRaceStore(storePath);
        return true;
    } catch (const std::exception& e) {
        dialogs.message("The race store could not be created:\r" + std::string(e.what()), base::kAppTitle);
        return false;
    }
}

}  // namespace shell
