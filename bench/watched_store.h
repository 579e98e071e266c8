// SPDX-License-Identifier: MIT
#pragma once

#include "bench_support.h"
#include "store/database.h"
#include "store/transaction.h"
#include "store/watch_tables.h"

#include <filesystem>
#include <string>
#include <vector>

namespace bench_support {

constexpr int kWatchedHorses = 500;

// The stable with the most runs of the 600-week store.
inline std::string largestStableOf(store::Database& db) {
    auto owner = db.prepare("SELECT oname FROM tblhorsedata GROUP BY oname ORDER BY count(*) DESC LIMIT 1");
    owner.step();
    return owner.text(0);
}

// A copy of the 600-week store, made once beside it, whose watch list holds 500 horses
// (the largest stable's first, so that its listing meets many of them) and that stable.
inline std::string watchedStorePath() {
    static const std::string path = [] {
        const std::filesystem::path source = requiredPath("HARROWDEX_BENCH_STORE");
        const std::filesystem::path copy = source.parent_path() / "600-watched.mdb";
        if (std::filesystem::exists(copy)) return copy.string();
        const std::filesystem::path building = copy.string() + ".part";
        std::filesystem::copy_file(source, building, std::filesystem::copy_options::overwrite_existing);
        {
            auto db = store::Database::open(building);
            const std::string stable = largestStableOf(db);
            auto horses = db.prepare(
                "SELECT hid, max(hname) FROM (SELECT * FROM (SELECT hid, hname, 0 AS later FROM tblhorsedata "
                "WHERE oname = ?1 LIMIT 5000) UNION ALL SELECT hid, hname, 1 FROM tblhorsedata "
                "WHERE rowid % 4001 = 0) GROUP BY hid ORDER BY min(later), hid LIMIT ?2");
            horses.bind(1, stable).bind(2, kWatchedHorses);
            store::Transaction transaction(db);
            store::createWatchTables(db);
            while (horses.step())
                store::watchHorse(db, horses.integer(0), horses.text(1), std::string("watched for the benchmark"),
                                  {36000, 600});
            store::watchStable(db, stable, std::string("the largest stable"), {36000, 600});
            transaction.commit();
        }
        std::filesystem::rename(building, copy);
        return copy.string();
    }();
    return path;
}

}  // namespace bench_support
