// SPDX-License-Identifier: MIT
// The mark a race store carries in its file header: this program's application id and the store's layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace store {

class Database;

// The header's application id of a race store: "HRD" in its high three bytes, and in its
// low byte the layout number, which counts up whenever the tables change in a way an
// older program could not read or write. (The header's user version counts the write
// generations.) A store with id 0 and the race tables was made before the mark existed.
inline constexpr std::uint32_t kApplicationMark = 0x48524400;
inline constexpr int kStoreLayout = 1;

struct LayoutMark {
    std::uint32_t applicationId = 0;
    bool unmarked() const { return applicationId == 0; }
    bool ours() const { return (applicationId & 0xFFFFFF00u) == kApplicationMark; }
    int layout() const { return static_cast<int>(applicationId & 0xFFu); }
};

LayoutMark readLayoutMark(Database& db);

// Why the store at `file` with `mark` is not this program's to work with: another
// program's application id, or (when `forWriting`) a layout newer than this program's.
// Nothing for an unmarked store, which is taken for an older one of this program.
std::optional<std::string> layoutProblem(const std::filesystem::path& file, LayoutMark mark, bool forWriting);

// Gives an unmarked store, or one of an older layout, this program's mark. Writes only
// when the mark differs, so it costs nothing on every later opening.
void markLayout(Database& db);

}  // namespace store
