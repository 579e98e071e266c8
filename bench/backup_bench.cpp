// SPDX-License-Identifier: MIT
// The race store's backup and restore on the 600-week store (475 MiB), beside copying the
// file and the sqlite3 shell's .backup of it in the same run (the *Reference benchmarks),
// and a horse search while a backup of the same store runs on another thread. Goals:
//   backup (its check of every page left out)  within 2 times BM_CopyFileReference, and
//                                              no slower than BM_ShellBackupReference
//   restore (save, check, write)               within 3.5 times BM_CopyFileReference
//   horse search while a backup runs           under 5 ms
// Each copy is synced to disk before its clock stops, as a backup is: a copy is safe only
// then. The machine is shared: run with --benchmark_enable_random_interleaving=true.
//
// Needs $HARROWDEX_BENCH_STORE (scripts/bench.sh makes it) and, for the shell's figure,
// the sqlite3 shell. Every file is written beside the store and removed afterwards.

#include "bench_support.h"
#include "search/gethorse.h"
#include "shell/main_finder.h"
#include "store/database.h"
#include "store/race_store_backup.h"
#include "store_subjects.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using bench_support::FileBesideStore;
using bench_support::StoreCopy;
using Clock = std::chrono::steady_clock;

const std::string& benchStore() {
    static const std::string path = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    return path;
}

// Times `work` alone, `target` removed before it.
void timeInto(benchmark::State& state, const FileBesideStore& target, const std::function<void()>& work) {
    for (auto _ : state) {
        target.remove();
        const auto start = Clock::now();
        work();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(target.path())) / (1 << 20);
}

void syncFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("could not sync " + path.string());
    ::close(fd);
}

void BM_CopyFileReference(benchmark::State& state) {
    const FileBesideStore copy("backup-bench-copy.mdb");
    timeInto(state, copy, [&] {
        std::filesystem::copy_file(benchStore(), copy.path());
        syncFile(copy.path());
    });
}

// The path in single quotes for the shell, and for the sqlite3 shell's dot-command within.
std::string quotedTwice(const std::string& path) {
    if (path.find('\'') != std::string::npos || path.find('"') != std::string::npos)
        throw std::runtime_error("a path with quotes: " + path);
    return "'" + path + "'";
}

void BM_ShellBackupReference(benchmark::State& state) {
    if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0) {
        state.SkipWithError("the sqlite3 shell is missing");
        return;
    }
    const FileBesideStore copy("backup-bench-shell.mdb");
    const std::string command =
        "sqlite3 " + quotedTwice(benchStore()) + " \".backup " + quotedTwice(copy.path().string()) + "\"";
    timeInto(state, copy, [&] {
        if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
    });
}

void backUp(benchmark::State& state, bool checkPages) {
    const FileBesideStore backup("backup-bench.mdb");
    int weeks = 0;
    timeInto(state, backup, [&] { weeks = store::backUpRaceStore(benchStore(), backup.path(), {checkPages}).weeks; });
    state.counters["weeks"] = weeks;
}
void BM_BackUpRaceStore(benchmark::State& state) { backUp(state, false); }
void BM_BackUpRaceStoreChecked(benchmark::State& state) { backUp(state, true); }

// As the window restores: the backup checked, then the store saved and written over.
void BM_RestoreRaceStore(benchmark::State& state) {
    const FileBesideStore backup("backup-bench.mdb");
    store::backUpRaceStore(benchStore(), backup.path(), {.checkPages = false});
    for (auto _ : state) {
        const StoreCopy copy("backup-bench-restored.mdb");
        const FileBesideStore saved(store::beforeRestorePath(copy.path()).filename().string());
        syncFile(copy.path());  // as a store long on the disk, not one whose writing is still under way
        const auto start = Clock::now();
        store::readBackup(backup.path(), copy.path());
        store::restoreRaceStore(copy.path(), backup.path());
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

// Backs the store up again and again on a thread of its own while it lives.
class BackupsMeanwhile {
public:
    BackupsMeanwhile() : target_("backup-bench-meanwhile.mdb"), thread_([this] { run(); }) {
        while (!copying_ && !failed_) std::this_thread::yield();
    }
    ~BackupsMeanwhile() {
        stop_ = true;
        thread_.join();
    }
    bool copying() const { return copying_; }
    int made() const { return made_; }
    bool failed() const { return failed_; }

private:
    // Told after each step of the copy; stops it when the benchmark ends.
    bool copied() {
        copying_ = true;
        return !stop_;
    }
    void run() {
        while (!stop_ && !failed_) {
            try {
                store::backUpRaceStore(benchStore(), target_.path(), {.report = [this](auto) { return copied(); }});
                if (!stop_) ++made_;
            } catch (const std::exception&) { failed_ = true; }
            copying_ = false;
        }
    }

    FileBesideStore target_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> copying_{false};
    std::atomic<bool> failed_{false};
    std::atomic<int> made_{0};
    std::thread thread_;
};

// The window's search of a horse by name, as BM_HorseSearch runs it, each while the backup
// copies pages; "during" counts the searches that began and ended while it did.
void BM_HorseSearchWhileBackupRuns(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.setUpControls();
    window.useRaceStore(benchStore());
    const std::string horse = [] {
        auto db = store::Database::open(benchStore(), store::Access::ReadOnly);
        return bench_support::searchedHorseOf(db);
    }();
    BackupsMeanwhile backups;
    int during = 0;
    for (auto _ : state) {
        const bool before = backups.copying();
        if (!search::gethorse(window, search::kHorseByName, horse, "")) state.SkipWithError("nothing listed");
        if (before && backups.copying()) ++during;
    }
    if (backups.failed()) state.SkipWithError("a backup failed");
    state.counters["during"] = during;
    state.counters["backups"] = backups.made();
}

}  // namespace

BENCHMARK(BM_CopyFileReference)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ShellBackupReference)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_BackUpRaceStore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_BackUpRaceStoreChecked)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_RestoreRaceStore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
// Long enough for a few backups to run under the searches.
BENCHMARK(BM_HorseSearchWhileBackupRuns)->Unit(benchmark::kMillisecond)->MinTime(3.0);
