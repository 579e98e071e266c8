// SPDX-License-Identifier: MIT
#include "store/track_list.h"

#include "store/database.h"
#include "store/transaction.h"

namespace store {

std::vector<Track> listTracks(Database& db) {
    Statement rows = db.prepare("SELECT num, stcode FROM statecodes ORDER BY num ASC");
    std::vector<Track> tracks;
    while (rows.step()) tracks.push_back({static_cast<int>(rows.integer(0)), rows.text(1)});
    return tracks;
}

bool addTrack(Database& db, int num, std::string_view stcode) {
    // The check and the insert under one lock, so a number never lands twice.
    Transaction transaction(db);
    if (db.prepare("SELECT 1 FROM statecodes WHERE num = ?1 LIMIT 1").bind(1, num).step()) return false;
    db.prepare("INSERT INTO statecodes (num, stcode) VALUES (?1, ?2)").bind(1, num).bind(2, stcode).step();
    transaction.commit();
    return true;
}

bool deleteTrack(Database& db, int num) {
    db.prepare("DELETE FROM statecodes WHERE rowid = (SELECT rowid FROM statecodes WHERE num = ?1 LIMIT 1)")
        .bind(1, num)
        .step();
    return db.changes() > 0;
}

}  // namespace store
