// SPDX-License-Identifier: MIT
// One check of the results folder: its new results files imported, oldest week first, and what was skipped or failed.
#pragma once

#include "base/user_dialogs.h"
#include "store/removed_weeks.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace import {

// A results file of the folder, as a check met it: its name, its week (the whole part of
// its first race number), for a file that failed or cannot be read why, and for a file
// imported how many of its races were left out as stored already.
struct FolderFile {
    std::string file;
    int week = 0;
    std::string reason;
    int racesLeftOut = 0;
};

// What one check of a results folder did. Files that are no results files appear nowhere.
struct FolderCheck {
    std::vector<FolderFile> imported;    // oldest week first
    std::vector<FolderFile> skipped;     // stored already, or removed by the player (the reason says which)
    std::vector<FolderFile> waiting;     // changed within the last two seconds
    std::vector<FolderFile> failed;      // newly failed, with the reader's reason
    std::vector<FolderFile> unreadable;  // newly found unreadable, with the reason; read again at every check
    std::string storeProblem;            // the store itself failed: the check stopped there

    // Whether the player must mend something: a file, or the store.
    bool failedAny() const { return !failed.empty() || !unreadable.empty() || !storeProblem.empty(); }
};

// A folder that cannot be listed (gone, or not a folder); the text says so.
class UnreadableFolder : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the checks of one folder learnt of its files, by name, size and time, so that an
// unchanged file is not read again: its first race number, that it is no results file,
// or that it failed (then it is tried again only once it changes). A file that could
// not be read is read again at every check, since mending it (its permissions) changes
// neither its size nor its time; remembering it only keeps it from being told twice.
class FolderMemory {
public:
    enum class Kind { Results, NoResults, Failed, Unreadable };
    struct Entry {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        Kind kind = Kind::NoResults;
        double firstRace = 0;
        int week = 0;
        std::string reason;  // why an unreadable file could not be read
    };

    const Entry* find(const std::string& name, std::uintmax_t size, std::filesystem::file_time_type time) const;
    void remember(const std::string& name, const Entry& entry) { entries_[name] = entry; }
    // Forgets the files no longer in the folder.
    void keepOnly(const std::vector<std::string>& names);

private:
    std::map<std::string, Entry> entries_;
};

// A file changed this recently is taken to be still being written. A time as far ahead
// of the clock counts as recent too (clocks of two machines sharing a folder differ a
// little); a time further ahead is a wrong clock, not a file being written.
inline constexpr auto kSettlingTime = std::chrono::seconds(2);

// Why a file was skipped: its week is stored, or the player removed it and the file has
// not changed since.
inline constexpr const char* kStoredAlready = "stored already";
inline constexpr const char* kRemovedByPlayer = "removed by the player";

// The results files of the folder, each with its week, size and time, as a removal marks
// them; none when the folder cannot be listed.
std::vector<store::WeekFile> folderWeekFiles(const std::filesystem::path& folder);

// How far a check that fills the store has come: the file being imported, its week, and
// the import's progress (file k of n, races stored so far) as an import shows it.
struct FillProgress {
    std::string file;
    int week = 0;
    base::ProgressState import;
};
using FillListener = std::function<void(const FillProgress&)>;

// Checks the folder once: imports every results file (plain text or ZIP) whose first race
// is not stored, oldest week first, each as "Import Race Data" imports it but without a
// question (and, unless it fills the store, below, without showing progress); a file
// whose first race is stored is skipped, never replaced, and so is a file of a week the
// player removed while it lay there, as long as it stays as it was. A file counts as a
// results file by its layout (see ResultsReader::inResultsLayout), whatever its name.
// While another program's bulk load holds the search indexes dropped, the check imports
// without building them. New files that bring at least as many runs as the store holds (a
// first check of a folder of many weeks) fill the store as a large import does, in a bulk
// load, and `onFill` hears its progress, from whichever thread runs the check; a smaller
// check tells it nothing. Throws UnreadableFolder when the folder cannot be listed.
FolderCheck checkResultsFolder(const std::filesystem::path& folder, const std::string& storePath, FolderMemory& memory,
                               const FillListener& onFill = {});

}  // namespace import
