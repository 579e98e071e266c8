// SPDX-License-Identifier: MIT
// The watch list's tables in the race store, made when something is first watched.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class Database;

// The watch list's two tables, watchedhorses and watchedstables. A race store is complete
// without them: they are made when something is first watched. Imports, week removals and
// the race tables' indexes never touch them.
bool hasWatchTables(Database& db);
void createWatchTables(Database& db);

// When a horse or stable was put on the list: the day number and the store's newest week
// then, so that later runs can be told from earlier ones whatever the calendar says.
struct WatchAdded {
    int day = 0;
    int week = 0;
};

// Puts a horse or stable on the list. One already there keeps its date, and its note too
// unless a note is given.
void watchHorse(Database& db, std::int64_t hid, std::string_view name, const std::optional<std::string>& note,
                WatchAdded added);
void watchStable(Database& db, std::string_view oname, const std::optional<std::string>& note, WatchAdded added);
// Takes one off the list; false when it was not on it. Stables compare ignoring letter case.
bool unwatchHorse(Database& db, std::int64_t hid);
bool unwatchStable(Database& db, std::string_view oname);
// Replaces the note of one on the list; false when it is not on it.
bool setHorseNote(Database& db, std::int64_t hid, std::string_view note);
bool setStableNote(Database& db, std::string_view oname, std::string_view note);

// The newest run's name of horse `hid`, nothing when no run of it is stored.
std::optional<std::string> storedHorseName(Database& db, std::int64_t hid);
// The owner name as the store spells it (ignoring letter case), nothing for none.
std::optional<std::string> storedOwnerName(Database& db, std::string_view oname);
// The newest week that holds a run, 0 for an empty store.
int newestRunWeek(Database& db);

struct WatchedHorseRow {
    std::int64_t hid = 0;
    std::string name;   // of the newest run; the name given when watched when none is stored
    std::string owner;  // of the newest run
    bool hasRuns = false;
    double lastRace = 0;
    int lastFinish = 0;
    double lastSpeed = 0;
    int runsSinceAdded = 0;  // in weeks after the newest one of the day it was added
    std::string note;
    int addedDay = 0;
};

struct WatchedStableRow {
    std::string name;
    int runsNewestWeek = 0;
    int winsNewestWeek = 0;
    std::string note;
    int addedDay = 0;
};

// The list, each ordered by name ignoring letter case.
std::vector<WatchedHorseRow> watchedHorses(Database& db);
std::vector<WatchedStableRow> watchedStables(Database& db, int newestWeek);

// The notes alone, for marking the listings.
struct WatchedNote {
    std::int64_t hid = 0;  // horses only
    std::string name;      // stables only
    std::string note;
};
std::vector<WatchedNote> watchedHorseNotes(Database& db);
std::vector<WatchedNote> watchedStableNotes(Database& db);
// One on the list with its name as watched (a horse's given name, a stable's spelling) and
// its note; nothing when it is not on it. Stables compare ignoring letter case.
std::optional<WatchedNote> findWatchedHorse(Database& db, std::int64_t hid);
std::optional<WatchedNote> findWatchedStable(Database& db, std::string_view oname);

// The runs of watched horses and stables in week `week`: who ran, and whether it won.
struct WatchedRun {
    std::int64_t hid = 0;  // horses only
    std::string name;      // stables only
    bool won = false;
};
std::vector<WatchedRun> watchedHorseRunsInWeek(Database& db, int week);
std::vector<WatchedRun> watchedStableRunsInWeek(Database& db, int week);

}  // namespace store
