// SPDX-License-Identifier: MIT
#include "watch/watch_marks.h"

#include "store/watch_tables.h"

#include <charconv>

namespace watch {

namespace {

// The store's NOCASE collation folds ASCII letters only; so does the look-up.
unsigned char folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

}  // namespace

std::size_t WatchMarks::FoldedHash::operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char c : text) hash = (hash ^ folded(static_cast<unsigned char>(c))) * 1099511628211ULL;
    return hash;
}

bool WatchMarks::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(static_cast<unsigned char>(a[i])) != folded(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

void WatchMarks::load(store::Database& db) {
    clear();
    if (!store::hasWatchTables(db)) return;
    for (auto& horse : store::watchedHorseNotes(db)) horses_.emplace(horse.hid, std::move(horse.note));
    for (auto& stable : store::watchedStableNotes(db)) stables_.emplace(std::move(stable.name), std::move(stable.note));
}

void WatchMarks::clear() {
    horses_.clear();
    stables_.clear();
}

const std::string* WatchMarks::horseNote(std::int64_t hid) const {
    const auto it = horses_.find(hid);
    return it == horses_.end() ? nullptr : &it->second;
}

const std::string* WatchMarks::horseNote(std::string_view numberText) const {
    if (horses_.empty()) return nullptr;
    std::int64_t hid = 0;
    const auto [end, error] = std::from_chars(numberText.data(), numberText.data() + numberText.size(), hid);
    if (error != std::errc() || end != numberText.data() + numberText.size()) return nullptr;
    return horseNote(hid);
}

const std::string* WatchMarks::stableNote(std::string_view owner) const {
    if (stables_.empty()) return nullptr;
    const auto it = stables_.find(owner);
    return it == stables_.end() ? nullptr : &it->second;
}

const std::string* cellNote(const WatchMarks& marks, const base::GridModel& grid, const MarkedColumns& columns, int row,
                            int col) {
    if (row < grid.fixedRows() || row >= grid.rows()) return nullptr;
    if (col == columns.name && columns.number < grid.cols()) return marks.horseNote(grid.text(row, columns.number));
    if (col == columns.owner && col < grid.cols()) return marks.stableNote(grid.text(row, col));
    return nullptr;
}

}  // namespace watch
