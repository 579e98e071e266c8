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
#include "store/removed_weeks.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "store/store_error.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace import {

namespace {

namespace fs = std::filesystem;

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

// A bulk fill's progress, passed on with the week of the file being imported.
class FillDialogs : public Unseen {
public:
    explicit FillDialogs(FillListener onFill) : onFill_(std::move(onFill)) {}
    void startFile(const SettledFile& file) { file_ = {file.name, file.entry.week, {}}; }
    void showProgress(const base::ProgressState& state) override {
        if (!onFill_) return;
        file_.import = state;
        onFill_(file_);
    }

private:
    FillListener onFill_;
    FillProgress file_;
};

// What the start of a file says: a results file with its first race, none, or that it
// cannot be read. A file whose first race number is 0 holds no race to store, so it counts
// as none; so does an archive without a results text.
FolderMemory::Entry look(const fs::path& path, std::uintmax_t size, fs::file_time_type time) {
    FolderMemory::Entry entry{size, time, FolderMemory::Kind::NoResults, 0, 0, {}};
    try {
        const std::string start = readResultsFileStart(path.string(), kResultsHeadingBytes);
        RaceConditionsClassifier classifier;
        ResultsReader reader(start, classifier);
        if (!reader.inResultsLayout()) return entry;
        const double first = reader.firstRaceNumber();
        if (first == 0) return entry;
        entry.kind = FolderMemory::Kind::Results;
        entry.firstRace = first;
        entry.week = reader.week();
    } catch (const FileAccessError& error) {
        entry.kind = FolderMemory::Kind::Unreadable;
        entry.reason = error.what();
    } catch (const UnreadableFile&) {
    } catch (const ResultsFileError&) {}
    return entry;
}

store::WeekFile weekFile(const std::string& name, const FolderMemory::Entry& entry) {
    return {entry.week, name, static_cast<std::int64_t>(entry.size),
            static_cast<std::int64_t>(entry.time.time_since_epoch().count())};
}

UnreadableFolder unreadable(const fs::path& folder, const std::error_code& error) {
    return UnreadableFolder("The results folder " + folder.string() + " cannot be read: " + error.message() + ".");
}

// Changed within the settling time, before now or after it.
bool settling(fs::file_time_type time, fs::file_time_type now) {
    return time > now - kSettlingTime && time < now + kSettlingTime;
}

// Sorts one file of the folder out: settled results files go to `settled`, the others to
// `check` or nowhere, and `memory` learns what was seen.
void sortOut(const fs::directory_entry& file, fs::file_time_type now, FolderMemory& memory, FolderCheck& check,
             std::vector<SettledFile>& settled) {
    std::error_code statError;
    const std::uintmax_t size = file.file_size(statError);
    const fs::file_time_type time = file.last_write_time(statError);
    if (statError) return;  // gone meanwhile
    const std::string name = file.path().filename().string();
    const FolderMemory::Entry* known = memory.find(name, size, time);
    if (known && (known->kind == FolderMemory::Kind::NoResults || known->kind == FolderMemory::Kind::Failed)) return;
    const bool told = known && known->kind == FolderMemory::Kind::Unreadable;
    const FolderMemory::Entry seen = known && !told ? *known : look(file.path(), size, time);
    const bool recent = settling(time, now);
    if (seen.kind == FolderMemory::Kind::Unreadable) {
        if (!told) check.unreadable.push_back({name, 0, seen.reason});
        memory.remember(name, seen);
    } else if (seen.kind == FolderMemory::Kind::NoResults) {
        if (!recent) memory.remember(name, seen);  // else its heading may yet be written
    } else if (recent) {
        check.waiting.push_back({name, seen.week, {}});
    } else {
        memory.remember(name, seen);
        settled.push_back({name, file.path().string(), seen});
    }
}

// The settled results files of the folder, oldest week first; those still being written
// go to `check.waiting`, those that cannot be read to `check.unreadable`.
std::vector<SettledFile> settledResultsFiles(const fs::path& folder, FolderMemory& memory, FolderCheck& check) {
    const auto now = fs::file_time_type::clock::now();
    std::vector<SettledFile> settled;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) throw unreadable(folder, error);
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) throw unreadable(folder, error);
        std::error_code statError;
        if (!entries->is_regular_file(statError)) continue;
        names.push_back(entries->path().filename().string());
        sortOut(*entries, now, memory, check, settled);
    }
    if (error) throw unreadable(folder, error);
    memory.keepOnly(names);
    std::sort(settled.begin(), settled.end(), [](const SettledFile& a, const SettledFile& b) {
        return std::tie(a.entry.week, a.entry.firstRace, a.name) < std::tie(b.entry.week, b.entry.firstRace, b.name);
    });
    const auto byName = [](const FolderFile& a, const FolderFile& b) { return a.file < b.file; };
    std::sort(check.waiting.begin(), check.waiting.end(), byName);
    std::sort(check.unreadable.begin(), check.unreadable.end(), byName);
    return settled;
}

