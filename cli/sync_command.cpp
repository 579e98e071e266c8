// SPDX-License-Identifier: MIT
#include "sync_command.h"

#include "default_store.h"
#include "cli_dialogs.h"
#include "base/one_line.h"
#include "import/results_folder.h"
#include "import_progress.h"
#include "json_output.h"
#include "store/schema.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

namespace cli {

namespace {

struct SyncOptions {
    std::string db;
    std::string folder;
    std::string format = "text";
    bool quiet = false;
};

std::string leftOutText(int races) {
    if (races == 0) return "";
    return ", left out " + std::to_string(races) + (races == 1 ? " race stored already" : " races stored already");
}

void printText(const import::FolderCheck& check) {
    for (const auto& f : check.imported)
        std::cout << "imported " << base::oneLine(f.file) << ": week " << f.week << leftOutText(f.racesLeftOut) << '\n';
    for (const auto& f : check.skipped) {
        std::cout << "skipped " << base::oneLine(f.file) << ": week " << f.week;
        std::cout << (f.reason == import::kRemovedByPlayer ? " removed by the player\n" : " is stored\n");
    }
    for (const auto& f : check.waiting) std::cout << "waiting " << base::oneLine(f.file) << ": still being written\n";
    for (const auto& f : check.failed) std::cout << "failed " << base::oneLine(f.file) << ": " << f.reason << '\n';
    for (const auto& f : check.unreadable)
        std::cout << "unreadable " << base::oneLine(f.file) << ": " << f.reason << '\n';
}

nlohmann::ordered_json checkJson(const import::FolderCheck& check) {
    nlohmann::ordered_json imported = nlohmann::ordered_json::array();
    for (const auto& f : check.imported)
        imported.push_back({{"file", f.file}, {"week", f.week}, {"leftOut", f.racesLeftOut}});
    nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
    for (const auto& f : check.skipped) skipped.push_back({{"file", f.file}, {"week", f.week}, {"reason", f.reason}});
    nlohmann::ordered_json waiting = nlohmann::ordered_json::array();
    for (const auto& f : check.waiting) waiting.push_back({{"file", f.file}});
    const auto reasons = [](const std::vector<import::FolderFile>& files) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const auto& f : files) list.push_back({{"file", f.file}, {"reason", f.reason}});
        return list;
    };
    return {{"imported", imported},
            {"skipped", skipped},
            {"waiting", waiting},
            {"failed", reasons(check.failed)},
            {"unreadable", reasons(check.unreadable)}};
}

void runSync(const SyncOptions& options) {
    // As the window checks its store at start-up: a sync of an empty folder into no store
    // must not pass for one that found nothing new.
    if (const auto problem = store::raceStoreProblem(options.db)) {
        writeMessage(*problem);
        throw CommandEnded();
    }
    import::FolderMemory memory;  // one check: nothing to remember between checks
    // A sync that fills the store shows its progress as an import does; a daily one is silent.
    ImportProgressDialogs progress(false, progressStyle(options.quiet), std::cerr);
    std::string lastFile;
    const import::FolderCheck check =
        import::checkResultsFolder(options.folder, options.db, memory, [&](const import::FillProgress& fill) {
            lastFile = fill.file;
            progress.showProgress(fill.import);
        });
    progress.finish(std::ranges::any_of(check.imported, [&](const auto& f) { return f.file == lastFile; }));
    if (options.format == "json") printJson(checkJson(check));
    else printText(check);
    if (!check.storeProblem.empty()) writeMessage(check.storeProblem);
    if (check.failedAny()) throw CommandEnded();
}

}  // namespace

void addSyncCommand(CLI::App& app) {
    auto* command = app.add_subcommand("sync", "Import the new results files of a folder, oldest week first.");
    auto options = std::make_shared<SyncOptions>();
    addDbOption(*command, options->db);
    command->add_option("--format", options->format, "text (a line per file) or json.")
        ->check(CLI::IsMember({"text", "json"}));
    command->add_flag("--quiet", options->quiet, "Write no progress while a sync fills the store.");
    command->add_option("DIR", options->folder, "The results folder.")->required();
    command->callback([options] { runSync(*options); });
}

}  // namespace cli
