// SPDX-License-Identifier: MIT
#include "remove_weeks_command.h"

#include "default_store.h"
#include "cli_options.h"
#include "import/folder_week_files.h"
#include "import/results_folder_setting.h"
#include "shell/remove_data.h"
#include "shell/store_backup.h"
#include "store_window.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace cli {

namespace {

struct RemoveWeeksOptions {
    std::string db;
    std::vector<int> weeks;
    std::string folder;
    bool backup = false;
    std::string today;
};

void removeWeeks(const RemoveWeeksOptions& options) {
    StoreWindow store(options.db, true);
    store.dialogs.answer(shell::kBackUpFirstQuestion, options.backup);
    const auto clock = clockFor(options.today);
    store.window.setClock(*clock);
    const import::FolderWeekFiles folder(options.folder);
    store.window.useResultsFolder(&folder);
    const auto dialog = shell::cmdremoverace_Click(store.window);
    if (!dialog) throw CommandEnded();
    const auto& entries = dialog->lstweeks.items();
    for (const int week : options.weeks) {
        const auto entry = std::ranges::find(entries, shell::weekEntry(week));
        if (entry == entries.end()) {
            writeMessage("The race store holds no races of week " + std::to_string(week) + ". Nothing was removed.");
            throw CommandEnded();
        }
        dialog->lstweeks.setSelected(static_cast<std::size_t>(entry - entries.begin()), true);
    }
    if (!dialog->cmdremove_Click()) throw CommandEnded();
}

}  // namespace

void addRemoveWeeksCommand(CLI::App& app) {
    auto* command = app.add_subcommand("remove-weeks", "Remove whole weeks of races from the race store.");
    auto options = std::make_shared<RemoveWeeksOptions>();
    addDbOption(*command, options->db);
    options->folder = import::rememberedResultsFolder(programDataFolder().path);
    command->add_option("--folder", options->folder,
                        "The results folder whose files of those weeks a sync leaves out until they change; "
                        "without it the window's.");
    command->add_flag("--backup", options->backup,
                      "Back the race store up first, to the dated file in the \"backups\" folder beside it.");
    addTodayOption(*command, options->today);
    addNumberOption(*command, "WEEK", options->weeks, "The week numbers to remove.")->required();
    command->callback([options] { removeWeeks(*options); });
}

}  // namespace cli
