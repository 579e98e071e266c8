// SPDX-License-Identifier: MIT
// A check of a results folder whose weeks are all stored, 600 results files (3,650 for the
// decade table; goal: under 300 ms): the first check, which reads each file's heading, and a later one, which
// knows each file by name, size and time.
//
// Needs $HARROWDEX_BENCH_WEEKS, the generated results files, and
// $HARROWDEX_BENCH_STORE, the store made from them (scripts/bench.sh makes both).

#include "bench_support.h"
#include "import/results_folder.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

void checkFolder(benchmark::State& state, bool remembered) {
    const std::string folder = bench_support::requiredPath("HARROWDEX_BENCH_WEEKS");
    const std::string storePath = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    import::FolderMemory memory;
    if (remembered) import::checkResultsFolder(folder, storePath, memory);
    for (auto _ : state) {
        if (!remembered) memory = {};
        const import::FolderCheck check = import::checkResultsFolder(folder, storePath, memory);
        if (check.skipped.empty() || !check.imported.empty() || check.failedAny())
            throw std::runtime_error("the folder's weeks are not all stored");
        state.counters["files"] = static_cast<double>(check.skipped.size());
    }
}

void BM_ResultsFolderFirstCheck600Files(benchmark::State& state) { checkFolder(state, false); }
void BM_ResultsFolderCheck600FilesRemembered(benchmark::State& state) { checkFolder(state, true); }

}  // namespace

BENCHMARK(BM_ResultsFolderFirstCheck600Files)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResultsFolderCheck600FilesRemembered)->Unit(benchmark::kMillisecond);
