// SPDX-License-Identifier: MIT
#include "shell/store_backup.h"

#include "base/busy_pointer.h"
#include "base/size_text.h"
#include "shell/main_finder.h"
#include "shell/window_session.h"
#include "store/database.h"
#include "store/schema.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"

namespace shell {

namespace {

constexpr const char* kBackupFilter = "Race store backups (*.mdb)|*.mdb|All files (*.*)|*.*";

int percentOf(store::CopyProgress progress) {
    return progress.total > 0 ? static_cast<int>(progress.done * 100 / progress.total) : 0;
}

// "weeks 10360 to 10366 (7 weeks)", "1 week, 10366", "no weeks".
std::string weeksText(const store::BackupContents& contents) {
    if (contents.weeks == 0) return "no weeks";
    if (contents.weeks == 1) return "1 week, " + std::to_string(contents.lastWeek);
    return "weeks " + std::to_string(contents.firstWeek) + " to " + std::to_string(contents.lastWeek) + " (" +
           std::to_string(contents.weeks) + " weeks)";
}

std::string countText(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

void BackupJob::run(const std::function<void()>& progressed) {
    try {
        const auto report = [this, &progressed](store::CopyProgress progress) {
            percent_ = percentOf(progress);
            if (progressed) progressed();
            return !stop_;
        };
        const auto contents =
            store::backUpRaceStore(store_, target_, {.checkPages = true, .replace = replace_, .report = report});
        if (!stop_) made_ = contents;
    } catch (const store::StoreError& error) { failure_ = error.what(); }
}

std::string BackupJob::progressText() const {
    return "Backing up the race store ... " + std::to_string(percent_.load()) + "%";
}

bool BackupJob::tell(WindowSession& window, const std::string& afterFailure) const {
    if (!made_) {
        window.lblprogress.caption.clear();
        if (!failure_.empty()) window.dialogs().message(failure_ + afterFailure, base::kAppTitle);
        return false;
    }
    window.lblprogress.caption = "Backed up the race store to " + store::quoted(target_) + ": " +
                                 base::sizeText(made_->bytes) + ", " + weeksText(*made_) + ".";
    return true;
}

std::unique_ptr<BackupJob> cmdbackup_Click(WindowSession& window) {
    const std::filesystem::path dated =
        store::datedBackupPath(window.raceStorePath(), base::isoDate(window.clock().today()));
    // The dialog can open in the folder only once it is there.
    std::error_code ignored;
    std::filesystem::create_directories(dated.parent_path(), ignored);
    const auto chosen = window.dialogs().chooseFileToSave(
        {.title = "Back Up Race Store", .filter = kBackupFilter, .initialPath = dated.string()});
    if (!chosen) return nullptr;
    return std::make_unique<BackupJob>(window.raceStorePath(), *chosen, true);
}

std::unique_ptr<BackupJob> datedBackup(WindowSession& window) {
    const std::filesystem::path dated =
        store::datedBackupPath(window.raceStorePath(), base::isoDate(window.clock().today()));
    return std::make_unique<BackupJob>(window.raceStorePath(), dated, false);
}

bool backUpNow(WindowSession& window, BackupJob& job, const std::string& afterFailure) {
    base::BusyPointer busy(window.dialogs());
    const auto showProgress = [&window, &job] {
        window.lblprogress.caption = job.progressText();
        window.dialogs().repaintNow();
    };
    showProgress();
    job.run(showProgress);
    return job.tell(window, afterFailure);
}

namespace {

void emptyListing(MainFinder& window) {
    window.MSFlexGrid1.setRows(window.MSFlexGrid1.fixedRows() + 1);
    window.MSFlexGrid1.clearRow(window.MSFlexGrid1.fixedRows());
    for (base::GridModel* grid : {&window.MSFSGrid, &window.MSFmaxgrid, &window.MSFWGrid, &window.MSFSRGrid})
        for (int row = grid->fixedRows(); row < grid->rows(); ++row)
            for (int col = grid->fixedCols(); col < grid->cols(); ++col) grid->setText(row, col, "");
    window.frainfo.caption.clear();
    window.lblfastest.caption.clear();
}

}  // namespace

bool cmdrestore_Click(MainFinder& window) {
    const auto chosen = window.dialogs().chooseFilesToOpen(
        {.title = "Restore Race Store",
         .filter = kBackupFilter,
         .initialPath = (std::filesystem::path(window.raceStorePath()).parent_path() / "backups").string()});
    if (!chosen || !restoreFrom(window, *chosen)) return false;
    emptyListing(window);
    return true;
}

namespace {

std::string restoreQuestion(const std::filesystem::path& file, const store::BackupContents& contents,
                            const std::filesystem::path& saved) {
    return "Restore the race store from the backup " + store::quoted(file) + "?\r\rIt holds " + weeksText(contents) +
           " and a watch list of " + countText(contents.watchedHorses, "horse", "horses") + " and " +
           countText(contents.watchedStables, "stable", "stables") + ".\r\rThe race store as it is now is saved to " +
           store::quoted(saved) + " first.";
}

}  // namespace

std::optional<store::BackupContents> restoreFrom(WindowSession& window, const std::filesystem::path& file) {
    const std::filesystem::path storePath = window.raceStorePath();
    store::BackupContents contents;
    {
        base::BusyPointer busy(window.dialogs());
        try {
            contents = store::readBackup(file, storePath);
        } catch (const store::StoreError& error) {
            window.dialogs().message(
                std::string(error.what()) + "\rIt cannot be restored; the race store is unchanged.", base::kAppTitle);
            return std::nullopt;
        }
    }
    const std::filesystem::path saved = store::beforeRestorePath(storePath);
    if (!window.dialogs().askYesNo(restoreQuestion(file, contents, saved), base::kAppTitle)) return std::nullopt;
    base::BusyPointer busy(window.dialogs());
    window.lblprogress.caption = "Please wait.\r\rRestoring the race store.";
    window.dialogs().repaintNow();
    try {
        window.releaseReaders();  // so that the restore's close writes the store's log into it
        store::restoreRaceStore(storePath, file, [&window](store::CopyProgress progress) {
            window.lblprogress.caption = "Restoring the race store ... " + std::to_string(percentOf(progress)) + "%";
            window.dialogs().repaintNow();
            return true;
        });
        auto db = store::openRaceStoreForWriting(storePath);  // closing last, a writer tidies the log away
        window.storeChanged(db);
    } catch (const store::StoreError& error) {
        window.lblprogress.caption.clear();
        window.dialogs().message(error.what(), base::kAppTitle);
        return std::nullopt;
    }
    window.lblprogress.caption = "Restored the race store from " + store::quoted(std::filesystem::absolute(file)) +
                                 ": " + weeksText(contents) + ". The store as it was is saved to " +
                                 store::quoted(saved) + ".";
    return contents;
}

}  // namespace shell
