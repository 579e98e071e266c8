// SPDX-License-Identifier: MIT
#include "store/race_store_backup.h"

#include "base/atomic_file.h"
#include "store/database.h"
#include "store/layout_mark.h"
#include "store/page_check.h"
#include "store/race_weeks.h"
#include "store/schema.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"
#include "store/transaction.h"
#include "store/watch_tables.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <unistd.h>

namespace store {

namespace {

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

int countRows(Database& db, const char* table) {
    Statement count = db.prepare(std::string("SELECT count(*) FROM ") + table);
    count.step();
    return static_cast<int>(count.integer(0));
}

std::int64_t pageSize(Database& db) {
    Statement size = db.prepare("PRAGMA page_size");
    size.step();
    return size.integer(0);
}

BackupContents contentsOf(Database& db, std::int64_t bytes) {
    BackupContents contents;
    contents.bytes = bytes;
    const std::vector<int> weeks = raceWeeks(db);  // newest first
    contents.weeks = static_cast<int>(weeks.size());
    if (!weeks.empty()) {
        contents.lastWeek = weeks.front();
        contents.firstWeek = weeks.back();
    }
    if (hasWatchTables(db)) {
        contents.watchedHorses = countRows(db, "watchedhorses");
        contents.watchedStables = countRows(db, "watchedstables");
    }
    return contents;
}

// Removes a file made for a backup, with any side file of the engine's, unless kept.
class TemporaryCopy {
public:
    explicit TemporaryCopy(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryCopy() {
        if (path_.empty()) return;
        std::error_code ignored;
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            std::filesystem::remove(path_.string() + suffix, ignored);
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;
    const std::filesystem::path& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::filesystem::path path_;
};

// Whether `file` is the store itself or one of the engine's files beside it, which a
// backup or a restore must never take the place of or read as a backup.
bool isTheStoreOrItsLog(const std::filesystem::path& file, const std::filesystem::path& store) {
    const std::string storePath = std::filesystem::absolute(store).string();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::error_code error;
        if (std::filesystem::absolute(file).string() == storePath + suffix ||
            std::filesystem::equivalent(file, storePath + suffix, error))
            return true;
    }
    return false;
}

std::filesystem::path newFileBeside(const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error)
        throw StoreError("The folder " + quoted(target.parent_path()) + " cannot be made: " + error.message() + ".");
    const base::NewFile file = base::createNewFile(target);
    if (file.fd < 0)
        throw StoreError("The folder " + quoted(target.parent_path()) +
                         " cannot be written: " + std::strerror(file.error) + ".");
    ::close(file.fd);
    return file.path;
}

// The engine's writes of the copy are not synced one by one (a copy cut short is thrown
// away): the whole file is synced once, before it takes the backup's name.
void syncToDisk(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (!synced) {
        if (error == ENOSPC) throw NoRoomError("The disk holding " + quoted(path.parent_path()) + " is full.");
        throw StoreError("Could not write " + quoted(path) + ": " + std::strerror(error) + ".");
    }
}

// Has the system start writing a file's pages to the disk as they come, without waiting
// for them, so that the sync at the end finds most of them written.
class WriteBehind {
public:
    explicit WriteBehind(const std::filesystem::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~WriteBehind() {
        if (fd_ >= 0) ::close(fd_);
    }
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;
    void start() const {
        if (fd_ >= 0) ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    }

private:
    int fd_;
};

// Copies every page into the new file; false when stopped.
bool copyPages(Database& source, const std::filesystem::path& file, const PageCopy::Report& report) {
    Database copy = Database::open(file, Access::ReadWrite, {.journalMode = JournalMode::Delete});
    copy.exec("PRAGMA journal_mode = OFF");
    copy.exec("PRAGMA synchronous = OFF");
    const WriteBehind writeBehind(file);
    const auto stepped = [&](CopyProgress progress) {
        writeBehind.start();
        return !report || report(progress);
    };
    if (!PageCopy::copy(source, copy, stepped)) return false;
    // The pages came with the store's mark of its log; a backup is one file.
    copy.exec("PRAGMA journal_mode = DELETE");
    return true;
}

BackupContents checkedCopy(const std::filesystem::path& file, bool checkPages) {
    Database copy = openRaceStoreForReading(file);
    readMapped(copy);
    if (checkPages)
        if (const auto problem = pageProblem(copy)) throw StoreError("the copy fails the engine's check: " + *problem);
    return contentsOf(copy, static_cast<std::int64_t>(std::filesystem::file_size(file)));
}

void putInPlace(const std::filesystem::path& temp, const std::filesystem::path& target, bool replace) {
    std::error_code error;
    if (replace) std::filesystem::rename(temp, target, error);
    else std::filesystem::create_hard_link(temp, target, error);  // fails when a file is there
    if (error) throw StoreError("it cannot take the name " + quoted(target) + ": " + error.message() + ".");
    if (!replace) std::filesystem::remove(temp, error);
    syncToDisk(target.parent_path(), O_RDONLY | O_DIRECTORY);
}

}  // namespace

BackupContents backUpRaceStore(const std::filesystem::path& store, const std::filesystem::path& target,
                               const BackupOptions& options) {
    const std::filesystem::path file = std::filesystem::absolute(target);
    const std::string notBackedUp = "The race store was not backed up to " + quoted(file) + ": ";
    try {
        if (!options.replace && std::filesystem::exists(std::filesystem::symlink_status(file)))
            throw StoreError("a file of that name is there already.");
        if (isTheStoreOrItsLog(file, store)) throw StoreError("that is the race store itself, or its log.");
        Database source = openRaceStoreForReading(store);
        TemporaryCopy temp(newFileBeside(file));
        if (!copyPages(source, temp.path(), options.report)) return {};
        syncToDisk(temp.path(), O_RDWR);
        BackupContents contents = checkedCopy(temp.path(), options.checkPages);
        putInPlace(temp.path(), file, options.replace);
        temp.keep();
        return contents;
    } catch (const NoRoomError&) {
        throw StoreError(notBackedUp + "the disk holding " + quoted(file.parent_path()) +
                         " is full. Nothing was left there; make room and try again.");
    } catch (const StoreError& error) {
        throw StoreError(notBackedUp + sentence(error.what()) + " Nothing was left there.");
    }
}

std::filesystem::path datedBackupPath(const std::filesystem::path& store, std::string_view isoDate) {
    const std::filesystem::path folder = std::filesystem::absolute(store).parent_path() / "backups";
    const std::string stem = "horses " + std::string(isoDate);
    std::filesystem::path path = folder / (stem + ".mdb");
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path)); ++n)
        path = folder / (stem + "-" + std::to_string(n) + ".mdb");
    return path;
}

