// SPDX-License-Identifier: MIT
// Copying every page of one database into another through the engine's online backup.
#pragma once

#include <cstdint>
#include <functional>

namespace store {

class Database;

// Reads the pages of `db` through a memory map from now on, so that reading every page
// (a copy, the engine's check) costs no read call per page.
void readMapped(Database& db);

// How far a copy has come, in pages.
struct CopyProgress {
    std::int64_t done = 0;
    std::int64_t total = 0;
};

// The engine's online backup, in the one way the store uses it: every page of `from` as
// of one moment replaces all of `to` in one write transaction of `to`.
class PageCopy {
public:
    // Told after each step; false stops the copy, and `to` keeps what it had.
    using Report = std::function<bool(CopyProgress)>;

    // The copy reads `from` in one read transaction, so other programs may write to it
    // meanwhile without the copy starting over or mixing states; `to` is written in one
    // transaction, which other connections to it see commit whole or not at all. False
    // when `report` stopped it; throws a StoreError on a failure, `to` unchanged. The two
    // connections keep the settings the copy gives them: `from` reads through a memory
    // map, `to` has a small page cache.
    //
    // `beforeCommit`, when given, is asked once before the step that will commit `to` (the
    // copy's first step then takes a single page, to learn the size before anything is
    // committed); false stops the copy with `to` unchanged, and what it throws leaves `to`
    // unchanged too.
    static bool copy(Database& from, Database& to, const Report& report = {}, const Report& beforeCommit = {});
};

}  // namespace store
