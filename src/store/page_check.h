// SPDX-License-Identifier: MIT
// The engine's check of every page of a store.
#pragma once

#include <optional>
#include <string>

namespace store {

class Database;

// The engine's quick check of every page (not of the indexes' agreement with their
// tables, which takes several times longer): the first problem it finds, or nothing.
std::optional<std::string> pageProblem(Database& db);

}  // namespace store
