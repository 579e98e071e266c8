// SPDX-License-Identifier: MIT
#include "store/compaction.h"

#include "store/page_check.h"
#include "store/schema.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace store {

namespace {

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

// The folder the engine keeps its temporary files in, found as the engine finds it: the
// first of these that is a folder this program may write to.
std::filesystem::path temporaryFolder() {
    std::vector<std::string> candidates;
    for (const char* variable : {"SQLITE_TMPDIR", "TMPDIR"})
        if (const char* value = std::getenv(variable)) candidates.emplace_back(value);
    for (const char* folder : {"/var/tmp", "/usr/tmp", "/tmp", "."}) candidates.emplace_back(folder);
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_directory(candidate, error) && ::access(candidate.c_str(), W_OK | X_OK) == 0)
            return std::filesystem::absolute(candidate, error);
    }
    return ".";
}

// A compaction that ran out of room: the temporary folder, which must hold a working copy
// as large as the store, is the one to name when it lacks that room; else the store's disk.
std::string noRoomProblem(const std::filesystem::path& store, const std::string& storeDiskFull) {
    std::error_code error;
    const auto folder = temporaryFolder();
    const auto room = std::filesystem::space(folder, error);
    const auto needed = std::filesystem::file_size(store, error);
    if (error || room.available >= needed) return storeDiskFull;
    const auto megabytes = [](std::uintmax_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); };
    return "The temporary folder " + quoted(folder) + " has room for " + megabytes(room.available) +
           " MB, but the compaction's working copy there is as large as the store (" + megabytes(needed) +
           " MB). Make room in that folder, or name a folder with room in the environment variable SQLITE_TMPDIR, "
           "and try again.";
}

// The store's size as its pages, which is what a compaction changes; the file itself
// shrinks only once the log has been moved into it.
std::int64_t pagesInBytes(Database& db) {
    Statement count = db.prepare("PRAGMA page_count");
    count.step();
    Statement size = db.prepare("PRAGMA page_size");
    size.step();
    return count.integer(0) * size.integer(0);
}

}  // namespace

// Copying a compacted file over the store cannot be made safe for other programs: a
// write committed while the copy is made is lost with the old file, and so is a write of
// a program that still holds the old file open after a rename (with its log, which the
// engine then replays onto nothing). The engine's own VACUUM holds the write lock from
// the first page read to the commit and writes the result back through the log, as any
// other transaction. A damaged store is left as it is: rewriting it would carry the
// damage over, or lose the rows of the damaged pages for good.
Compacted compactRaceStore(const std::filesystem::path& path, const ConnectionSettings& settings) {
    const std::filesystem::path store = std::filesystem::absolute(path);
    std::optional<Database> db;
    Compacted sizes;
    try {
        db.emplace(openRaceStoreForWriting(store, settings));
        if (const auto problem = pageProblem(*db)) throw StoreError(damagedStore(store, *problem));
        // The engine's working copy goes to a temporary file, not into memory: it is as
        // large as the store.
        db->exec("PRAGMA temp_store = FILE");
        sizes.before = pagesInBytes(*db);
        db->exec("VACUUM");
        sizes.after = pagesInBytes(*db);
    } catch (const NoRoomError& error) {
        throw StoreError("The race store " + quoted(store) + " was not compacted: " +
                         sentence(noRoomProblem(store, error.what())) + " The store is unchanged.");
    } catch (const StoreError& error) {
        throw StoreError("The race store " + quoted(store) + " was not compacted: " + sentence(error.what()) +
                         " The store is unchanged.");
    }
    // Moves the rewritten pages from the log into the store, so the file shrinks now and
    // the log does not stay as large as the store. A reader in another program may hold
    // that up; the store is compacted either way, and the engine finishes the move later.
    try {
        db->prepare("PRAGMA wal_checkpoint(TRUNCATE)").step();
    } catch (const StoreError&) {}
    return sizes;
}

}  // namespace store
