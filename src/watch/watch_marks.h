// SPDX-License-Identifier: MIT
// Which horses and stables are watched, for the listings to mark them as they paint.
#pragma once

#include "base/grid_model.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {
class Database;
}

namespace watch {

// Which horses (by number) and stables (by owner name, ignoring letter case as the store
// compares them) are watched, with their notes. The listings ask it for every cell they
// paint, so a look-up neither allocates nor touches the store.
class WatchMarks {
public:
    void load(store::Database& db);
    void clear();
    bool empty() const { return horses_.empty() && stables_.empty(); }

    // The note of a watched horse or stable; nothing when it is not watched.
    const std::string* horseNote(std::int64_t hid) const;
    const std::string* horseNote(std::string_view numberText) const;
    const std::string* stableNote(std::string_view owner) const;

private:
    struct FoldedHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::unordered_map<std::int64_t, std::string> horses_;
    std::unordered_map<std::string, std::string, FoldedHash, FoldedEqual> stables_;
};

// The columns of a listing that hold a horse's name and number, and its owner (-1 when the
// listing has none).
struct MarkedColumns {
    int name = 0;
    int number = 1;
    int owner = -1;
};

// The note that the cell at `row`, `col` of a listing carries: a watched horse's name cell
// or a watched stable's owner cell. Nothing for every other cell, the header rows included.
const std::string* cellNote(const WatchMarks& marks, const base::GridModel& grid, const MarkedColumns& columns, int row,
                            int col);

}  // namespace watch
