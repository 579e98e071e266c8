// SPDX-License-Identifier: MIT
#include "watch/watch_list.h"

#include "base/calendar.h"
#include "base/number_format.h"
#include "shell/window_session.h"
#include "shell/main_listing.h"
#include "store/database.h"
#include "watch/watch_commands.h"

#include <cmath>

namespace watch {

WatchList readWatchList(const std::string& storePath) {
    auto db = store::Database::open(storePath, store::Access::ReadOnly);
    if (!store::hasWatchTables(db)) return {};
    return {store::watchedHorses(db), store::watchedStables(db, store::newestRunWeek(db))};
}

std::vector<std::string> horseCaptions() {
    return {"Name", "H.ID.", "Owner", "Last Week", "Race", "Fin", "Speed", "Runs Since Added", "Note", "Added"};
}

std::vector<std::string> horseCells(const store::WatchedHorseRow& horse, const base::Clock& clock) {
    std::vector<std::string> cells{horse.name, std::to_string(horse.hid), horse.owner};
    if (horse.hasRuns) {
        cells.push_back(std::to_string(static_cast<long long>(std::floor(horse.lastRace))));
        cells.push_back(base::formatNumber(horse.lastRace, "#0.0000"));
        cells.push_back(std::to_string(horse.lastFinish));
        cells.push_back(base::formatNumber(horse.lastSpeed, "#0.0"));
    } else {
        cells.insert(cells.end(), {kNoRunsStored, "", "", ""});
    }
    cells.push_back(std::to_string(horse.runsSinceAdded));
    cells.push_back(horse.note);
    cells.push_back(clock.shortDate(horse.addedDay));
    return cells;
}

std::vector<std::string> stableCaptions() { return {"Name", "Runs Newest Week", "Wins Newest Week", "Note", "Added"}; }

std::vector<std::string> stableCells(const store::WatchedStableRow& stable, const base::Clock& clock) {
    return {stable.name, std::to_string(stable.runsNewestWeek), std::to_string(stable.winsNewestWeek), stable.note,
            clock.shortDate(stable.addedDay)};
}

std::string oneLine(std::string note) {
    for (char& c : note)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return note;
}

void listWatchedHorse(shell::MainListing& listing, const store::WatchedHorseRow& horse) {
    listing.listHorse(horse.name, std::to_string(horse.hid));
}

void listWatchedStable(shell::MainListing& listing, const store::WatchedStableRow& stable) {
    listing.listStable(stable.name);
}

bool askToStopWatching(shell::WindowSession& window, const store::WatchedHorseRow& horse) {
    if (!window.dialogs().askYesNo(
            "Stop watching the horse \"" + horse.name + "\" (number " + std::to_string(horse.hid) + ")?",
            base::kAppTitle))
        return false;
    return stopWatchingHorse(window, horse.hid);
}

bool askToStopWatching(shell::WindowSession& window, const store::WatchedStableRow& stable) {
    if (!window.dialogs().askYesNo("Stop watching the stable \"" + stable.name + "\"?", base::kAppTitle)) return false;
    return stopWatchingStable(window, stable.name);
}

}  // namespace watch
