// SPDX-License-Identifier: MIT
// The columns of the results grid by name, in its horse and progeny layouts.
#pragma once

// The columns of the results grid, by name. A search lists one run a row (the horse
// layout), a progeny search one offspring a row (the progeny layout); both keep the
// horse's name and number in the first two columns, so that a command on a row finds the
// horse in either.
namespace base {

// One column a name, in the grid's order.
// clang-format off
namespace horse_column {
enum : int {
    kName, kHorseNumber, kRace, kAge, kTrack, kType, kDistance, kSurface, kSpeed, kPlace, kField, kPost, kPurse,
    kOdds, kEarnings, kOwner, kClaiming, kStart,
    kCount
};
}  // namespace horse_column

namespace progeny_column {
// The best speed figures are kept for four distance bands, dirt's then turf's.
inline constexpr int kBands = 4;
enum : int {
    kName, kHorseNumber, kFirstAncestor, kSecondAncestor, kAge, kSex, kRaces, kWon, kAllowance, kStakes, kGraded,
    kDirtBest, kTurfBest = kDirtBest + kBands,
    kCount = kTurfBest + kBands
};
}  // namespace progeny_column
// clang-format on

}  // namespace base
