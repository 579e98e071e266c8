// SPDX-License-Identifier: MIT
#include "import/import_driver.h"

#include "import/race_conditions_classifier.h"
#include "import/results_file_error.h"
#include "import/results_file_source.h"
#include "import/results_reader.h"
#include "base/busy_pointer.h"
#include "base/one_line.h"
#include "base/program_folder.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/race_writer.h"
#include "store/removed_weeks.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "store/store_error.h"
#include "store/transaction.h"

#include <exception>
#include <filesystem>
#include <unordered_set>

namespace import {

// One import: the status text, the store and the state that spans its files. An
// unattended import asks nothing: a file whose week check would ask is left alone.
class Import {
public:
    Import(std::string& status, base::UserDialogs& dialogs, store::Database& db, std::size_t fileCount,
           bool unattended = false)
        : status_(status),
          dialogs_(dialogs),
          db_(db),
          fileCount_(static_cast<int>(fileCount)),
          unattended_(unattended) {}

    // Stores one file whole, or nothing of it. False when the user declined to replace
    // its week; a failure throws.
    bool importFile(const ChosenFile& file, int index);
    const std::vector<FileImported>& imported() const { return imported_; }

private:
    void showStatus(const std::string& text) {
        status_ = text;
        dialogs_.repaintNow();
    }
    void showProgress(int index, const ChosenFile& file, int races) {
        dialogs_.showProgress({index, fileCount_,
                               "Importing " + file.name + " (file " + std::to_string(index + 1) + " of " +
                                   std::to_string(fileCount_) + "): " + std::to_string(races) + " races stored"});
    }
    bool replaceWeekIfAgreed(int week);

    std::string& status_;
    base::UserDialogs& dialogs_;
    store::Database& db_;
    int fileCount_;
    bool unattended_;
    RaceConditionsClassifier classifier_;  // its non-winner count spans the whole import
    std::vector<FileImported> imported_;   // the files stored so far
};

// The file's first race is stored: the week is replaced only after a Yes.
bool Import::replaceWeekIfAgreed(int week) {
    if (unattended_) return false;
    if (!dialogs_.askYesNo("This week has already been entered into the database.  Do you wish to over-write all old "
                           "data from this week?",
                           base::kAppTitle)) {
        dialogs_.message("Database import cancelled at user request.", base::kAppTitle);
        return false;
    }
    showStatus("Deleting old records.\rPlease wait.");
    store::deleteWeek(db_, week);
    return true;
}

bool Import::importFile(const ChosenFile& file, int index) {
    showProgress(index, file, 0);
    const std::string bytes = readResultsFile(file.path);
    ResultsReader reader(bytes, classifier_);
    const double firstRace = reader.firstRaceNumber();
    store::Transaction transaction(db_);
    const store::StoredWeek stored = store::storedWeek(db_, firstRace, reader.week());
    if (stored == store::StoredWeek::FirstRace && !replaceWeekIfAgreed(reader.week())) return false;
    showStatus("Import in Progress...");
    // The race numbers that must not be stored again: those of the week's other file, read
    // only when there is one, and those of this file as it is stored.
    std::unordered_set<double> taken;
    if (stored == store::StoredWeek::OtherRaces)
        for (const double racenum : store::weekRaceNumbers(db_, reader.week())) taken.insert(racenum);
    FileImported done{file.name, reader.week()};
    store::RaceWriter writer(db_);
    bool first = true;
    while (auto race = reader.nextRace()) {
        if (!first) showStatus(race->progressText);
        first = false;
        if (!taken.insert(race->race.racenum).second) {
            ++done.racesLeftOut;
            continue;
        }
        writer.addRace(race->race);
        for (const auto& runner : race->runners) writer.addRunner(runner);
        showProgress(index, file, ++done.racesStored);
    }
    // Stored again: the results folder's checks no longer leave the week out.
    store::clearRemovedWeek(db_, reader.week());
    transaction.commit();
    imported_.push_back(std::move(done));
    return true;
}

namespace {

// Whether the files bring at least as many runs as the store holds: then building the
// name, number and owner indexes once at the end beats keeping them up to date.
bool worthABulkLoad(store::Database& db, const std::vector<ChosenFile>& files) {
    constexpr std::uintmax_t kBytesPerRun = 110;  // a runner's two records in a results file
    constexpr std::uintmax_t kSmallestBulkLoad = 20'000;
    if (files.size() < 2) return false;
    std::uintmax_t bytes = 0;
    for (const auto& file : files) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file.path, error);
        if (!error) bytes += size;
    }
    const std::uintmax_t incoming = bytes / kBytesPerRun;
    const auto stored = static_cast<std::uintmax_t>(store::storedRunsEstimate(db));
    return incoming >= kSmallestBulkLoad && incoming >= stored;
}

// Why a file failed, on a line of its own below the failure text, so the user can mend
// the file; nothing for a failure that the file's reading did not name.
std::string reasonLine(const std::exception& error) {
    const std::string reason = failureReason(error);
    return reason.empty() ? "" : "\r" + reason;
}

// A full disk: which files are stored and which not, and how to go on.
std::string noRoomMessage(const std::string& why, const std::vector<ChosenFile>& files, std::size_t failed) {
    std::string text = why + "\r";
    if (failed == 0) text += "No file was stored. ";
    else if (failed == 1) text += files[0].name + " was stored. ";
    else
        text += "The " + std::to_string(failed) + " files before it were stored (" + files[0].name + " to " +
                files[failed - 1].name + "). ";
    const std::size_t after = files.size() - failed - 1;
    text += files[failed].name + (after == 0 ? " was not stored."
                                             : " and the " + std::to_string(after) + (after == 1 ? " file" : " files") +
                                                   " after it were not stored.");
    return text +
           "\rMake room on that disk (delete files there that you do not need), then import the files "
           "not stored again.";
}

