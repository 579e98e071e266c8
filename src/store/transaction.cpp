// SPDX-License-Identifier: MIT
#include "store/transaction.h"

#include "store/database.h"
#include "store/statement.h"

#include <string>

namespace store {

namespace {

// The generation lives in the file header's user version, a number the engine keeps for
// its users and changes only inside a transaction, so it needs no table of its own.
std::int64_t readGeneration(Database& db) {
    Statement statement = db.prepare("PRAGMA user_version");
    statement.step();
    return statement.integer(0);
}

void countGeneration(Database& db) {
    constexpr std::int64_t kLargest = 0x7fffffff;  // the header keeps a signed 32-bit number
    const std::int64_t next = (readGeneration(db) + 1) & kLargest;
    db.exec("PRAGMA user_version = " + std::to_string(next));
}

}  // namespace

Transaction::Transaction(Database& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    // Some failures (a full disk, for one) end the transaction inside the engine already.
    if (!open_ || !db_.inTransaction()) return;
    try {
        db_.exec("ROLLBACK");
    } catch (...) {
        // The engine rolls back an unfinished transaction itself when the file is next
        // opened, so nothing half-written can be seen either way.
    }
}

void Transaction::commit() {
    countGeneration(db_);
    db_.exec("COMMIT");
    open_ = false;
}

ReadTransaction::ReadTransaction(Database& db) : db_(db), own_(!db.inTransaction()) {
    if (own_) db_.exec("BEGIN");
    // The first read starts the engine's read transaction, which fixes the state seen.
    try {
        generation_ = readGeneration(db_);
    } catch (...) {
        if (own_) db_.exec("ROLLBACK");
        throw;
    }
}

ReadTransaction::~ReadTransaction() {
    if (!own_ || !db_.inTransaction()) return;
    try {
        db_.exec("COMMIT");
    } catch (...) {
        // Ending a read cannot lose anything; the engine ends it with the connection.
    }
}

}  // namespace store
