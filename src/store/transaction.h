// SPDX-License-Identifier: MIT
// A write transaction of the race store: everything in it stored together or not at all.
#pragma once

#include <cstdint>

namespace store {

class Database;

// A write transaction: everything done between its creation and commit() is stored
// together or not at all. It takes the write lock at once (BEGIN IMMEDIATE), so a store
// locked by another program fails here, before any work, with a clear message. Without
// commit(), the destructor rolls everything back: a failure part way loses nothing
// that was stored before. Each commit counts one more generation of the store (below).
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

// A read transaction: every read on `db` while it lasts sees one state of the store,
// whatever other programs commit meanwhile. Inside a transaction already open on `db`
// it adds nothing but the generation.
//
// The generation tells states of the store apart across connections, which the engine
// here cannot (it has no way to hand one connection's snapshot to another, and its data
// version counts per connection): every write transaction of this program counts it up
// inside the transaction, so two connections that read the same generation read the same
// state.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db);
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    ~ReadTransaction();

    std::int64_t generation() const { return generation_; }

private:
    Database& db_;
    bool own_;
    std::int64_t generation_ = 0;
};

}  // namespace store
