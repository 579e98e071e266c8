// SPDX-License-Identifier: MIT
// What one committed import costs under each journal and sync setting: one week of
// results (400 races, about 4,000 runners) stored in one transaction, into an empty
// store and into a store already holding 50 weeks with all its indexes. A full store of
// 600 weeks comes from the store generator; 50 weeks keep the set-up to seconds while the
// indexes are already deep enough for inserts to land on scattered pages.
//
// Files go to $HARROWDEX_BENCH_DIR (default: the temporary folder); point it at the disk
// that will hold the store, since the sync cost is the disk's.

#include "store/database.h"
#include "store/race_writer.h"
#include "store/schema.h"
#include "store/transaction.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kTracks = 20;
constexpr int kRacesPerTrack = 20;
constexpr int kHorses = 40'000;
constexpr int kStables = 4'000;
constexpr int kFilledWeeks = 50;
constexpr int kFirstWeek = 300;

struct Week {
    std::vector<store::RaceRow> races;
    std::vector<std::vector<store::RunnerRow>> runners;  // per race
};

std::string madeUpName(int number, const std::array<const char*, 16>& first,
                       const std::array<const char*, 16>& second) {
    std::string name = std::string(first[number % 16]) + " " + second[(number / 16) % 16];
    return number < 256 ? name : name + " " + std::to_string(number / 256);
}

std::string horseName(int horse) {
    static constexpr std::array<const char*, 16> first{
        "Black", "Rebel's", "Blazing", "Grand", "Western", "Amber", "Quiet", "Crimson",
        "Iron", "Storm", "Silver", "Golden", "Lucky", "Royal", "Wild", "Bold"};
    static constexpr std::array<const char*, 16> second{
        "Dasher", "Hunter", "Treasure", "Island", "Jewel", "Bay", "Duke", "Queen",
        "Cannon", "Star", "Express", "Breeze", "Crown", "Arrow", "Legend", "Spirit"};
    return madeUpName(horse, first, second).substr(0, 25);
}

std::string stableName(int stable) {
    static constexpr std::array<const char*, 16> first{
        "Fisher", "Russell", "Reid", "Harrow", "Wood", "Turner", "Sable", "Young",
        "Parker", "Hill", "Stone", "Brook", "Marsh", "Field", "Grant", "Lane"};
    static constexpr std::array<const char*, 16> second{
        "Partners", "Thoroughbreds", "Bloodstock", "Equine", "Stables", "Racing", "Farm",
        "& Sons", "Ltd.", "Team", "Acres", "Downs", "Park", "Ranch", "Estate", "Group"};
    return madeUpName(stable, first, second);
}

store::RaceRow makeRace(double racenum, int size, std::mt19937& random) {
    static constexpr std::array<const char*, 6> classes{"Alw", "MS", "Clm", "MC", "Stk", "A1x"};
    const bool claiming = random() % 3 == 0;
    return {.racenum = racenum,
            .surf = random() % 4 == 0 ? "T" : "D",
            .restr = classes[random() % classes.size()],
            .cond = std::string(1, "FFFGSY"[random() % 6]),
            .dist = 5.0 + static_cast<double>(random() % 15) * 0.5,
            .size = size,
            .purse = 5'000 + static_cast<std::int64_t>(random() % 200) * 500,
            .cprice = claiming ? 5'000 + static_cast<std::int64_t>(random() % 40) * 1'000 : 0,
            .age = random() % 4 == 0 ? "F-3+" : "O-3+"};
}

store::RunnerRow makeRunner(double racenum, int fin, int size, std::mt19937& random) {
    const int horse = static_cast<int>(random() % kHorses);
    return {.hname = horseName(horse),
            .hid = 1'000 + static_cast<std::int64_t>(horse) * 211,
            .racenum = racenum,
            .fin = fin,
            .ppos = 1 + static_cast<int>(random() % static_cast<unsigned>(size)),
            .sp = static_cast<double>(4'000 + random() % 7'000) / 100.0,
            .start = static_cast<int>(random() % 200),
            .odds = static_cast<double>(1 + random() % 999) / 10.0,
            .oname = stableName(static_cast<int>(random() % kStables))};
}

