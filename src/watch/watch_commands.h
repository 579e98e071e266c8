// SPDX-License-Identifier: MIT
// The watch list's changes: watching a horse or stable, its note, and stopping, each one transaction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace shell {
class ResultsArea;
class WindowSession;
}  // namespace shell

namespace watch {

struct WatchState;

// The longest note, in characters.
constexpr std::size_t kMostNoteCharacters = 1000;

// The changes of the watch list of the window's race store. Each is one transaction of
// the store (making the list's tables on first use); the window's followers (the marks)
// are told after it. False when it was refused or failed, the user told why and the list unchanged:
// a horse number or owner not in the store, one that is not on the list, a note too long,
// a store that cannot be written.
//
// Watching one already watched keeps it and its date; a note given replaces its note.
bool watchHorse(shell::WindowSession& window, std::int64_t hid, const std::optional<std::string>& note = {});
bool watchStable(shell::WindowSession& window, const std::string& owner, const std::optional<std::string>& note = {});
bool stopWatchingHorse(shell::WindowSession& window, std::int64_t hid);
bool stopWatchingStable(shell::WindowSession& window, const std::string& owner);
bool setHorseNote(shell::WindowSession& window, std::int64_t hid, const std::string& note);
bool setStableNote(shell::WindowSession& window, const std::string& owner, const std::string& note);

// The results grid's context menu, once it opens on a row: "Watch Horse" or "Stop Watching
// Horse" for the row's horse, and "Watch Stable" or "Stop Watching Stable" for its owner
// (only where the listing has owners), by the marks of `watching`.
void showWatchMenu(shell::ResultsArea& window, const WatchState& watching);
void watchhorse_Click(shell::ResultsArea& window, const WatchState& watching);
void watchstable_Click(shell::ResultsArea& window, const WatchState& watching);

}  // namespace watch
