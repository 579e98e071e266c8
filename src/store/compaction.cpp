// SPDX-License-Identifier: MIT
#include "store/compaction.h"

#include "store/schema.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"

#include <optional>
#include <string>

namespace store {

namespace {

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

// The engine's quick check of every page (not of the indexes' agreement with their
// tables, which takes several times longer): the first problem it finds, or nothing.
std::optional<std::string> pageProblem(Database& db) {
    Statement check = db.prepare("PRAGMA quick_check(1)");
    if (!check.step()) return std::nullopt;
    std::string verdict = check.text(0);
    if (verdict == "ok") return std::nullopt;
    // "*** in database main ***\nPage 23: ...": the page is what the user can pass on.
    if (const auto line = verdict.rfind('\n'); line != std::string::npos) verdict.erase(0, line + 1);
    return verdict;
}

}  // namespace

// Copying a compacted file over the store cannot be made safe for other programs: a
// write committed while the copy is made is lost with the old file, and so is a write of
// a program that still holds the old file open after a rename (with its log, which the
// engine then replays onto nothing). The engine's own VACUUM holds the write lock from
// the first page read to the commit and writes the result back through the log, as any
// other transaction. A damaged store is left as it is: rewriting it would carry the
// damage over, or lose the rows of the damaged pages for good.
void compactRaceStore(const std::filesystem::path& path, const ConnectionSettings& settings) {
    const std::filesystem::path store = std::filesystem::absolute(path);
    std::optional<Database> db;
    try {
        db.emplace(openRaceStoreForWriting(store, settings));
        if (const auto problem = pageProblem(*db)) throw StoreError(damagedStore(store, *problem));
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
    } catch (const StoreError&) {}
}

}  // namespace store
