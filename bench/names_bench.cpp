// SPDX-License-Identifier: MIT
// The names the name box offers as a name is typed, on the 600-week store (or the decade
// store, see scripts/bench.sh --decade), each beside the plain SQL that reads the same
// offers from the store's tables (the *Reference benchmarks, the engine alone). Goals:
//   a two-letter prefix   under 10 ms, and at most 1.5 times its reference
//   a longer prefix       under 5 ms, and at most 1.5 times its reference
// The two-letter prefixes are the store's most common for horses ("Wi", some 117,000 runs
// of 2,160,000) and the least common of its common ones ("Re"), and its most common for
// stables ("Me"). The breeding file's names are read once per file and then looked up.
//
// Needs $HARROWDEX_BENCH_STORE and $HARROWDEX_BENCH_BREEDING (scripts/bench.sh sets both).

#include "bench_support.h"
#include "progeny/breeding_file.h"
#include "progeny/breeding_names.h"
#include "search/name_offers.h"
#include "store/database.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace {

void measureOffers(benchmark::State& state, search::OfferKind kind, const char* prefix) {
    auto db = store::Database::open(bench_support::requiredPath("HARROWDEX_BENCH_STORE"), store::Access::ReadOnly);
    progeny::BreedingNamesOfFile breeding;
    search::OfferSources sources{&db, &breeding, bench_support::requiredPath("HARROWDEX_BENCH_BREEDING")};
    std::size_t offers = search::nameOffers(sources, kind, prefix).size();  // reads the breeding file once
    for (auto _ : state) offers = search::nameOffers(sources, kind, prefix).size();
    state.counters["offers"] = static_cast<double>(offers);
}

void BM_HorseNameOffers(benchmark::State& state, const char* prefix) {
    measureOffers(state, search::OfferKind::Horse, prefix);
}
BENCHMARK_CAPTURE(BM_HorseNameOffers, two_letters_most_common, "Wi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HorseNameOffers, two_letters_less_common, "Re")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HorseNameOffers, longer, "Winter B")->Unit(benchmark::kMillisecond);

void BM_OwnerNameOffers(benchmark::State& state, const char* prefix) {
    measureOffers(state, search::OfferKind::Owner, prefix);
}
BENCHMARK_CAPTURE(BM_OwnerNameOffers, two_letters, "Me")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OwnerNameOffers, longer, "Crane &")->Unit(benchmark::kMillisecond);

void BM_SireNameOffers(benchmark::State& state, const char* prefix) {
    measureOffers(state, search::OfferKind::Sire, prefix);
}
BENCHMARK_CAPTURE(BM_SireNameOffers, two_letters, "Pa")->Unit(benchmark::kMillisecond);

// The first offer of a breeding-file kind: the whole file read.
void BM_BreedingNamesRead(benchmark::State& state) {
    const std::string path = bench_support::requiredPath("HARROWDEX_BENCH_BREEDING");
    for (auto _ : state) {
        std::string why;
        auto file = progeny::BreedingFile::open(path, why);
        benchmark::DoNotOptimize(progeny::BreedingNames::read(*file));
    }
}
BENCHMARK(BM_BreedingNamesRead)->Unit(benchmark::kMillisecond);

// The plain SQL for the same offers: every run under the prefix grouped by horse or
// stable, a horse kept when its newest run is among them.
constexpr const char* kHorsesInSql =
    "SELECT hid, hname, max(racenum) AS newest FROM tblhorsedata WHERE hname >= ?1 AND hname < ?2 GROUP BY hid "
    "HAVING newest = (SELECT max(racenum) FROM tblhorsedata AS own WHERE own.hid = tblhorsedata.hid) "
    "ORDER BY newest DESC, hname COLLATE NOCASE, hid LIMIT 12";
constexpr const char* kOwnersInSql =
    "SELECT oname, max(racenum) AS newest FROM tblhorsedata WHERE oname >= ?1 AND oname < ?2 GROUP BY oname "
    "ORDER BY newest DESC, oname COLLATE NOCASE LIMIT 12";

void measureReference(benchmark::State& state, const char* sql, const std::string& prefix) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(bench_support::requiredPath("HARROWDEX_BENCH_STORE").c_str(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    const std::string upper = prefix + '\xFF';
    int offers = 0;
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, prefix.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(statement, 2, upper.c_str(), -1, SQLITE_TRANSIENT);
        for (offers = 0; sqlite3_step(statement) == SQLITE_ROW; ++offers) {}
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    state.counters["offers"] = offers;
}

void BM_HorseNameOffersReference(benchmark::State& state, const char* prefix) {
    measureReference(state, kHorsesInSql, prefix);
}
BENCHMARK_CAPTURE(BM_HorseNameOffersReference, two_letters_most_common, "Wi")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HorseNameOffersReference, two_letters_less_common, "Re")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HorseNameOffersReference, longer, "Winter B")->Unit(benchmark::kMillisecond);

void BM_OwnerNameOffersReference(benchmark::State& state, const char* prefix) {
    measureReference(state, kOwnersInSql, prefix);
}
BENCHMARK_CAPTURE(BM_OwnerNameOffersReference, two_letters, "Me")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OwnerNameOffersReference, longer, "Crane &")->Unit(benchmark::kMillisecond);

}  // namespace
