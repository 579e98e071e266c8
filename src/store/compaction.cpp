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

void copyInto(const std::filesystem::path& store, const std::filesystem::path& copy) {
    // The connection ends with this block, so none is open by the time of the rename.
    Database db = Database::open(store);
    db.prepare("VACUUM INTO ?1").bind(1, copy.string()).step();
}

std::optional<std::string> copyProblem(const std::filesystem::path& copy) {
    if (auto problem = raceStoreProblem(copy)) return problem;
    Database db = Database::open(copy, Access::ReadOnly);
    Statement check = db.prepare("PRAGMA quick_check");
    if (!check.step() || check.text(0) != "ok")
        return "the compacted copy failed its check (" + check.text(0) + ")";
    return std::nullopt;
}

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

// Builds, checks and flushes the copy, then moves it over the store. Returns why the
// store could not be replaced, or nothing once it has been.
std::optional<std::string> replaceByCompactedCopy(const std::filesystem::path& store,
                                                  const std::filesystem::path& copy, const RenameFile& rename) {
    copyInto(store, copy);
    if (auto problem = copyProblem(copy)) return sentence(*problem);
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
