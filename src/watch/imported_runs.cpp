// SPDX-License-Identifier: MIT
#include "watch/imported_runs.h"

#include "store/watch_tables.h"

namespace watch {

namespace {

std::string sentence(int watched, std::size_t ran, std::size_t won, const char* one, const char* many) {
    if (watched == 0) return "";
    if (ran == 0) return std::string("No watched ") + one + " ran.";
    return std::to_string(ran) + " watched " + (ran == 1 ? one : many) + " ran; " +
           (won == 0 ? std::string("none") : std::to_string(won)) + " won.";
}

}  // namespace

ImportedRuns importedRuns(store::Database& db, const std::vector<int>& weeks) {
    ImportedRuns runs;
    if (!store::hasWatchTables(db)) return runs;
    runs.watchedHorses = static_cast<int>(store::watchedHorseNotes(db).size());
    runs.watchedStables = static_cast<int>(store::watchedStableNotes(db).size());
    for (const int week : weeks) {
        for (const auto& run : store::watchedHorseRunsInWeek(db, week)) {
            runs.horsesRan.insert(run.hid);
            if (run.won) runs.horsesWon.insert(run.hid);
        }
        for (const auto& run : store::watchedStableRunsInWeek(db, week)) {
            runs.stablesRan.insert(run.name);
            if (run.won) runs.stablesWon.insert(run.name);
        }
    }
    return runs;
}

std::string importSummary(const ImportedRuns& runs) {
    const std::string horses =
        sentence(runs.watchedHorses, runs.horsesRan.size(), runs.horsesWon.size(), "horse", "horses");
    const std::string stables =
        sentence(runs.watchedStables, runs.stablesRan.size(), runs.stablesWon.size(), "stable", "stables");
    return horses.empty() || stables.empty() ? horses + stables : horses + " " + stables;
}

}  // namespace watch
