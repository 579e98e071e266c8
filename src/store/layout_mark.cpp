// SPDX-License-Identifier: MIT
#include "store/layout_mark.h"

#include "store/database.h"
#include "store/sqlite_error.h"

namespace store {

LayoutMark readLayoutMark(Database& db) {
    Statement select = db.prepare("PRAGMA application_id");
    select.step();
    return {static_cast<std::uint32_t>(select.integer(0))};
}

std::optional<std::string> layoutProblem(const std::filesystem::path& file, LayoutMark mark, bool forWriting) {
    if (mark.unmarked()) return std::nullopt;
    if (!mark.ours())
        return quoted(file) + " belongs to another program (its application id is " +
               std::to_string(mark.applicationId) + "), not a race store.";
    if (forWriting && mark.layout() > kStoreLayout)
        return "The race store " + quoted(file) + " has layout " + std::to_string(mark.layout()) +
               ", made by a newer Harrowdex; this one knows layouts up to " + std::to_string(kStoreLayout) +
               ". It is left as it is.";
    return std::nullopt;
}

void markLayout(Database& db) {
    constexpr std::uint32_t kOwnMark = kApplicationMark | kStoreLayout;
    if (readLayoutMark(db).applicationId == kOwnMark) return;
    // The header's id is a signed 32-bit number.
    db.exec("PRAGMA application_id = " + std::to_string(static_cast<std::int32_t>(kOwnMark)));
}

}  // namespace store
