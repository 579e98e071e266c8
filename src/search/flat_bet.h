// SPDX-License-Identifier: MIT
// The flat-bet return of a set of runs: what a $2 win bet on each would have returned.
#pragma once

#include <optional>

namespace search {

// The flat-bet return of a set of runs: the net return of a $2 win bet on every run at
// its stored odds (to one), as a percentage of the stakes. A win pays the stake back
// with odds times the stake; -100% when none of the runs won.
class FlatBet {
public:
    void add(int fin, double odds);
    // Nothing when no run was added.
    std::optional<double> percent() const;

private:
    int bets_ = 0;
    double net_ = 0;  // in stakes
};

}  // namespace search
