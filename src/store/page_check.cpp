// SPDX-License-Identifier: MIT
#include "store/page_check.h"

#include "store/database.h"

namespace store {

std::optional<std::string> pageProblem(Database& db) {
    Statement check = db.prepare("PRAGMA quick_check(1)");
    if (!check.step()) return std::nullopt;
    std::string verdict = check.text(0);
    if (verdict == "ok") return std::nullopt;
    // "*** in database main ***\nPage 23: ...": the page is what the user can pass on.
    if (const auto line = verdict.rfind('\n'); line != std::string::npos) verdict.erase(0, line + 1);
    return verdict;
}

}  // namespace store
