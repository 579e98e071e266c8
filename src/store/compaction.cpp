// SPDX-License-Identifier: MIT
#include "store/compaction.h"

#include "store/database.h"
#include "store/schema.h"
#include "store/sqlite_error.h"
#include "store/store_error.h"

#include <optional>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store {

namespace {

std::filesystem::path sideFile(const std::filesystem::path& file, const char* suffix) {
    return file.string() + suffix;
}

// What the engine may leave beside a database file it had open.
void removeSideFiles(const std::filesystem::path& file) {
    std::error_code ignored;
    for (const char* suffix : {"-journal", "-wal", "-shm"}) std::filesystem::remove(sideFile(file, suffix), ignored);
}

void removeWithSideFiles(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    removeSideFiles(file);
}

// The engine does not flush the copy it writes; a rename before the data reaches the
// disk could leave an empty store after a power cut.
bool flushToDisk(const std::filesystem::path& path, bool directory) {
#ifdef _WIN32
    (void)path;
    (void)directory;
    return true;
#else
    const int fd = ::open(path.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed || directory;  // some file systems cannot flush a folder
#endif
}

// Copies the store without its free pages; returns the rows the copy must hold. No read
// transaction can span the copy, so a write by another program in between makes the
// counts disagree and the copy is refused: never a loss, only a compaction not done.
StoreRows copyInto(const std::filesystem::path& store, const std::filesystem::path& copy) {
    // The connection ends with this block, so none is open by the time of the rename.
    Database db = Database::open(store);
    const StoreRows rows = countRows(db);
    db.prepare("VACUUM INTO ?1").bind(1, copy.string()).step();
    return rows;
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

// Builds, checks and flushes the copy, then moves it over the store. Returns why the
// store could not be replaced, or nothing once it has been.
std::optional<std::string> replaceByCompactedCopy(const std::filesystem::path& store,
                                                  const std::filesystem::path& copy, const RenameFile& rename) {
    const StoreRows rows = copyInto(store, copy);
    if (auto problem = compactedCopyProblem(copy, rows)) return sentence(*problem);
    removeSideFiles(copy);  // the check may leave empty ones
    if (!flushToDisk(copy, false)) return "the compacted copy could not be written to the disk.";
    // Our connections are closed and the engine removed the store's log with the last of
    // them; a log still there belongs to another program using the store, and would be
    // replayed onto the new file.
    if (std::filesystem::exists(sideFile(store, "-wal"))) return "another program is using it.";
    if (const std::error_code error = rename(copy, store))
        return "the compacted copy could not replace it (" + error.message() + ").";
    return std::nullopt;
}

}  // namespace

StoreRows countRows(Database& db) {
    Statement counts = db.prepare("SELECT (SELECT count(*) FROM tblraces), (SELECT count(*) FROM tblhorsedata), "
                                  "(SELECT count(*) FROM statecodes)");
    counts.step();
    return {counts.integer(0), counts.integer(1), counts.integer(2)};
}

std::optional<std::string> compactedCopyProblem(const std::filesystem::path& copy, const StoreRows& expected) {
    // A copy cut short fails here already: the engine refuses a file shorter than its
    // header says.
    if (auto problem = raceStoreProblem(copy)) return problem;
    Database db = Database::open(copy, Access::ReadOnly);
    if (countRows(db) != expected) return "the compacted copy does not hold every row of the store";
    return std::nullopt;
}

std::error_code renameReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error;
}

std::filesystem::path compactionFile(const std::filesystem::path& store) {
    return store.parent_path() / (store.stem().string() + "temp" + store.extension().string());
}

void compactRaceStore(const std::filesystem::path& path, const RenameFile& rename) {
    const std::filesystem::path store = std::filesystem::absolute(path);
    const std::filesystem::path copy = compactionFile(store);
    removeWithSideFiles(copy);  // a leftover of an interrupted compaction
    std::optional<std::string> problem;
    try {
        problem = replaceByCompactedCopy(store, copy, rename);
    } catch (const StoreError& error) {
        problem = sentence(error.what());
    }
    if (problem) {
        removeWithSideFiles(copy);
        throw StoreError("The race store " + quoted(store) + " was not compacted: " + *problem +
                         " The store is unchanged.");
    }
    flushToDisk(store.parent_path(), true);
}

}  // namespace store
