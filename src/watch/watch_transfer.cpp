// SPDX-License-Identifier: MIT
#include "watch/watch_transfer.h"

#include "base/atomic_file.h"
#include "base/number_format.h"
#include "base/one_line.h"
#include "base/regular_file.h"
#include "base/utf8_text.h"
#include "shell/window_session.h"
#include "store/database.h"
#include "store/store_error.h"
#include "store/watch_tables.h"
#include "watch/watch_change.h"
#include "watch/watch_commands.h"
#include "watch/watch_list.h"
#include "watch/watch_list_json.h"

namespace watch {

namespace {

// A file far beyond any list a player keeps is not one this program wrote.
constexpr std::uintmax_t kMostFileBytes = 64 * 1024 * 1024;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The store's note, and the imported one joined below it.
struct JoinedNote {
    std::string note;
    bool changed = false;
    bool cut = false;
};

// Whether `note` already holds `added` as a line or lines of its own, so importing the
// same file again adds nothing.
bool holdsNote(const std::string& note, const std::string& added) {
    return note == added || note.starts_with(added + "\n") || note.ends_with("\n" + added) ||
           note.find("\n" + added + "\n") != std::string::npos;
}

JoinedNote joinNotes(const std::string& kept, const std::string& added) {
    if (added.empty() || holdsNote(kept, added)) return {kept};
    if (kept.empty()) return {added, true};
    const std::size_t length = base::characterCount(kept);
    // The line break takes one character of the room left.
    const std::size_t room = length + 1 < kMostNoteCharacters ? kMostNoteCharacters - length - 1 : 0;
    if (room == 0) return {kept, false, true};
    const std::string_view part = base::firstCharacters(added, room);
    return {kept + "\n" + std::string(part), true, part.size() < added.size()};
}

void addHorse(store::Database& db, const CarriedHorse& horse, store::WatchAdded added, ImportAccount& account) {
    const auto name = store::storedHorseName(db, horse.hid);
    if (!name) {
        account.horsesLeftOut.push_back({horse.hid, horse.name});
        return;
    }
    const auto watched = store::findWatchedHorse(db, horse.hid);
    if (!watched) {
        store::watchHorse(db, horse.hid, *name, horse.note, added);
        ++account.horsesAdded;
        return;
    }
    const JoinedNote joined = joinNotes(watched->note, horse.note);
    if (joined.changed) {
        store::setHorseNote(db, horse.hid, joined.note);
        ++account.notesJoined;
    }
    if (joined.cut) account.horseNotesCut.push_back({horse.hid, *name});
}

void addStable(store::Database& db, const CarriedStable& stable, store::WatchAdded added, ImportAccount& account) {
    const auto name = store::storedOwnerName(db, stable.name);
    if (!name) {
        account.stablesLeftOut.push_back(stable.name);
        return;
    }
    const auto watched = store::findWatchedStable(db, *name);
    if (!watched) {
        store::watchStable(db, *name, stable.note, added);
        ++account.stablesAdded;
        return;
    }
    const JoinedNote joined = joinNotes(watched->note, stable.note);
    if (joined.changed) {
        store::setStableNote(db, watched->name, joined.note);
        ++account.notesJoined;
    }
    if (joined.cut) account.stableNotesCut.push_back(watched->name);
}

// The list of the file at `path`, or nothing with the user told why.
std::optional<CarriedList> readCarriedList(shell::WindowSession& window, const std::string& path) {
    const std::string file = "The file " + quoted(base::oneLine(path));
    const base::FileContents contents = base::readRegularFile(path, kMostFileBytes);
    std::optional<std::string> refusal;
    ReadCarriedList read;
    if (contents.problem != base::FileProblem::None) {
        refusal = file + " " + base::describe(contents.problem) + ".";
    } else {
        read = readWatchListJson(contents.bytes);
        if (read.problem) refusal = file + " is not a watch list: " + *read.problem + ".";
    }
    if (!refusal) return std::move(read.list);
    window.dialogs().message(*refusal + " The watch list is unchanged.", base::kAppTitle);
    return std::nullopt;
}

std::string horseNames(const std::vector<NamedHorse>& horses, const char* each) {
    std::string text;
    for (const auto& horse : horses)
        text += (text.empty() ? "" : ", ") + std::string(each) + std::to_string(horse.hid) + " " + quoted(horse.name);
    return text;
}

std::string stableNames(const std::vector<std::string>& stables, const char* each) {
    std::string text;
    for (const auto& stable : stables) text += (text.empty() ? "" : ", ") + std::string(each) + quoted(stable);
    return text;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : "\r") + line;
    return text;
}

}  // namespace

std::optional<ExportCount> exportWatchList(shell::WindowSession& window, const std::string& path) {
    WatchList list;
    try {
        list = readWatchList(window.raceStorePath());
    } catch (const store::StoreError& error) {
        window.dialogs().message("The watch list could not be read: " + std::string(error.what()), base::kAppTitle);
        return std::nullopt;
    }
    if (const auto failure = base::writeFileAtomically(path, watchListJson(list))) {
        window.dialogs().message("The watch list could not be exported: " + base::oneLine(*failure) + ".",
                                 base::kAppTitle);
        return std::nullopt;
    }
    return ExportCount{list.horses.size(), list.stables.size()};
}

std::optional<ImportAccount> importWatchList(shell::WindowSession& window, const std::string& path) {
    const auto carried = readCarriedList(window, path);
    if (!carried) return std::nullopt;
    ImportAccount account;
    const bool imported = changeWatchList(window, [&](store::Database& db) -> std::optional<std::string> {
        const store::WatchAdded added = addedNow(window, db);
        for (const auto& horse : carried->horses) addHorse(db, horse, added, account);
        for (const auto& stable : carried->stables) addStable(db, stable, added, account);
        return std::nullopt;
    });
    if (!imported) return std::nullopt;
    return account;
}

std::vector<std::string> accountLines(const ImportAccount& account) {
    std::vector<std::string> lines{"Horses added: " + std::to_string(account.horsesAdded) +
                                   ". Stables added: " + std::to_string(account.stablesAdded) +
                                   ". Notes joined: " + std::to_string(account.notesJoined) + "."};
    if (!account.horsesLeftOut.empty())
        lines.push_back("Horses left out, not in the race store: " + horseNames(account.horsesLeftOut, "") + ".");
    if (!account.stablesLeftOut.empty())
        lines.push_back("Stables left out, not in the race store: " + stableNames(account.stablesLeftOut, "") + ".");
    if (!account.horseNotesCut.empty() || !account.stableNotesCut.empty()) {
        std::string cut = horseNames(account.horseNotesCut, "horse ");
        const std::string stables = stableNames(account.stableNotesCut, "stable ");
        if (!cut.empty() && !stables.empty()) cut += ", ";
        lines.push_back("Imported notes cut to " + base::formatNumber(kMostNoteCharacters, "#,##0") +
                        " characters, the store's kept whole: " + cut + stables + ".");
    }
    return lines;
}

bool cmdexportwatch_Click(shell::WindowSession& window) {
    const auto path = window.dialogs().chooseFileToSave({"Export Watch List", kWatchListFilter});
    return path && exportWatchList(window, *path);
}

bool cmdimportwatch_Click(shell::WindowSession& window) {
    const auto path = window.dialogs().chooseFilesToOpen({"Import Watch List", kWatchListFilter});
    if (!path) return false;
    const auto account = importWatchList(window, *path);
    if (!account) return false;
    window.dialogs().message(joinedLines(accountLines(*account)), base::kAppTitle);
    return true;
}

}  // namespace watch
