// SPDX-License-Identifier: MIT
// The import of one generated week (about 400 races, 4,000 runners) into the 600-week
// store, beside the raw insert of the same rows already parsed: the import may cost at
// most 1.3 times the raw insert. Both commit one transaction; the week is removed again
// after each run, untimed.
//
// Needs $HARROWDEX_BENCH_STORE (a generated 600-week store) and $HARROWDEX_BENCH_WEEK (a
// generated results file of a week the store does not hold); scripts/bench.sh makes both.

#include "bench_support.h"
#include "import/import_driver.h"
#include "import/race_conditions_classifier.h"
#include "import/results_reader.h"
#include "shell/main_finder.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/race_writer.h"
#include "store/transaction.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<import::ParsedRace> parseWeek(const std::string& bytes, int& week) {
    import::RaceConditionsClassifier classifier;
    import::ResultsReader reader(bytes, classifier);
    reader.firstRaceNumber();
    week = reader.week();
    std::vector<import::ParsedRace> races;
    while (auto race = reader.nextRace()) races.push_back(std::move(*race));
    return races;
}

void removeWeek(const std::string& storePath, int week) {
    auto db = store::Database::open(storePath);
    store::Transaction transaction(db);
    store::deleteWeek(db, week);
    transaction.commit();
}

void BM_ImportWeekInto600WeekStore(benchmark::State& state) {
    const std::string storePath = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    const std::string weekPath = bench_support::requiredPath("HARROWDEX_BENCH_WEEK");
    int week = 0;
    parseWeek(readFile(weekPath), week);
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    for (auto _ : state) {
        if (import::importFiles(window, storePath, {{weekPath, "week"}}) != import::ImportResult::Done)
            state.SkipWithError("import failed");
        state.PauseTiming();
        removeWeek(storePath, week);
        state.ResumeTiming();
    }
}

void BM_RawInsertOfTheSameWeek(benchmark::State& state) {
    const std::string storePath = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    int week = 0;
    const auto races = parseWeek(readFile(bench_support::requiredPath("HARROWDEX_BENCH_WEEK")), week);
    for (auto _ : state) {
        auto db = store::Database::open(storePath);
        store::Transaction transaction(db);
        store::RaceWriter writer(db);
        for (const auto& race : races) {
            writer.addRace(race.race);
            for (const auto& runner : race.runners) writer.addRunner(runner);
        }
        transaction.commit();
        state.PauseTiming();
        removeWeek(storePath, week);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_ImportWeekInto600WeekStore)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RawInsertOfTheSameWeek)->Unit(benchmark::kMillisecond)->Iterations(10);
