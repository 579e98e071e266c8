// SPDX-License-Identifier: MIT
#include "store/transaction.h"

#include "store/database.h"

namespace store {

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    // Some failures (a full disk, for one) end the transaction inside the engine already.
    if (!open_ || !db_.inTransaction())
        return;
    try {
        db_.exec("ROLLBACK");
    } catch (...) {
        // The engine rolls back an unfinished transaction itself when the file is next
        // opened, so nothing half-written can be seen either way.
    }
}

void Transaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

}  // namespace store
