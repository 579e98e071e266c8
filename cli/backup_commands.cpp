// SPDX-License-Identifier: MIT
#include "backup_commands.h"

#include "cli_options.h"
#include "default_store.h"
#include "json_output.h"
#include "shell/store_backup.h"
#include "store_window.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace cli {

namespace {

struct BackupOptions {
    std::string db;
    std::string file;
    std::string today;
    std::string format = "text";
    bool yes = false;
};

nlohmann::ordered_json contentsJson(const store::BackupContents& contents) {
    const auto week = [](int w) { return w ? nlohmann::ordered_json(w) : nlohmann::ordered_json(nullptr); };
    return {{"bytes", contents.bytes},
            {"weeks", contents.weeks},
            {"firstWeek", week(contents.firstWeek)},
            {"lastWeek", week(contents.lastWeek)},
            {"watchedHorses", contents.watchedHorses},
            {"watchedStables", contents.watchedStables}};
}

// The summary on standard output: the status text, or the JSON object.
void printOutcome(const BackupOptions& o, const std::string& status, nlohmann::ordered_json summary) {
    if (o.format == "json") printJson(summary);
    else std::cout << status << '\n';
}

void addFormat(CLI::App& command, std::string& format) {
    command.add_option("--format", format, "text (the status line) or json (a summary).")
        ->check(CLI::IsMember({"text", "json"}));
}

void runBackup(const BackupOptions& o) {
    StoreWindow store(o.db, false);
    const auto clock = clockFor(o.today);
    store.window.setClock(*clock);
    const auto job =
        o.file.empty() ? shell::datedBackup(store.window) : std::make_unique<shell::BackupJob>(o.db, o.file, true);
    store.dialogs.watchStatus(nullptr);  // the summary says where it went; no step-by-step progress
    if (!shell::backUpNow(store.window, *job)) throw CommandEnded();
    auto summary = nlohmann::ordered_json{{"file", std::filesystem::absolute(job->target()).string()}};
    summary.update(contentsJson(*job->made()));
    printOutcome(o, store.window.lblprogress.caption, summary);
}

void runRestore(const BackupOptions& o) {
    StoreWindow store(o.db, o.yes);
    store.dialogs.watchStatus(nullptr);
    const auto restored = shell::restoreFrom(store.window, o.file);
    if (!restored) throw CommandEnded();
    auto summary = nlohmann::ordered_json{{"file", std::filesystem::absolute(o.file).string()},
                                          {"savedTo", store::beforeRestorePath(o.db).string()}};
    summary.update(contentsJson(*restored));
    printOutcome(o, store.window.lblprogress.caption, summary);
}

}  // namespace

void addBackupCommand(CLI::App& app) {
    auto* command = app.add_subcommand("backup", "Back up the race store to a file of its own.");
    auto o = std::make_shared<BackupOptions>();
    addDbOption(*command, o->db);
    command->add_option("FILE", o->file,
                        "The backup file (replaced when there); without it the dated file "
                        "\"backups/horses YYYY-MM-DD.mdb\" beside the store.");
    addTodayOption(*command, o->today);
    addFormat(*command, o->format);
    command->callback([o] { runBackup(*o); });
}

void addRestoreCommand(CLI::App& app) {
    auto* command = app.add_subcommand("restore", "Restore the race store from a backup.");
    auto o = std::make_shared<BackupOptions>();
    addDbOption(*command, o->db);
    command->add_option("FILE", o->file, "The backup to restore from.")->required();
    command->add_flag("--yes", o->yes, "Answer Yes to the question whether to restore.");
    addFormat(*command, o->format);
    command->callback([o] { runRestore(*o); });
}

}  // namespace cli
