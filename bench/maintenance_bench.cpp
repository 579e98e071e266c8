// SPDX-License-Identifier: MIT
// The maintenance commands on the 600-week store: the week list of the removal dialog,
// the removal of one week, and the compaction. Plain SQLite reference figures (same
// machine class, from the task that set the goals):
//   listing by walking every race row     about 17 ms
//   listing by one index probe per week   about 5 ms      goal: under 5 ms
//   removing one week (WAL)               about 170 ms    goal: within 1.3 times
//   VACUUM INTO of the 390 MB store       about 2 s       goal: within 1.3 times
//
// Needs $HARROWDEX_BENCH_STORE and $HARROWDEX_BENCH_WEEK (scripts/bench.sh makes both).
// Removal and compaction work on a copy beside the store, so the shared one stays as it is.

#include "bench_support.h"
#include "import/import_driver.h"
#include "shell/main_finder.h"
#include "shell/remove_data.h"
#include "store/compaction.h"
#include "store/database.h"
#include "store/race_weeks.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace {

// A copy of the shared store, removed with its side files afterwards.
class StoreCopy {
public:
    StoreCopy() : source_(bench_support::requiredPath("HARROWDEX_BENCH_STORE")) {
        path_ = std::filesystem::path(source_).parent_path() / "maintenance-copy.mdb";
        std::filesystem::copy_file(source_, path_, std::filesystem::copy_options::overwrite_existing);
    }
    ~StoreCopy() {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(path_.string() + suffix, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::string source_;
    std::filesystem::path path_;
};

void BM_ListWeeksOf600WeekStore(benchmark::State& state) {
    auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"), store::Access::ReadOnly);
    std::size_t weeks = 0;
    for (auto _ : state) weeks = store::raceWeeks(db).size();
    state.counters["weeks"] = static_cast<double>(weeks);
}
BENCHMARK(BM_ListWeeksOf600WeekStore)->Unit(benchmark::kMillisecond);

// The dialog's "Remove Data" after Yes, for a week of about 400 races and 4,000 runs;
// the week is imported again between the runs, untimed.
void BM_RemoveOneWeekOf600WeekStore(benchmark::State& state) {
    const StoreCopy copy;
    const std::string week = bench_support::requiredPath("HARROWDEX_BENCH_WEEK");
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.useRaceStore(copy.path().string());
    for (auto _ : state) {
        state.PauseTiming();
        if (import::importFiles(window, window.raceStorePath(), {{week, "week"}}) != import::ImportResult::Done)
            throw std::runtime_error("the week was not imported");
        auto dialog = shell::cmdremoverace_Click(window);
        dialog->lstweeks.setSelected(0, true);  // the imported week is the newest
        state.ResumeTiming();
        if (!dialog->cmdremove_Click()) throw std::runtime_error("the week was not removed");
    }
}
BENCHMARK(BM_RemoveOneWeekOf600WeekStore)->Unit(benchmark::kMillisecond)->Iterations(5);

// Timed by hand: only the compaction itself, not the making or removal of the copy.
void BM_CompactCopyOf600WeekStore(benchmark::State& state) {
    for (auto _ : state) {
        const StoreCopy copy;
        const auto start = std::chrono::steady_clock::now();
        store::compactRaceStore(copy.path());
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_CompactCopyOf600WeekStore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

}  // namespace
