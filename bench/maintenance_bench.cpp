// SPDX-License-Identifier: MIT
// The maintenance commands on the 600-week store: the week list of the removal dialog,
// the removal of one week, and the compaction, each beside what plain SQLite takes for
// the same work on the same store in the same run (the *Reference benchmarks, which use
// the engine directly with its default settings). Goals:
//   week list                              under 5 ms (BM_ListWeeksReference walks every race row)
//   removing one week                      within 1.3 times BM_RemoveOneWeekReference
//   compaction (with its quick check)      within 1.6 times BM_CompactReference
// The machine is shared: run with --benchmark_enable_random_interleaving=true so that
// ours and the reference meet the same load.
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
#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench_support::StoreCopy;

void BM_ListWeeksOf600WeekStore(benchmark::State& state) {
    auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"), store::Access::ReadOnly);
    std::size_t weeks = 0;
    for (auto _ : state) weeks = store::raceWeeks(db).size();
    state.counters["weeks"] = static_cast<double>(weeks);
}
BENCHMARK(BM_ListWeeksOf600WeekStore)->Unit(benchmark::kMillisecond);

// The dialog's "Remove Data" after Yes, for a week of about 400 races and 4,000 runs;
// the week is imported again between the runs, untimed.
void importBenchWeek(shell::MainFinder& window) {
    const std::string week = bench_support::requiredPath("HARROWDEX_BENCH_WEEK");
    if (import::importFiles(window, window.raceStorePath(), {{week, "week"}}) != import::ImportResult::Done)
        throw std::runtime_error("the week was not imported");
}

// A window working on a copy of the 600-week store.
struct WindowOnStoreCopy {
    StoreCopy copy;
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window{dialogs};
    WindowOnStoreCopy() { window.useRaceStore(copy.path().string()); }
};

void BM_RemoveOneWeekOf600WeekStore(benchmark::State& state) {
    WindowOnStoreCopy fixture;
    shell::MainFinder& window = fixture.window;
    for (auto _ : state) {
        state.PauseTiming();
        importBenchWeek(window);
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
BENCHMARK(BM_CompactCopyOf600WeekStore)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(bench_support::longMeasureIterations(2));

// The reference: the engine alone, default settings, the same statements.
class PlainConnection {
public:
    explicit PlainConnection(const std::filesystem::path& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
    }
    ~PlainConnection() { sqlite3_close(db_); }
    PlainConnection(const PlainConnection&) = delete;
    PlainConnection& operator=(const PlainConnection&) = delete;

    // The race numbers of every race, newest first, taken apart into weeks as they come.
    std::size_t countWeeksByWalkingEveryRace() {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, "SELECT racenum FROM tblraces ORDER BY racenum DESC", -1, &statement, nullptr);
        std::size_t weeks = 0;
        double week = -1;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const double racenum = sqlite3_column_double(statement, 0);
            if (racenum < week + 1 && racenum > week) continue;
            week = std::floor(racenum);
            ++weeks;
        }
        sqlite3_finalize(statement);
        return weeks;
    }

    // Runs one statement with `numbers` bound to ?1, ?2, ... (or `text` to ?1).
    void run(const char* sql, const std::vector<std::int64_t>& numbers = {}, const std::string& text = {}) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            sqlite3_bind_int64(statement, static_cast<int>(i + 1), numbers[i]);
        if (!text.empty()) sqlite3_bind_text(statement, 1, text.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) throw std::runtime_error(sqlite3_errmsg(db_));
    }

private:
    sqlite3* db_ = nullptr;
};

void BM_ListWeeksReference(benchmark::State& state) {
    PlainConnection db(bench_support::requiredPath("HARROWDEX_BENCH_STORE"));
    std::size_t weeks = 0;
    for (auto _ : state) weeks = db.countWeeksByWalkingEveryRace();
    state.counters["weeks"] = static_cast<double>(weeks);
}
BENCHMARK(BM_ListWeeksReference)->Unit(benchmark::kMillisecond);

// Opening, the two deletions of the newest week in one transaction, and closing (which
// moves the log into the store, as our close does).
void BM_RemoveOneWeekReference(benchmark::State& state) {
    WindowOnStoreCopy fixture;
    shell::MainFinder& window = fixture.window;
    const StoreCopy& copy = fixture.copy;
    for (auto _ : state) {
        state.PauseTiming();
        importBenchWeek(window);
        int week = 0;
        {
            auto ours = store::Database::open(copy.path());
            week = store::raceWeeks(ours).front();
        }
        state.ResumeTiming();
        PlainConnection db(copy.path());
        db.run("BEGIN IMMEDIATE");
        db.run("DELETE FROM tblhorsedata WHERE racenum < ?1 AND racenum > ?2", {week + 1, week});
        db.run("DELETE FROM tblraces WHERE racenum < ?1 AND racenum > ?2", {week + 1, week});
        db.run("COMMIT");
    }
}
BENCHMARK(BM_RemoveOneWeekReference)->Unit(benchmark::kMillisecond)->Iterations(5);

// The engine's own compaction in place, which, like ours, leaves the result on the disk.
void BM_CompactReference(benchmark::State& state) {
    for (auto _ : state) {
        const StoreCopy copy;
        const auto start = std::chrono::steady_clock::now();
        {
            PlainConnection db(copy.path());
            db.run("VACUUM");
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_CompactReference)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(bench_support::longMeasureIterations(2));

}  // namespace
