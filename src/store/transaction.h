// SPDX-License-Identifier: MIT
#pragma once

namespace store {

class Database;

// A write transaction: everything done between its creation and commit() is stored
// together or not at all. It takes the write lock at once (BEGIN IMMEDIATE), so a store
// locked by another program fails here, before any work, with a clear message. Without
// commit(), the destructor rolls everything back: a failure part way loses nothing
// that was stored before.
class Transaction {
public:
    explicit Transaction(Database& db);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    void commit();

private:
    Database& db_;
    bool open_ = true;
};

}  // namespace store
