// SPDX-License-Identifier: MIT
#include "watch_command.h"

#include "default_store.h"
#include "cli_options.h"
#include "json_output.h"
#include "base/csv_text.h"
#include "store_window.h"
#include "watch/watch_commands.h"
#include "watch/watch_list.h"
#include "watch/watch_transfer.h"
#include "shell/main_finder.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

namespace cli {

namespace {

struct WatchOptions {
    std::string db;
    std::optional<std::int64_t> addHorse;
    std::optional<std::string> addStable;
    std::optional<std::int64_t> removeHorse;
    std::optional<std::string> removeStable;
    std::optional<std::string> note;
    std::optional<std::string> exportFile;
    std::optional<std::string> importFile;
    std::string today;
    std::string format = "csv";
};

bool applyChange(shell::MainFinder& window, const WatchOptions& o) {
    if (o.addHorse) return watch::watchHorse(window, *o.addHorse, o.note);
    if (o.addStable) return watch::watchStable(window, *o.addStable, o.note);
    if (o.removeHorse) return watch::stopWatchingHorse(window, *o.removeHorse);
    if (o.removeStable) return watch::stopWatchingStable(window, *o.removeStable);
    return true;
}

nlohmann::ordered_json listJson(const watch::WatchList& list, const base::Clock& clock) {
    nlohmann::ordered_json horses = nlohmann::ordered_json::array();
    for (const auto& h : list.horses) {
        const auto optional = [&h](auto value) {
            return h.hasRuns ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
        };
        horses.push_back({{"id", h.hid},
                          {"name", h.name},
                          {"owner", h.owner},
                          {"lastWeek", optional(static_cast<long long>(std::floor(h.lastRace)))},
                          {"lastRace", optional(h.lastRace)},
                          {"lastFinish", optional(h.lastFinish)},
                          {"lastSpeed", optional(speedValue(h.lastSpeed))},
                          {"runsSinceAdded", h.runsSinceAdded},
                          {"note", h.note},
                          {"added", clock.shortDate(h.addedDay)}});
    }
    nlohmann::ordered_json stables = nlohmann::ordered_json::array();
    for (const auto& s : list.stables) {
        stables.push_back({{"name", s.name},
                           {"runsNewestWeek", s.runsNewestWeek},
                           {"winsNewestWeek", s.winsNewestWeek},
                           {"note", s.note},
                           {"added", clock.shortDate(s.addedDay)}});
    }
    return {{"horses", horses}, {"stables", stables}};
}

// Two tables, horses then stables, a blank line between them.
std::string listCsv(const watch::WatchList& list, const base::Clock& clock) {
    std::vector<std::vector<std::string>> horses{watch::horseCaptions()};
    for (const auto& horse : list.horses) horses.push_back(watch::horseCells(horse, clock));
    std::vector<std::vector<std::string>> stables{watch::stableCaptions()};
    for (const auto& stable : list.stables) stables.push_back(watch::stableCells(stable, clock));
    return base::csvText(horses) + "\r\n" + base::csvText(stables);
}

nlohmann::ordered_json horsesJson(const std::vector<watch::NamedHorse>& horses) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& horse : horses) list.push_back({{"id", horse.hid}, {"name", horse.name}});
    return list;
}

nlohmann::ordered_json accountJson(const watch::ImportAccount& account) {
    return {{"added", {{"horses", account.horsesAdded}, {"stables", account.stablesAdded}}},
            {"notesJoined", account.notesJoined},
            {"leftOut", {{"horses", horsesJson(account.horsesLeftOut)}, {"stables", account.stablesLeftOut}}},
            {"notesCut", {{"horses", horsesJson(account.horseNotesCut)}, {"stables", account.stableNotesCut}}}};
}

// --export and --import print what they did, not the list.
void carryList(shell::MainFinder& window, const WatchOptions& o) {
    const bool json = o.format == "json";
    if (o.exportFile) {
        const auto count = watch::exportWatchList(window, *o.exportFile);
        if (!count) throw CommandEnded();
        if (json)
            printJson(nlohmann::ordered_json{{"exported", {{"horses", count->horses}, {"stables", count->stables}}}});
        else std::cout << "Horses exported: " << count->horses << ". Stables exported: " << count->stables << ".\n";
        return;
    }
    const auto account = watch::importWatchList(window, *o.importFile);
    if (!account) throw CommandEnded();
    if (json) printJson(accountJson(*account));
    else
        for (const auto& line : watch::accountLines(*account)) std::cout << line << '\n';
}

void runWatch(const WatchOptions& o) {
    if (o.note && !o.addHorse && !o.addStable)
        throw CLI::ValidationError("--note", "a note goes with --add-horse or --add-stable");
    StoreWindow store(o.db, false);
    const auto clock = clockFor(o.today);
    store.window.setClock(*clock);
    if (o.exportFile || o.importFile) {
        carryList(store.window, o);
        return;
    }
    if (!applyChange(store.window, o)) throw CommandEnded();
    const auto list = watch::readWatchList(o.db);
    if (o.format == "json") printJson(listJson(list, *clock));
    else std::cout << listCsv(list, *clock);
}

}  // namespace

void addWatchCommand(CLI::App& app) {
    auto* command = app.add_subcommand("watch", "Change the watch list, then print it; or carry it to or from a file.");
    auto o = std::make_shared<WatchOptions>();
    addDbOption(*command, o->db);
    auto* addHorse = addNumberOption(*command, "--add-horse", o->addHorse, "Watch horse number ID.");
    auto* addStable = command->add_option("--add-stable", o->addStable, "Watch the stable NAME.");
    auto* removeHorse = addNumberOption(*command, "--remove-horse", o->removeHorse, "Stop watching horse number ID.");
    auto* removeStable = command->add_option("--remove-stable", o->removeStable, "Stop watching the stable NAME.");
    auto* exportFile = command->add_option("--export", o->exportFile,
                                           "Write the watch list with its notes to FILE (JSON), then print how many.");
    auto* importFile = command->add_option(
        "--import", o->importFile,
        "Join the watch list of FILE (as --export writes it) into the store's, then print what was added, joined "
        "and left out.");
    const std::vector<CLI::Option*> changes{addHorse, addStable, removeHorse, removeStable, exportFile, importFile};
    for (auto* change : changes)
        for (auto* other : changes)
            if (other != change) change->excludes(other);
    command->add_option("--note", o->note, "With an add: the note, set or replaced.")
        ->excludes(removeHorse)
        ->excludes(removeStable)
        ->excludes(exportFile)
        ->excludes(importFile);
    addTodayOption(*command, o->today);
    addFormatOption(*command, o->format, "csv (the window's two tables) or json.");
    command->callback([o] { runWatch(*o); });
}

}  // namespace cli
