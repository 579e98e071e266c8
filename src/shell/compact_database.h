// SPDX-License-Identifier: MIT
// "&Compact Database": the race store rewritten without its free space, or left as it was.
#pragma once

#include "shell/main_finder.h"

#include <cstdint>
#include <string>

namespace shell {

// "&Compact Database": rewrites the race store without its free space, in one
// transaction that other programs using the store wait for; on any failure the user is
// told and the store stays as it was. True when the store was compacted; the status text
// then says how much room it freed.
bool cmdcompact_Click(MainFinder& window);

// The status text after a compaction that took the store from `before` to `after` bytes.
std::string compactedStatus(std::int64_t before, std::int64_t after);

}  // namespace shell
