// SPDX-License-Identifier: MIT
// The per-row cost of a listing's numbers and statistics at the largest listing, 15,000
// rows: the masks each grid row formats (race number, speed, odds) and the statistics'
// accumulation. Goal: both together well under 50 ms for 15,000 rows, so that they never
// show next to the store's reading.

#include "base/earnings.h"
#include "search/listed_run.h"
#include "search/search_statistics.h"
#include "base/calendar.h"
#include "base/number_format.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kRows = 15000;
constexpr int kToday = base::kFirstWeekDay + 700;

std::vector<search::ListedRun> listing() {
    std::vector<search::ListedRun> runs(kRows);
    for (int i = 0; i < kRows; ++i) {
        search::ListedRun& run = runs[static_cast<std::size_t>(i)];
        run.hname = "Blue River";
        run.hid = 42 + i % 3;
        run.oname = i % 2 ? "Smith Stable" : "Jones Farm";
        run.racenum = 700 - i / 20 + 0.0101 + (i % 20) * 0.0001;
        run.dist = 5 + static_cast<float>(i % 17) * 0.5f;
        run.sp = 60 + static_cast<float>(i % 6000) / 100;
        run.odds = 0.1 + (i % 300) / 10.0;
        run.restr = i % 4 ? "Alw" : "C2L";
        run.cond = std::string(1, "FFGSY"[i % 5]);
        run.surf = i % 3 ? "D" : "T";
        run.fin = 1 + i % 10;
        run.purse = 10000 + i;
        run.cprice = i % 4 ? 0 : 5000 + i;
        run.earnings = base::earningsOf(run.purse, run.fin);
    }
    return runs;
}

void BM_RowMasks(benchmark::State& state) {
    const auto runs = listing();
    for (auto _ : state) {
        for (const auto& run : runs) {
            benchmark::DoNotOptimize(base::formatNumber(run.racenum, "#0.0000"));
            benchmark::DoNotOptimize(base::formatNumber(run.sp, "00.0"));
            benchmark::DoNotOptimize(base::formatNumber(run.odds, "#0.00"));
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RowMasks)->Unit(benchmark::kMillisecond);

void BM_StatisticsAccumulation(benchmark::State& state) {
    const auto runs = listing();
    search::SearchStatistics statistics;
    for (auto _ : state) {
        statistics.reset();
        statistics.setSubject("Blue River", 42, "Smith Stable");
        for (const auto& run : runs) statistics.add(run, 30, kToday);
        benchmark::DoNotOptimize(statistics.listedRuns());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StatisticsAccumulation)->Unit(benchmark::kMillisecond);

}  // namespace
