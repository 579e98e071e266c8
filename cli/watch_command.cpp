// SPDX-License-Identifier: MIT
#include "watch_command.h"

#include "default_store.h"
#include "cli_options.h"
#include "json_output.h"
#include "base/csv_text.h"
#include "store_window.h"
#include "watch/watch_commands.h"
#include "watch/watch_list.h"
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

void runWatch(const WatchOptions& o) {
    if (o.note && !o.addHorse && !o.addStable)
        throw CLI::ValidationError("--note", "a note goes with --add-horse or --add-stable");
    StoreWindow store(o.db, false);
    const auto clock = clockFor(o.today);
    store.window.setClock(*clock);
    if (!applyChange(store.window, o)) throw CommandEnded();
    const auto list = watch::readWatchList(o.db);
    if (o.format == "json") printJson(listJson(list, *clock));
    else std::cout << listCsv(list, *clock);
}

}  // namespace

void addWatchCommand(CLI::App& app) {
    auto* command = app.add_subcommand("watch", "Change the watch list, then print it.");
    auto o = std::make_shared<WatchOptions>();
    addDbOption(*command, o->db);
    auto* addHorse = addNumberOption(*command, "--add-horse", o->addHorse, "Watch horse number ID.");
    auto* addStable = command->add_option("--add-stable", o->addStable, "Watch the stable NAME.");
    auto* removeHorse = addNumberOption(*command, "--remove-horse", o->removeHorse, "Stop watching horse number ID.");
    auto* removeStable = command->add_option("--remove-stable", o->removeStable, "Stop watching the stable NAME.");
    const std::vector<CLI::Option*> changes{addHorse, addStable, removeHorse, removeStable};
    for (auto* change : changes)
        for (auto* other : changes)
            if (other != change) change->excludes(other);
    command->add_option("--note", o->note, "With an add: the note, set or replaced.")
        ->excludes(removeHorse)
        ->excludes(removeStable);
    addTodayOption(*command, o->today);
    addFormatOption(*command, o->format, "csv (the window's two tables) or json.");
    command->callback([o] { runWatch(*o); });
}

}  // namespace cli
