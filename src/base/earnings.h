// SPDX-License-Identifier: MIT
// The earnings credited to a run from its race's purse and its finishing place.
#pragma once

#include <cstdint>

namespace base {

// The earnings credited to a run: the purse times 0.6, 0.25, 0.08, 0.05 or 0.02 for
// places 1 to 5, nothing for any other place, rounded to the nearest whole number
// (halves to even). The five shares add up to the whole purse. Purses are 32-bit, so
// the amount always fits.
std::int32_t earningsOf(std::int64_t purse, int fin);

}  // namespace base
