// SPDX-License-Identifier: MIT
// The watch list as its window and the command line show it, read from the race store.
#pragma once

#include "store/watch_tables.h"

#include <string>
#include <vector>

namespace base {
class Clock;
}  // namespace base

namespace shell {
class WindowSession;
class MainListing;
}  // namespace shell

namespace watch {

// The watch list as its window and the command line show it: horses and stables, each by
// name ignoring letter case.
struct WatchList {
    std::vector<store::WatchedHorseRow> horses;
    std::vector<store::WatchedStableRow> stables;
};

// Reads the list of the race store at `storePath` without writing to it; empty for a store
// that has none yet. Throws a StoreError when the store cannot be read.
WatchList readWatchList(const std::string& storePath);

// The two tables' captions and cells. A horse without a stored run shows "no runs stored"
// for its last week; notes are as typed, line breaks and tabs included.
std::vector<std::string> horseCaptions();
std::vector<std::string> horseCells(const store::WatchedHorseRow& horse, const base::Clock& clock);
std::vector<std::string> stableCaptions();
std::vector<std::string> stableCells(const store::WatchedStableRow& stable, const base::Clock& clock);
// The columns of the notes in them.
constexpr int kHorseNoteColumn = 8;
constexpr int kStableNoteColumn = 3;
inline constexpr const char* kNoRunsStored = "no runs stored";

// A note on one line, as a table cell shows it: tabs and line breaks read as spaces.
std::string oneLine(std::string note);

// A double click in the watch list: lists the horse or the stable in the main window.
void listWatchedHorse(shell::MainListing& listing, const store::WatchedHorseRow& horse);
void listWatchedStable(shell::MainListing& listing, const store::WatchedStableRow& stable);
// Delete in the watch list: asks, then stops watching. False when the user said No or it failed.
bool askToStopWatching(shell::WindowSession& window, const store::WatchedHorseRow& horse);
bool askToStopWatching(shell::WindowSession& window, const store::WatchedStableRow& stable);

}  // namespace watch