// The races left out as stored already, file by file, then the watch list's line.
std::string statusAfterImport(shell::WindowSession& window, store::Database& db,
                              const std::vector<FileImported>& files) {
    std::vector<int> weeks;
    std::string status;
    const auto addLine = [&](const std::string& line) {
        if (!line.empty()) status += (status.empty() ? "" : "\r") + line;
    };
    for (const FileImported& file : files) {
        weeks.push_back(file.week);
        if (file.racesLeftOut > 0) addLine(racesLeftOutLine(file.file, file.racesLeftOut));
    }
    addLine(window.weeksImported(db, weeks));
    return status;
}

ImportResult importEach(shell::WindowSession& window, store::Database& db, const std::vector<ChosenFile>& files) {
    Import import(window.lblprogress.caption, window.dialogs(), db, files.size());
    for (std::size_t k = 0; k < files.size(); ++k) {
        try {
            if (!import.importFile(files[k], static_cast<int>(k))) {
                window.lblprogress.caption.clear();
                return ImportResult::Cancelled;
            }
        } catch (const std::exception& error) {
            // The file's transaction has rolled back: its week is as it was before.
            window.lblprogress.caption =
                "Import of " + files[k].name + " was NOT completed.\rImport terminated." + reasonLine(error);
            window.dialogs().repaintNow();
            // A full disk or a locked store is no fault of the file: the user must learn which it was.
            if (dynamic_cast<const store::NoRoomError*>(&error))
                window.dialogs().message(noRoomMessage(error.what(), files, k), base::kAppTitle);
            else if (dynamic_cast<const store::StoreError*>(&error))
                window.dialogs().message(error.what(), base::kAppTitle);
            return ImportResult::Failed;
        }
    }
    window.lblprogress.caption = statusAfterImport(window, db, import.imported());
    return ImportResult::Done;
}

}  // namespace

std::optional<store::BulkLoad> bulkLoadIfWorthIt(store::Database& db, const std::vector<ChosenFile>& files) {
    if (!worthABulkLoad(db, files) || store::bulkLoadUnderway(db.path())) return std::nullopt;
    return std::optional<store::BulkLoad>(std::in_place, db);
}

std::optional<std::string> finishBulkLoad(std::optional<store::BulkLoad>& bulkLoad) {
    if (!bulkLoad) return std::nullopt;
    try {
        bulkLoad->finish();
        return std::nullopt;
    } catch (const store::StoreError& error) {
        return std::string("The search indexes could not be built again after the import:\r") + error.what() +
               "\rThe weeks stored are whole. Searches list them without the indexes, only slower, and the next "
               "search builds the indexes once there is room.";
    }
}

std::string racesLeftOutLine(const std::string& file, int count) {
    return "Left out " + std::to_string(count) + (count == 1 ? " race of " : " races of ") + base::oneLine(file) +
           (count == 1 ? " that is" : " that are") + " stored already.";
}

std::string failureReason(const std::exception& error) {
    if (!dynamic_cast<const ResultsFileError*>(&error) && !dynamic_cast<const UnreadableFile*>(&error)) return "";
    std::string reason = error.what();
    if (!reason.empty() && reason.back() != '.') reason += '.';
    return reason;
}

UnattendedImport::UnattendedImport(store::Database& db, base::UserDialogs& dialogs, std::size_t fileCount)
    : import_(std::make_unique<Import>(status_, dialogs, db, fileCount, true)) {}

UnattendedImport::~UnattendedImport() = default;

std::optional<FileImported> UnattendedImport::importFile(const ChosenFile& file, int index) {
    if (!import_->importFile(file, index)) return std::nullopt;
    return import_->imported().back();
}

base::FileDialogOptions importDialogOptions() {
    return {"Open", "All Files (*.*)|*.*|Raceout.zip Files (*.zip)|*.zip", 2, true};
}

ImportResult cmdimportdata_Click(shell::WindowSession& window) {
    base::BusyPointer busy(window.dialogs());
    const auto answer = window.dialogs().chooseFilesToOpen(importDialogOptions());
    if (!answer) return ImportResult::Cancelled;
    return importFiles(window, window.raceStorePath(), fileListFromDialogAnswer(*answer, base::kPathSeparator));
}

ImportResult importFiles(shell::WindowSession& window, const std::string& storePath,
                         const std::vector<ChosenFile>& files) {
    base::UserDialogs& dialogs = window.dialogs();
    base::BusyPointer busy(dialogs);
    try {
        window.releaseReaders();  // so that the import's close removes the store's log
        auto db = store::openRaceStoreForWriting(storePath);
        store::ensureSearchIndexesUnlessBulkLoad(db);
        auto bulkLoad = bulkLoadIfWorthIt(db, files);
        const ImportResult result = importEach(window, db, files);
        if (const auto problem = finishBulkLoad(bulkLoad)) {
            dialogs.message(*problem, base::kAppTitle);
            return ImportResult::Failed;
        }
        return result;
    } catch (const store::StoreError& error) {
        // The store itself failed (missing, locked, full): the files are not to blame.
        dialogs.message(error.what(), base::kAppTitle);
        return ImportResult::Failed;
    }
}

}  // namespace import
