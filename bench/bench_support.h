// SPDX-License-Identifier: MIT
#pragma once

#include "base/user_dialogs.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace bench_support {

// Answers every question Yes and shows nothing, as a user who agrees to everything.
struct AgreeingDialogs : base::UserDialogs {
    void message(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    void beep() override {}
    void setBusy(bool) override {}
    void repaintNow() override {}
    std::optional<std::string> chooseFilesToOpen(const base::FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const base::FileDialogOptions&) override { return std::nullopt; }
};

// A file the benchmark needs, named by an environment variable that scripts/bench.sh sets.
inline std::string requiredPath(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !std::filesystem::exists(value))
        throw std::runtime_error(std::string("set ") + variable + " (scripts/bench.sh does)");
    return value;
}

// How many times a measure that may take over a minute runs: `usual` times, once on the
// decade store ($HARROWDEX_BENCH_DECADE set, as `scripts/bench.sh --decade` sets it).
inline int longMeasureIterations(int usual) { return std::getenv("HARROWDEX_BENCH_DECADE") ? 1 : usual; }

// The window looks for horses.mdb in its program folder and takes no link for it: a
// folder `name` beside `store`, holding a second name of the same file (a hard link, so
// on the same disk), stands in for the program's folder.
inline std::string programFolderBeside(const std::string& store, const char* name) {
    const auto folder = std::filesystem::absolute(store).parent_path() / name;
    std::filesystem::create_directories(folder);
    const auto beside = folder / "horses.mdb";
    std::filesystem::remove(beside);
    std::filesystem::create_hard_link(store, beside);
    return folder.string();
}

// Drops the pages of the store at `path` (and of its write-ahead log) from the system's
// cache, as a day's other work or a restart would have; the next read comes from disk.
inline void dropFromSystemCache(const std::string& path) {
    for (const std::string& file : {path, path + "-wal"}) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        if (fd < 0) continue;
        ::fdatasync(fd);  // only pages written out can be dropped
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// Reads the whole store at `path` into the system's cache again, so that the benchmarks
// after one that dropped it meet the store as warm as they would have.
inline void loadIntoSystemCache(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    static char buffer[1 << 20];
    while (::read(fd, buffer, sizeof buffer) > 0) {}
    ::close(fd);
}

// A file of a benchmark's work beside the shared store (on the same disk), removed with
// the engine's side files when made and when done.
class FileBesideStore {
public:
    explicit FileBesideStore(const std::string& name)
        : path_(std::filesystem::path(requiredPath("HARROWDEX_BENCH_STORE")).parent_path() / name) {
        remove();
    }
    ~FileBesideStore() { remove(); }
    FileBesideStore(const FileBesideStore&) = delete;
    FileBesideStore& operator=(const FileBesideStore&) = delete;
    const std::filesystem::path& path() const { return path_; }
    void remove() const {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path_.string() + suffix, ignored);
    }

private:
    std::filesystem::path path_;
};

// A copy of the shared store, so that the shared one stays as it is.
class StoreCopy : public FileBesideStore {
public:
    explicit StoreCopy(const std::string& name = "maintenance-copy.mdb") : FileBesideStore(name) {
        std::filesystem::copy_file(requiredPath("HARROWDEX_BENCH_STORE"), path());
    }
};

}  // namespace bench_support
