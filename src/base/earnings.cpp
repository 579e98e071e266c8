// SPDX-License-Identifier: MIT
#include "base/earnings.h"

#include "base/rounding.h"

#include <array>

namespace base {

namespace {

constexpr std::array<double, 5> kShares{0.6, 0.25, 0.08, 0.05, 0.02};

}  // namespace

std::int32_t earningsOf(std::int64_t purse, int fin) {
    if (fin < 1 || fin > static_cast<int>(kShares.size())) return 0;
    // The product in double lands exactly on a half wherever the decimal share does, so
    // the tie goes to the even neighbour as it should.
    const double amount = static_cast<double>(purse) * kShares[static_cast<std::size_t>(fin - 1)];
    return static_cast<std::int32_t>(roundHalfEven(amount));
}

}  // namespace base
