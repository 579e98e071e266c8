// SPDX-License-Identifier: MIT
#include "search/flat_bet.h"

namespace search {

void FlatBet::add(int fin, double odds) {
    ++bets_;
    net_ += fin == 1 ? odds : -1.0;
}

std::optional<double> FlatBet::percent() const {
    if (bets_ == 0) return std::nullopt;
    return 100.0 * net_ / bets_;
}

}  // namespace search
