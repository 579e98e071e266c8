// SPDX-License-Identifier: MIT
// Rounding to a whole number, an exact half to the even neighbour.
#pragma once

#include <cmath>
#include <cstdint>

namespace base {

// Conversion to a whole number: to the nearest, an exact half to the even neighbour.
inline std::int64_t roundHalfEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding mode: to even
}

}  // namespace base
