// SPDX-License-Identifier: MIT
#include "store/compaction.h"

#include "store/sqlite_error.h"
#include "store/store_error.h"

#include <optional>
#include <string>

namespace store {

namespace {

void removeWithSideFiles(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ignored);
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

}  // namespace

std::filesystem::path compactionFile(const std::filesystem::path& store) {
    return store.parent_path() / (store.stem().string() + "temp" + store.extension().string());
}

// Copying a compacted file over the store cannot be made safe for other programs: a
// write committed while the copy is made is lost with the old file, and so is a write of
// a program that still holds the old file open after a rename (with its log, which the
// engine then replays onto nothing). The engine's own VACUUM holds the write lock from
// the first page read to the commit and writes the result back through the log, as any
// other transaction.
void compactRaceStore(const std::filesystem::path& path, const ConnectionSettings& settings) {
    const std::filesystem::path store = std::filesystem::absolute(path);
    removeWithSideFiles(compactionFile(store));
    std::optional<Database> db;
    try {
        db.emplace(Database::open(store, Access::ReadWrite, settings));
        // The engine's working copy goes to a temporary file, not into memory: it is as
        // large as the store.
        db->exec("PRAGMA temp_store = FILE");
        db->exec("VACUUM");
    } catch (const StoreError& error) {
        throw StoreError("The race store " + quoted(store) + " was not compacted: " + sentence(error.what()) +
                         " The store is unchanged.");
    }
    // Moves the rewritten pages from the log into the store, so the file shrinks now and
    // the log does not stay as large as the store. A reader in another program may hold
    // that up; the store is compacted either way, and the engine finishes the move later.
    try {
        db->prepare("PRAGMA wal_checkpoint(TRUNCATE)").step();
    } catch (const StoreError&) {
    }
}

}  // namespace store
