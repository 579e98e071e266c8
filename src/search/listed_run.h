// SPDX-License-Identifier: MIT
// One run of a search's listing, with the earnings credited to it.
#pragma once

#include "store/run_query.h"

#include <cstdint>

namespace search {

// One run of a horse, owner or race search as the race store returns it, with the
// earnings credited to it. The listing shows it as one grid row; the statistics add it up.
struct ListedRun : store::RunRecord {
    std::int32_t earnings = 0;  // earningsOf(purse, fin)
};

}  // namespace search
