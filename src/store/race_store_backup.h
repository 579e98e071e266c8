// SPDX-License-Identifier: MIT
// Backing up the race store into a file of its own, and restoring it from one.
#pragma once

#include "store/page_copy.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace store {

// What a backup holds, as the restore shows it before asking.
struct BackupContents {
    std::int64_t bytes = 0;
    int weeks = 0;
    int firstWeek = 0;  // 0 without weeks
    int lastWeek = 0;
    int watchedHorses = 0;
    int watchedStables = 0;
};

struct BackupOptions {
    // The engine's check of every page of the copy, besides the check of its tables.
    bool checkPages = true;
    // A file already at the target is replaced; otherwise the backup is refused.
    bool replace = true;
    PageCopy::Report report{};
};

// Writes the race store at `store` as of one moment to `target`, while other programs
// read and write it. The copy is made under a temporary name in the target's folder (made
// when missing), checked, and only then renamed to `target`, so no file of that name is
// ever half written; on any failure, or when `options.report` stops it, nothing is left
// behind and a StoreError (or nothing, when stopped) tells why. A backup is a race store
// of its own, in the engine's rollback mode, so it is one file with no log beside it.
// Returns what it holds; `weeks` is 0 and `bytes` too when stopped.
BackupContents backUpRaceStore(const std::filesystem::path& store, const std::filesystem::path& target,
                               const BackupOptions& options = {});

// The dated backup of a store on day `isoDate` (YYYY-MM-DD): "backups/horses
// YYYY-MM-DD.mdb" in the store's folder, or "horses YYYY-MM-DD-2.mdb" and so on when
// that day's name is taken.
std::filesystem::path datedBackupPath(const std::filesystem::path& store, std::string_view isoDate);

// The file the store is saved to before each restore, replaced each time.
std::filesystem::path beforeRestorePath(const std::filesystem::path& store);

// What the backup at `file` holds, after checking that it is a whole race store this
// program can restore: a database file, undamaged (every page checked), of this program
// (or older than the mark), of a layout no newer than this program's, with the race
// store's tables, and not the race store at `store` itself. Throws a StoreError that says
// why it cannot be restored.
BackupContents readBackup(const std::filesystem::path& file, const std::filesystem::path& store);

// Restores the race store at `store` from the backup at `backup`, checked by readBackup
// before (its header and tables are checked again here, its pages not). The store as it
// is is first saved to beforeRestorePath(store); then the backup's pages replace the
// store's in one write transaction of the store, so every program that has it open sees
// it change at once from the old state to the restored one, and a crash at any moment
// leaves one or the other. Throws a StoreError, the store unchanged, on any failure.
void restoreRaceStore(const std::filesystem::path& store, const std::filesystem::path& backup,
                      const PageCopy::Report& report = {});

}  // namespace store
