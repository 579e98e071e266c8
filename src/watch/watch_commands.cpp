// SPDX-License-Identifier: MIT
#include "watch/watch_commands.h"

#include "base/utf8_text.h"
#include "base/number_format.h"
#include "base/results_columns.h"
#include "shell/results_area.h"
#include "store/database.h"
#include "watch/watch_change.h"
#include "watch/watch_state.h"
#include "store/watch_tables.h"

#include <charconv>

namespace watch {

namespace {

using base::characterCount;
using base::utf8Text;
using shell::ResultsArea;
using shell::WindowSession;

std::string quotedName(const std::string& name) { return "\"" + name + "\""; }

bool noteFits(WindowSession& window, const std::optional<std::string>& note) {
    if (!note) return true;
    const std::size_t length = characterCount(*note);
    if (length <= kMostNoteCharacters) return true;
    window.dialogs().message("A note holds at most " + base::formatNumber(kMostNoteCharacters, "#,##0") +
                                 " characters; this one has " + base::formatNumber(length, "#,##0") +
                                 ". The watch list is unchanged.",
                             base::kAppTitle);
    return false;
}

// Notes are stored as UTF-8, as the import stores its texts: bytes that are not UTF-8 are
// read as Latin-1 characters.
std::optional<std::string> storedNote(const std::optional<std::string>& typed) {
    if (!typed) return std::nullopt;
    return utf8Text(*typed);
}

std::string notWatched(std::int64_t hid) {
    return "Horse number " + std::to_string(hid) + " is not on the watch list.";
}
std::string notWatched(const std::string& owner) {
    return "The stable " + quotedName(owner) + " is not on the watch list.";
}

std::optional<std::int64_t> horseNumber(const std::string& text) {
    std::int64_t hid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), hid);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return hid;
}

// The data row the context menu opened on, as the list commands take it.
std::optional<int> menuRow(const ResultsArea& window) {
    const base::GridModel& grid = window.MSFlexGrid1;
    const int row = grid.commandRow();
    if (row < grid.fixedRows() || row >= grid.rows()) return std::nullopt;
    return row;
}

std::optional<std::int64_t> menuHorse(const ResultsArea& window) {
    const auto row = menuRow(window);
    if (!row) return std::nullopt;
    return horseNumber(window.MSFlexGrid1.text(*row, base::horse_column::kHorseNumber));
}

std::optional<std::string> menuStable(const ResultsArea& window) {
    const auto row = menuRow(window);
    if (!row || !window.horseLayoutShowing()) return std::nullopt;
    const std::string& owner = window.MSFlexGrid1.text(*row, base::horse_column::kOwner);
    if (owner.empty()) return std::nullopt;
    return owner;
}

}  // namespace

bool watchHorse(WindowSession& window, std::int64_t hid, const std::optional<std::string>& typed) {
    const auto note = storedNote(typed);
    if (!noteFits(window, note)) return false;
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        const auto name = store::storedHorseName(db, hid);
        if (!name)
            return "There is no horse number " + std::to_string(hid) +
                   " in the race store. The watch list is unchanged.";
        store::watchHorse(db, hid, *name, note, addedNow(window, db));
        return std::nullopt;
    });
}

bool watchStable(WindowSession& window, const std::string& owner, const std::optional<std::string>& typed) {
    const auto note = storedNote(typed);
    if (!noteFits(window, note)) return false;
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        const auto name = store::storedOwnerName(db, owner);
        if (!name)
            return "There is no stable " + quotedName(owner) + " in the race store. The watch list is unchanged.";
        store::watchStable(db, *name, note, addedNow(window, db));
        return std::nullopt;
    });
}

bool stopWatchingHorse(WindowSession& window, std::int64_t hid) {
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        if (!store::unwatchHorse(db, hid)) return notWatched(hid);
        return std::nullopt;
    });
}

bool stopWatchingStable(WindowSession& window, const std::string& owner) {
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        if (!store::unwatchStable(db, owner)) return notWatched(owner);
        return std::nullopt;
    });
}

bool setHorseNote(WindowSession& window, std::int64_t hid, const std::string& typed) {
    const std::string note = utf8Text(typed);
    if (!noteFits(window, note)) return false;
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        if (!store::setHorseNote(db, hid, note)) return notWatched(hid);
        return std::nullopt;
    });
}

bool setStableNote(WindowSession& window, const std::string& owner, const std::string& typed) {
    const std::string note = utf8Text(typed);
    if (!noteFits(window, note)) return false;
    return changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        if (!store::setStableNote(db, owner, note)) return notWatched(owner);
        return std::nullopt;
    });
}

void showWatchMenu(ResultsArea& window, const WatchState& watching) {
    const auto hid = menuHorse(window);
    const auto owner = menuStable(window);
    const WatchMarks& marks = watching.marks;
    window.watchhorse.visible = hid.has_value();
    window.watchhorse.caption = hid && marks.horseNote(*hid) ? "Stop Watching Horse" : "Watch Horse";
    window.watchstable.visible = owner.has_value();
    window.watchstable.caption = owner && marks.stableNote(*owner) ? "Stop Watching Stable" : "Watch Stable";
}

void watchhorse_Click(ResultsArea& window, const WatchState& watching) {
    const auto hid = menuHorse(window);
    if (!hid) return;
    if (watching.marks.horseNote(*hid)) stopWatchingHorse(window, *hid);
    else watchHorse(window, *hid);
}

void watchstable_Click(ResultsArea& window, const WatchState& watching) {
    const auto owner = menuStable(window);
    if (!owner) return;
    if (watching.marks.stableNote(*owner)) stopWatchingStable(window, *owner);
    else watchStable(window, *owner);
}

}  // namespace watch