std::filesystem::path beforeRestorePath(const std::filesystem::path& store) {
    return std::filesystem::absolute(store).string() + ".before-restore";
}

namespace {

void refuseTheStoreItself(const std::filesystem::path& backup, const std::filesystem::path& store) {
    if (isTheStoreOrItsLog(backup, store))
        throw StoreError(quoted(std::filesystem::absolute(backup)) +
                         " is the race store itself, or its log, not a backup of it.");
}

Database openBackup(const std::filesystem::path& file) {
    Database backup = openRaceStoreForReading(file);
    if (const auto problem = layoutProblem(backup.path(), readLayoutMark(backup), true)) throw StoreError(*problem);
    return backup;
}

std::int64_t generation(Database& db) {
    Statement select = db.prepare("PRAGMA user_version");
    select.step();
    return select.integer(0);
}

// The restored store counts its generations on from the higher of the two, so that no
// state after the restore carries the number of one before it.
void markRestored(Database& store, std::int64_t generationBefore) {
    Transaction transaction(store);
    const std::int64_t restored = generation(store);
    store.exec("PRAGMA user_version = " + std::to_string(std::max(restored, generationBefore)));
    markLayout(store);
    transaction.commit();
}

}  // namespace

BackupContents readBackup(const std::filesystem::path& file, const std::filesystem::path& store) {
    refuseTheStoreItself(file, store);
    Database backup = openBackup(file);
    readMapped(backup);
    if (const auto problem = pageProblem(backup)) throw StoreError(damagedStore(backup.path(), *problem));
    return contentsOf(backup, static_cast<std::int64_t>(std::filesystem::file_size(backup.path())));
}

void restoreRaceStore(const std::filesystem::path& store, const std::filesystem::path& backup,
                      const PageCopy::Report& report) {
    refuseTheStoreItself(backup, store);
    Database target = openRaceStoreForWriting(store);
    Database source = openBackup(backup);
    if (pageSize(source) != pageSize(target))
        throw StoreError("The backup " + quoted(source.path()) + " has pages of " + std::to_string(pageSize(source)) +
                         " bytes, the race store of " + std::to_string(pageSize(target)) +
                         ": it cannot be written into the store while it is in use. The store is unchanged.");
    const std::int64_t generationBefore = generation(target);
    // The store is saved on a thread of its own while the backup's pages go into its log:
    // the save reads the store as last committed, and the restore commits only once the
    // save is whole (its failure, rethrown here, leaves the store unchanged).
    auto saving = std::async(std::launch::async, [&store] {
        backUpRaceStore(store, beforeRestorePath(store), {.checkPages = false, .replace = true});
    });
    const auto onceSaved = [&saving](CopyProgress) {
        saving.get();
        return true;
    };
    if (!PageCopy::copy(source, target, report, onceSaved))
        throw StoreError("The restore of the race store was stopped; the store is unchanged.");
    markRestored(target, generationBefore);
    // Moves the restored pages from the log into the store, as a compaction does; a
    // reader in another program may hold that up, and the engine finishes it later.
    try {
        target.prepare("PRAGMA wal_checkpoint(TRUNCATE)").step();
    } catch (const StoreError&) {}
}

}  // namespace store
