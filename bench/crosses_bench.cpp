// SPDX-License-Identifier: MIT
// The crosses on the 600-week store, from the breeding file to the finished table, each
// beside plain SQLite reading the same offspring's runs with the same statement:
//   a sire with about 2,000 offspring, by dam-sire     under 500 ms
//   a dam-sire across all sires, by sire               under 1 s
//
// Needs $HARROWDEX_BENCH_STORE and $HARROWDEX_BENCH_BREEDING, the generated 600-week
// store and its breeding file (scripts/bench.sh makes both).

#include "bench_support.h"
#include "progeny/breeding_file.h"
#include "progeny/breeding_file_reader.h"
#include "progeny/cross_table.h"
#include "store/database.h"
#include "store/second_connection.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

std::string breedingText() {
    std::ifstream in(bench_support::requiredPath("HARROWDEX_BENCH_BREEDING"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The name with the most offspring on line `line` of the groups (1 sire, 2 dam-sire):
// the generated file has no empty lines, so every fourth line is one.
std::string largestFamily(int line) {
    std::istringstream lines(breedingText());
    std::map<std::string, int> families;
    std::string text;
    for (int index = 0; std::getline(lines, text); ++index) {
        if (index % 4 != line) continue;
        const auto name = text.find(',') + 1;
        ++families[text.substr(name, text.find(',', name) - name)];
    }
    return std::ranges::max_element(families, {}, [](const auto& family) { return family.second; })->first;
}

const std::string& largestSire() {
    static const std::string sire = largestFamily(1);
    return sire;
}
const std::string& largestDamSire() {
    static const std::string damSire = largestFamily(2);
    return damSire;
}

void crosses(benchmark::State& state, const progeny::CrossRequest& request) {
    const std::string breeding = bench_support::requiredPath("HARROWDEX_BENCH_BREEDING");
    std::size_t rows = 0;
    int offspring = 0;
    for (auto _ : state) {
        std::string why;
        auto file = progeny::BreedingFile::open(breeding, why);
        // The connections as the window keeps them: two, the second reading half of the runs.
        const std::string store = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
        auto db = store::Database::open(store, store::Access::ReadOnly);
        store::SecondConnection beside(store);
        const auto table = progeny::crossTable(*file, db, request, &beside);
        if (table.problem) state.SkipWithError(table.problem->c_str());
        rows = table.groups.size();
        offspring = table.baseline.offspring;
    }
    state.counters["offspring"] = offspring;
    state.counters["rows"] = static_cast<double>(rows);
}

// The same offspring's runs read with SQLite's own calls: one prepared statement, bound
// to each offspring's name and number in turn, every column read.
void runsInSql(benchmark::State& state, const std::string& name, progeny::Ancestor position) {
    const auto selection = progeny::selectOffspring(breedingText(), name, position);
    const std::string path = bench_support::requiredPath("HARROWDEX_BENCH_STORE");
    std::int64_t runs = 0;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the store");
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT hname, dist, sp, restr, surf, fin, purse FROM tblhorsedata INNER JOIN tblraces ON "
                           "tblhorsedata.racenum = tblraces.racenum WHERE hname = ?1 AND hid = ?2 "
                           "ORDER BY tblhorsedata.racenum ASC",
                           -1, &statement, nullptr);
        runs = 0;
        double sum = 0;
        for (const auto& horse : selection.offspring) {
            sqlite3_reset(statement);
            sqlite3_bind_text(statement, 1, horse.name.data(), static_cast<int>(horse.name.size()), SQLITE_STATIC);
            sqlite3_bind_int64(statement, 2, horse.number);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                ++runs;
                benchmark::DoNotOptimize(sqlite3_column_text(statement, 0));
                sum += sqlite3_column_double(statement, 1) + sqlite3_column_double(statement, 2);
                benchmark::DoNotOptimize(sqlite3_column_text(statement, 3));
                benchmark::DoNotOptimize(sqlite3_column_text(statement, 4));
                sum += static_cast<double>(sqlite3_column_int64(statement, 5) + sqlite3_column_int64(statement, 6));
            }
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }
    state.counters["offspring"] = static_cast<double>(selection.offspring.size());
    state.counters["runs"] = static_cast<double>(runs);
}

progeny::CrossRequest crossOf(const std::string& sire, const std::string& damSire) {
    progeny::CrossRequest request;
    request.sire = sire;
    request.damSire = damSire;
    return request;
}

void BM_CrossesSireByDamSire(benchmark::State& state) { crosses(state, crossOf(largestSire(), "")); }
BENCHMARK(BM_CrossesSireByDamSire)->Unit(benchmark::kMillisecond);

void BM_CrossesSireRunsInSql(benchmark::State& state) { runsInSql(state, largestSire(), progeny::Ancestor::Sire); }
BENCHMARK(BM_CrossesSireRunsInSql)->Unit(benchmark::kMillisecond);

void BM_CrossesDamSireBySire(benchmark::State& state) { crosses(state, crossOf("", largestDamSire())); }
BENCHMARK(BM_CrossesDamSireBySire)->Unit(benchmark::kMillisecond);

void BM_CrossesDamSireRunsInSql(benchmark::State& state) {
    runsInSql(state, largestDamSire(), progeny::Ancestor::DamSire);
}
BENCHMARK(BM_CrossesDamSireRunsInSql)->Unit(benchmark::kMillisecond);

}  // namespace
