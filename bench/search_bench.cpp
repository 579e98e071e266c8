// SPDX-License-Identifier: MIT
// Searches on the 600-week store, each from the button to the filled grid and
// statistics, beside the plain query that reads the same rows: a horse (goal: under
// 5 ms warm), the largest stable's 15,000 listed runs (goal: within 1.5 times its
// query), and a race.
//
// Needs $HARROWDEX_BENCH_STORE, a generated 600-week store (scripts/bench.sh).

#include "bench_support.h"
#include "search/gethorse.h"
#include "shell/main_finder.h"
#include "store/database.h"
#include "store/run_query.h"

#include <benchmark/benchmark.h>

namespace {

struct Subjects {
    std::string horse;
    std::string owner;
    std::string race;
};

// A horse, the largest stable and a race of the store, found once.
const Subjects& subjects() {
    static const Subjects found = [] {
        auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"),
                                        store::Access::ReadOnly);
        Subjects s;
        auto horse = db.prepare("SELECT hname FROM tblhorsedata WHERE rowid = 1000000");
        horse.step();
        s.horse = horse.text(0);
        auto owner = db.prepare("SELECT oname FROM tblhorsedata GROUP BY oname ORDER BY count(*) DESC LIMIT 1");
        owner.step();
        s.owner = owner.text(0);
        auto race = db.prepare("SELECT racenum FROM tblraces WHERE rowid = 100000");
        race.step();
        s.race = std::to_string(race.real(0));
        return s;
    }();
    return found;
}

void runSearch(benchmark::State& state, search::SearchKind opt, const std::string& name, const std::string& txtid) {
    bench_support::AgreeingDialogs dialogs;
    shell::MainFinder window(dialogs);
    window.setUpControls();
    window.useRaceStore(bench_support::requiredPath("HARROWDEX_BENCH_STORE"));
    for (auto _ : state) {
        if (!search::gethorse(window, opt, name, txtid)) state.SkipWithError("nothing listed");
    }
    state.counters["rows"] = window.MSFlexGrid1.rows() - 1;
}

// The same rows read by the store's query alone, as plain SQLite would read them.
void runQuery(benchmark::State& state, store::RunCriteria criteria, std::size_t limit) {
    for (auto _ : state) {
        auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"),
                                        store::Access::ReadOnly);
        store::RunQuery query(db, criteria);
        std::size_t rows = 0;
        query.forEach(std::nullopt, [&](const store::RunRecord& run) {
            benchmark::DoNotOptimize(run.sp);
            return ++rows < limit;
        });
        state.counters["rows"] = static_cast<double>(rows);
    }
}

store::RunCriteria byName(store::RunCriteria::Key key, const std::string& name) {
    store::RunCriteria criteria;
    criteria.key = key;
    criteria.names.push_back({name, false});
    return criteria;
}

void BM_HorseSearch(benchmark::State& state) { runSearch(state, search::kHorseByName, subjects().horse, ""); }
void BM_HorseQuery(benchmark::State& state) {
    runQuery(state, byName(store::RunCriteria::Key::HorseName, subjects().horse), 15000);
}
void BM_LargestOwnerSearch(benchmark::State& state) { runSearch(state, search::kOwner, subjects().owner, ""); }
void BM_LargestOwnerQuery(benchmark::State& state) {
    runQuery(state, byName(store::RunCriteria::Key::Owner, subjects().owner), 15000);
}
void BM_RaceSearch(benchmark::State& state) { runSearch(state, search::kRace, "", subjects().race); }
void BM_RaceQuery(benchmark::State& state) {
    store::RunCriteria criteria;
    criteria.key = store::RunCriteria::Key::Race;
    criteria.racenum = std::stod(subjects().race);
    runQuery(state, criteria, 15000);
}

}  // namespace

BENCHMARK(BM_HorseSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorseQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestOwnerSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestOwnerQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceQuery)->Unit(benchmark::kMillisecond);
