// SPDX-License-Identifier: MIT
// The race store's search indexes: whether any is missing, and making those that are.
#pragma once

#include <filesystem>

namespace store {

class Database;

// Whether any of the search indexes is missing, as after a bulk load that was cut
// short; one look at the schema, so cheap enough before every search.
bool searchIndexesMissing(Database& db);

// Creates whichever of the store's search indexes are missing, with the planner
// statistics that make the searches use them. Cheap when all are there; run before
// work that relies on them, since a store made by another tool, or one whose bulk load
// was interrupted, may lack them.
void ensureSearchIndexes(Database& db);

// Whether another program's bulk load (below) holds the indexes dropped right now.
bool bulkLoadUnderway(const std::filesystem::path& store);

// ensureSearchIndexes for a program that is about to write, except while another
// program's bulk load holds the indexes dropped: building them then would make every row
// of that load update them, and the load builds them at its end anyway. Writing goes on
// without them, as searches do meanwhile. The bulk load is looked for under the store's
// write lock, which it takes only after its own lock, so it cannot start unseen between
// the look and the building. Whether the indexes are all there.
bool ensureSearchIndexesUnlessBulkLoad(Database& db);

// The same for a store that `reader` looks at, writing through a connection of its own.
// Searches are right without the indexes, only slower, so a store that cannot be written
// now (read-only, or busy beyond the time-out), or whose indexes another program's bulk
// load holds dropped, is left as it is: false then.
bool restoreSearchIndexes(Database& reader);

// A large import into a small store: the indexes whose entries land in random order
// (horse name, horse number, owner) are dropped while the rows are stored and built
// once at the end, which costs a fraction of keeping them up to date row by row. The
// race-number indexes stay, for the week checks and deletions.
//
// While it lasts, the bulk load holds an exclusive lock on a small file beside the store
// (the store's name followed by "-import"), so that other programs' searches do not build
// the indexes again meanwhile; the system releases the lock when the program dies.
class BulkLoad {
public:
    explicit BulkLoad(Database& db);
    BulkLoad(const BulkLoad&) = delete;
    BulkLoad& operator=(const BulkLoad&) = delete;
    ~BulkLoad();
    // Builds the dropped indexes again. Must be called however the import ends; should
    // the program die first, the next start-up, search or import restores them.
    void finish();

private:
    void release() noexcept;

    Database& db_;
    int lock_ = -1;
};

}  // namespace store
