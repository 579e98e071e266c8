// SPDX-License-Identifier: MIT
// The kinds of search of the criteria panel.
#pragma once

namespace search {

// The kinds of search that a request asks for (`opt` of `gethorse`).
enum SearchKind : int {
    kHorseByNameAndNumber = 1,
    kHorseByName = 2,
    kHorseByNumber = 3,
    kOwner = 4,
    kRace = 5,
};

}  // namespace search