Week makeWeek(int week) {
    std::mt19937 random(static_cast<unsigned>(week));
    Week result;
    for (int track = 1; track <= kTracks; ++track) {
        for (int race = 1; race <= kRacesPerTrack; ++race) {
            const double racenum = week + (track * 100 + race) / 10000.0;
            const int size = 6 + static_cast<int>(random() % 9);  // 6 to 14, about 10
            result.races.push_back(makeRace(racenum, size, random));
            auto& runners = result.runners.emplace_back();
            for (int fin = 1; fin <= size; ++fin)
                runners.push_back(makeRunner(racenum, fin, size, random));
        }
    }
    return result;
}

// Stores the week as the import does: one transaction, each race followed by its runners.
void storeWeek(store::Database& db, const Week& week) {
    store::Transaction transaction(db);
    store::RaceWriter writer(db);
    for (std::size_t i = 0; i < week.races.size(); ++i) {
        writer.addRace(week.races[i]);
        for (const auto& runner : week.runners[i])
            writer.addRunner(runner);
    }
    transaction.commit();
}

void syncFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void removeStore(const fs::path& file) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        fs::remove(file.string() + suffix);
}

// The bench folder with an empty store and a 50-week store, made once per run.
class Templates {
public:
    Templates() {
        const char* configured = std::getenv("HARROWDEX_BENCH_DIR");
        folder_ = (configured ? fs::path(configured) : fs::temp_directory_path()) /
                  "harrowdex-pragmas-bench";
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        store::createRaceStore(emptyStore());
        store::createRaceStore(filledStore());
        store::Database db = store::Database::open(filledStore());
        for (int week = kFirstWeek; week < kFirstWeek + kFilledWeeks; ++week)
            storeWeek(db, makeWeek(week));
    }
    ~Templates() { fs::remove_all(folder_); }

    fs::path emptyStore() const { return folder_ / "empty.mdb"; }
    fs::path filledStore() const { return folder_ / "filled.mdb"; }
    fs::path workStore() const { return folder_ / "work.mdb"; }

private:
    fs::path folder_;
};

const Templates& templates() {
    static const Templates made;
    return made;
}

// Arg 0: weeks already in the store (0 or 50).
void importOneWeek(benchmark::State& state, store::ConnectionSettings settings) {
    const Templates& files = templates();
    const fs::path source = state.range(0) == 0 ? files.emptyStore() : files.filledStore();
    const Week week = makeWeek(kFirstWeek + kFilledWeeks);
    std::size_t runners = 0;
    for (const auto& race : week.runners)
        runners += race.size();

    for (auto _ : state) {
        state.PauseTiming();
        removeStore(files.workStore());
        fs::copy_file(source, files.workStore());
        syncFile(files.workStore());  // so the commit pays only for its own writes
        std::optional<store::Database> db(
            store::Database::open(files.workStore(), store::Access::ReadWrite, settings));
        state.ResumeTiming();

        storeWeek(*db, week);

        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["runners"] = static_cast<double>(runners);
    state.counters["races"] = static_cast<double>(week.races.size());
}

using store::JournalMode;
using store::Synchronous;

BENCHMARK_CAPTURE(importOneWeek, wal_full, {JournalMode::Wal, Synchronous::Full})
    ->Arg(0)->Arg(kFilledWeeks)->ArgName("weeks")->Iterations(20)->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importOneWeek, wal_normal, {JournalMode::Wal, Synchronous::Normal})
    ->Arg(0)->Arg(kFilledWeeks)->ArgName("weeks")->Iterations(20)->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(importOneWeek, delete_full, {JournalMode::Delete, Synchronous::Full})
    ->Arg(0)->Arg(kFilledWeeks)->ArgName("weeks")->Iterations(20)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
