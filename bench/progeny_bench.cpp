// SPDX-License-Identifier: MIT
// The sire search of the largest family of the generated breeding file (about 2,000
// offspring) on the 600-week store, from the button to the filled tables, beside the
// per-offspring queries alone and the reading of the breeding file alone. Goal: the whole
// search within 1.5 times the queries alone.
//
// Needs $HARROWDEX_BENCH_STORE and $HARROWDEX_BENCH_BREEDING, the generated 600-week
// store and its breeding file (scripts/bench.sh makes both).

#include "bench_support.h"
#include "progeny/breeding_file.h"
#include "progeny/breeding_file_reader.h"
#include "progeny/getsires.h"
#include "search/criteria_panel.h"
#include "shell/main_finder.h"
#include "store/database.h"
#include "store/offspring_runs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

std::string breedingText() {
    std::ifstream in(bench_support::requiredPath("HARROWDEX_BENCH_BREEDING"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sire with the most offspring: the generated file has no empty lines, so every
// fourth line from the second is a sire's.
const std::string& largestFamily() {
    static const std::string sire = [] {
        std::istringstream lines(breedingText());
        std::map<std::string, int> families;
        std::string line;
        for (int index = 0; std::getline(lines, line); ++index) {
            if (index % 4 != 1) continue;
            const auto name = line.find(',') + 1;
            ++families[line.substr(name, line.find(',', name) - name)];
        }
        return std::ranges::max_element(families, {}, [](const auto& family) { return family.second; })->first;
    }();
    return sire;
}

void BM_ProgenySireSearch(benchmark::State& state) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.setUpControls();
    window.useRaceStore(bench_support::requiredPath("HARROWDEX_BENCH_STORE"));
    window.useBreedingFile(bench_support::requiredPath("HARROWDEX_BENCH_BREEDING"));
    search::optsire_Click(window);
    for (auto _ : state)
        if (!progeny::getsires(window, largestFamily())) state.SkipWithError("the search ended on a message");
    state.counters["offspring"] = window.MSFlexGrid1.rows() - 1;
}
BENCHMARK(BM_ProgenySireSearch)->Unit(benchmark::kMillisecond);

// The same offspring's runs, read with the store's query alone.
void BM_ProgenyQueriesAlone(benchmark::State& state) {
    const auto selection = progeny::selectOffspring(breedingText(), largestFamily(), progeny::Ancestor::Sire);
    std::int64_t runsRead = 0;
    for (auto _ : state) {
        auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"), store::Access::ReadOnly);
        store::OffspringRuns query(db);
        std::vector<store::OffspringRun> runs;
        runsRead = 0;
        for (const auto& horse : selection.offspring) {
            query.read(horse.name, horse.number, runs);
            runsRead += static_cast<std::int64_t>(runs.size());
        }
    }
    state.counters["queries"] = static_cast<double>(selection.offspring.size());
    state.counters["runs"] = static_cast<double>(runsRead);
}
BENCHMARK(BM_ProgenyQueriesAlone)->Unit(benchmark::kMillisecond);

// The breeding file read from disk as the search reads it, piece by piece.
void BM_ProgenyBreedingFileAlone(benchmark::State& state) {
    const std::string path = bench_support::requiredPath("HARROWDEX_BENCH_BREEDING");
    for (auto _ : state) {
        std::string why;
        const auto file = progeny::BreedingFile::open(path, why);
        benchmark::DoNotOptimize(progeny::selectOffspring(*file, largestFamily(), progeny::Ancestor::Sire));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ProgenyBreedingFileAlone)->Unit(benchmark::kMillisecond);

// The same text in memory with each line break form: CRLF (as generated), LF, a lone CR.
// All three take about as long; a search for each break in the rest of the text would
// make the lone CR take time growing with the square of the size.
void BM_ProgenyBreedingLineBreaks(benchmark::State& state) {
    std::string text = breedingText();
    if (state.range(0) > 0) std::erase(text, state.range(0) == 1 ? '\r' : '\n');
    for (auto _ : state)
        benchmark::DoNotOptimize(progeny::selectOffspring(text, largestFamily(), progeny::Ancestor::Sire));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ProgenyBreedingLineBreaks)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
