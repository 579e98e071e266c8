// SPDX-License-Identifier: MIT
// Many weeks imported at once into a new, empty store: 50 weeks, and all 600 weeks of
// the generated store (goal: under 15 s), each beside the plain load of the same rows
// with the search indexes built after it. Parsing is untimed in the plain load, so it
// shows what storing alone costs. The first check of the folder of those 600 weeks fills
// the store as their import does (goal: at most 1.2 times the import).
//
// Needs $HARROWDEX_BENCH_WEEKS: a folder of generated results files raceout100.txt to
// raceout699.txt (scripts/bench.sh makes it).

#include "bench_support.h"
#include "import/import_driver.h"
#include "import/race_conditions_classifier.h"
#include "import/results_folder.h"
#include "import/results_reader.h"
#include "shell/main_finder.h"
#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/search_indexes.h"
#include "store/transaction.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kFirstWeek = 100;

std::vector<std::string> weekFiles(int weeks) {
    const std::string folder = bench_support::requiredPath("HARROWDEX_BENCH_WEEKS");
    std::vector<std::string> files;
    for (int week = kFirstWeek; week < kFirstWeek + weeks; ++week)
        files.push_back(folder + "/raceout" + std::to_string(week) + ".txt");
    return files;
}

// A new store beside the generated data, removed again after each run.
std::filesystem::path freshStore() {
    const auto path = std::filesystem::temp_directory_path() / "harrowdex-bench-import.mdb";
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path.string() + suffix);
    store::createRaceStore(path);
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void importWeeks(benchmark::State& state) {
    std::vector<import::ChosenFile> files;
    for (const auto& path : weekFiles(static_cast<int>(state.range(0))))
        files.push_back({path, std::filesystem::path(path).filename().string()});
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = freshStore();
        state.ResumeTiming();
        if (import::importFiles(window, store.string(), files) != import::ImportResult::Done)
            state.SkipWithError("import failed");
    }
}

void plainLoadThenIndexes(benchmark::State& state) {
    const auto files = weekFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        const auto path = freshStore();
        auto db = store::Database::open(path);
        store::BulkLoad bulkLoad(db);
        store::Transaction transaction(db);
        store::RaceWriter writer(db);
        state.ResumeTiming();
        for (const auto& file : files) {
            state.PauseTiming();
            const std::string bytes = readFile(file);
            import::RaceConditionsClassifier classifier;
            import::ResultsReader reader(bytes, classifier);
            reader.firstRaceNumber();
            std::vector<import::ParsedRace> races;
            while (auto race = reader.nextRace()) races.push_back(std::move(*race));
            state.ResumeTiming();
            for (const auto& race : races) {
                writer.addRace(race.race);
                for (const auto& runner : race.runners) writer.addRunner(runner);
            }
        }
        transaction.commit();
        bulkLoad.finish();
    }
}

void syncFolder(benchmark::State& state) {
    const std::string folder = bench_support::requiredPath("HARROWDEX_BENCH_WEEKS");
    for (auto _ : state) {
        state.PauseTiming();
        const auto store = freshStore();
        import::FolderMemory memory;
        state.ResumeTiming();
        const import::FolderCheck check = import::checkResultsFolder(folder, store.string(), memory);
        if (check.imported.size() != 600 || check.failedAny()) state.SkipWithError("the folder was not imported");
    }
}

}  // namespace

BENCHMARK(syncFolder)->Name("BM_SyncFolderIntoEmptyStore")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(importWeeks)->Name("BM_ImportWeeksIntoEmptyStore")->Arg(50)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(plainLoadThenIndexes)->Name("BM_PlainLoadThenIndexes")->Arg(50)->Arg(600)->Unit(benchmark::kMillisecond)->Iterations(1);