// Imports one settled file, and puts it where the check says what became of it.
void importSettled(UnattendedImport& import, const SettledFile& file, int index, FolderMemory& memory,
                   FolderCheck& check) {
    try {
        const auto imported = import.importFile({file.path, file.name}, index);
        // Not stored: another program stored it meanwhile, or every race of it is stored.
        if (!imported || (imported->racesStored == 0 && imported->racesLeftOut > 0))
            check.skipped.push_back({file.name, file.entry.week, kStoredAlready});
        else check.imported.push_back({file.name, imported->week, {}, imported->racesLeftOut});
    } catch (const store::StoreError&) { throw; } catch (const std::exception& error) {
        FolderMemory::Entry failed = file.entry;
        const std::string reason = failureReason(error);
        failed.reason = reason.empty() ? error.what() : reason;
        // A file that could not be read is read again next time; one that failed waits for a change.
        const bool access = dynamic_cast<const FileAccessError*>(&error) != nullptr;
        failed.kind = access ? FolderMemory::Kind::Unreadable : FolderMemory::Kind::Failed;
        (access ? check.unreadable : check.failed).push_back({file.name, file.entry.week, failed.reason});
        memory.remember(file.name, failed);
    }
}

// Imports the new files, in a bulk load when they bring more runs than the store holds. A
// failure of the store stops the check, and the bulk load still builds its indexes.
void importNew(store::Database& db, const std::vector<const SettledFile*>& files, FolderMemory& memory,
               FolderCheck& check, const FillListener& onFill) {
    store::ensureSearchIndexesUnlessBulkLoad(db);
    std::vector<ChosenFile> chosen;
    for (const SettledFile* file : files) chosen.push_back({file->path, file->name});
    auto bulkLoad = bulkLoadIfWorthIt(db, chosen);
    FillDialogs dialogs(bulkLoad ? onFill : FillListener());
    UnattendedImport import(db, dialogs, files.size());
    try {
        for (std::size_t k = 0; k < files.size(); ++k) {
            dialogs.startFile(*files[k]);
            importSettled(import, *files[k], static_cast<int>(k), memory, check);
        }
    } catch (const store::StoreError& error) { check.storeProblem = error.what(); }
    if (const auto problem = finishBulkLoad(bulkLoad))
        check.storeProblem += (check.storeProblem.empty() ? "" : "\r") + *problem;
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

std::vector<store::WeekFile> folderWeekFiles(const std::filesystem::path& folder) {
    std::vector<store::WeekFile> files;
    std::error_code error;
    for (fs::directory_iterator entries(folder, error); !error && entries != fs::directory_iterator();
         entries.increment(error)) {
        std::error_code statError;
        if (!entries->is_regular_file(statError)) continue;
        const std::uintmax_t size = entries->file_size(statError);
        const fs::file_time_type time = entries->last_write_time(statError);
        if (statError) continue;  // gone meanwhile
        const FolderMemory::Entry seen = look(entries->path(), size, time);
        if (seen.kind == FolderMemory::Kind::Results)
            files.push_back(weekFile(entries->path().filename().string(), seen));
    }
    return files;
}

FolderCheck checkResultsFolder(const std::filesystem::path& folder, const std::string& storePath, FolderMemory& memory,
                               const FillListener& onFill) {
    FolderCheck check;
    const std::vector<SettledFile> settled = settledResultsFiles(folder, memory, check);
    if (settled.empty()) return check;
    try {
        auto db = store::openRaceStoreForWriting(storePath);
        // The quick look first: a folder of weeks stored long ago costs a look-up each.
        const std::vector<store::WeekFile> removed = store::removedWeekFiles(db);
        std::vector<const SettledFile*> newFiles;
        for (const auto& file : settled) {
            if (std::ranges::find(removed, weekFile(file.name, file.entry)) != removed.end())
                check.skipped.push_back({file.name, file.entry.week, kRemovedByPlayer});
            else if (store::storedWeek(db, file.entry.firstRace, file.entry.week) == store::StoredWeek::FirstRace)
                check.skipped.push_back({file.name, file.entry.week, kStoredAlready});
            else newFiles.push_back(&file);
        }
        if (!newFiles.empty()) importNew(db, newFiles, memory, check, onFill);
    } catch (const store::StoreError& error) { check.storeProblem = error.what(); }
    return check;
}

}  // namespace import
