// SPDX-License-Identifier: MIT
// The watch list on the 600-week store: the bold marks' look-ups for every row of the
// largest stable's 15,000-row listing, beside the listing itself (goal: at most 5% of it;
// a view asks only for the rows it paints, so this is the most they can cost), and the
// reading of a watch list of 500 horses.
//
// Needs $HARROWDEX_BENCH_STORE, a generated 600-week store (scripts/bench.sh).

#include "bench_support.h"
#include "search/gethorse.h"
#include "base/results_columns.h"
#include "shell/main_finder.h"
#include "watch/watch_list.h"
#include "watch/watch_state.h"
#include "watched_store.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WatchMarksOnLargestOwnerListing(benchmark::State& state) {
    const std::string path = bench_support::watchedStorePath();
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.setUpControls();
    window.useRaceStore(path);
    watch::WatchState watching;
    watching.reload(path);
    auto db = store::Database::open(path, store::Access::ReadOnly);
    if (!search::gethorse(window, search::kOwner, bench_support::largestStableOf(db), ""))
        state.SkipWithError("nothing listed");
    const watch::MarkedColumns columns{base::horse_column::kName, base::horse_column::kHorseNumber,
                                       base::horse_column::kOwner};
    const base::GridModel& grid = window.MSFlexGrid1;
    int marked = 0;
    for (auto _ : state) {
        marked = 0;
        for (int row = grid.fixedRows(); row < grid.rows(); ++row)
            for (const int col : {columns.name, columns.owner})
                marked += watch::cellNote(watching.marks, grid, columns, row, col) != nullptr;
        benchmark::DoNotOptimize(marked);
    }
    state.counters["rows"] = grid.rows() - 1;
    state.counters["marked"] = marked;
}

void BM_WatchListRead500Horses(benchmark::State& state) {
    const std::string path = bench_support::watchedStorePath();
    std::size_t horses = 0;
    for (auto _ : state) horses = watch::readWatchList(path).horses.size();
    state.counters["horses"] = static_cast<double>(horses);
}

}  // namespace

BENCHMARK(BM_WatchMarksOnLargestOwnerListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WatchListRead500Horses)->Unit(benchmark::kMillisecond);
