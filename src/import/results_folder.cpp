// SPDX-License-Identifier: MIT
#include "import/results_folder.h"

#include "import/import_driver.h"
#include "import/race_conditions_classifier.h"
#include "import/results_file_error.h"
#include "import/results_file_source.h"
#include "import/results_reader.h"
#include "base/user_dialogs.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "store/store_error.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace import {

namespace {

namespace fs = std::filesystem;

// Room for the heading and the first race's first record of any results file.
constexpr std::size_t kHeadingBytes = 16 * 1024;

// An unattended import shows nothing and is asked nothing.
struct Unseen : base::UserDialogs {
    void message(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void beep() override {}
    void setBusy(bool) override {}
    void repaintNow() override {}
    std::optional<std::string> chooseFilesToOpen(const base::FileDialogOptions&) override { return {}; }
    std::optional<std::string> chooseFileToSave(const base::FileDialogOptions&) override { return {}; }
};

struct SettledFile {
    std::string name;
    std::string path;
    FolderMemory::Entry entry;
};

// What the heading of a file says: a results file with its first race, or none. A file
// whose first race number is 0 holds no race to store, so it counts as none.
FolderMemory::Entry look(const fs::path& path, std::uintmax_t size, fs::file_time_type time) {
    FolderMemory::Entry entry{size, time, FolderMemory::Kind::NoResults, 0, 0};
    try {
        const std::string start = readResultsFileStart(path.string(), kHeadingBytes);
        RaceConditionsClassifier classifier;
        ResultsReader reader(start, classifier);
        const double first = reader.firstRaceNumber();
        if (first == 0) return entry;
        entry.kind = FolderMemory::Kind::Results;
        entry.firstRace = first;
        entry.week = reader.week();
    } catch (const UnreadableFile&) {
    } catch (const ResultsFileError&) {}
    return entry;
}

UnreadableFolder unreadable(const fs::path& folder, const std::error_code& error) {
    return UnreadableFolder("The results folder " + folder.string() + " cannot be read: " + error.message() + ".");
}

// The settled results files of the folder, oldest week first; those still being written
// go to `check.waiting`.
std::vector<SettledFile> settledResultsFiles(const fs::path& folder, FolderMemory& memory, FolderCheck& check) {
    const auto now = fs::file_time_type::clock::now();
    std::vector<SettledFile> settled;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) throw unreadable(folder, error);
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) throw unreadable(folder, error);
        const fs::directory_entry& file = *entries;
        std::error_code statError;
        if (!file.is_regular_file(statError)) continue;
        const std::uintmax_t size = file.file_size(statError);
        const fs::file_time_type time = file.last_write_time(statError);
        if (statError) continue;  // gone meanwhile
        const std::string name = file.path().filename().string();
        names.push_back(name);
        const FolderMemory::Entry* known = memory.find(name, size, time);
        if (known && known->kind != FolderMemory::Kind::Results) continue;
        const FolderMemory::Entry seen = known ? *known : look(file.path(), size, time);
        const bool settling = now - time < kSettlingTime;
        if (seen.kind == FolderMemory::Kind::NoResults) {
            // Its heading may yet be written.
            if (!settling) memory.remember(name, seen);
            continue;
        }
        if (settling) {
            check.waiting.push_back({name, seen.week, {}});
            continue;
        }
        memory.remember(name, seen);
        settled.push_back({name, file.path().string(), seen});
    }
    if (error) throw unreadable(folder, error);
    memory.keepOnly(names);
    std::sort(settled.begin(), settled.end(), [](const SettledFile& a, const SettledFile& b) {
        return std::tie(a.entry.week, a.entry.firstRace, a.name) < std::tie(b.entry.week, b.entry.firstRace, b.name);
    });
    std::sort(check.waiting.begin(), check.waiting.end(),
              [](const FolderFile& a, const FolderFile& b) { return a.file < b.file; });
    return settled;
}

}  // namespace

const FolderMemory::Entry* FolderMemory::find(const std::string& name, std::uintmax_t size,
                                              std::filesystem::file_time_type time) const {
    const auto it = entries_.find(name);
    if (it == entries_.end() || it->second.size != size || it->second.time != time) return nullptr;
    return &it->second;
}

void FolderMemory::keepOnly(const std::vector<std::string>& names) {
    const std::set<std::string> present(names.begin(), names.end());
    std::erase_if(entries_, [&](const auto& entry) { return !present.count(entry.first); });
}

FolderCheck checkResultsFolder(const std::filesystem::path& folder, const std::string& storePath,
                               FolderMemory& memory) {
    FolderCheck check;
    const std::vector<SettledFile> settled = settledResultsFiles(folder, memory, check);
    if (settled.empty()) return check;
    try {
        auto db = store::openRaceStoreForWriting(storePath);
        // The quick look first: a folder of weeks stored long ago costs a look-up each.
        std::vector<const SettledFile*> newFiles;
        const bool anyRace = store::hasAnyRace(db);
        for (const auto& file : settled) {
            if (anyRace && store::raceExists(db, file.entry.firstRace))
                check.skipped.push_back({file.name, file.entry.week, {}});
            else newFiles.push_back(&file);
        }
        if (newFiles.empty()) return check;
        store::ensureSearchIndexes(db);
        Unseen unseen;
        UnattendedImport import(db, unseen);
        for (const SettledFile* file : newFiles) {
            try {
                if (const auto week = import.importFile({file->path, file->name}))
                    check.imported.push_back({file->name, *week, {}});
                else  // another program stored it meanwhile
                    check.skipped.push_back({file->name, file->entry.week, {}});
            } catch (const store::StoreError&) { throw; } catch (const std::exception& error) {
                const std::string reason = failureReason(error);
                check.failed.push_back({file->name, file->entry.week, reason.empty() ? error.what() : reason});
                FolderMemory::Entry failed = file->entry;
                failed.kind = FolderMemory::Kind::Failed;
                memory.remember(file->name, failed);
            }
        }
    } catch (const store::StoreError& error) { check.storeProblem = error.what(); }
    return check;
}

}  // namespace import
