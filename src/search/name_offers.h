// SPDX-License-Identifier: MIT
// The names offered while a name is typed, for each kind of search that looks one up.
#pragma once

#include "progeny/breeding_names.h"
#include "shell/main_finder.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {
class Database;
}

namespace search {

// What a typed name is looked for among: horses and stables in the race store, or one
// position of the breeding file.
enum class OfferKind { Horse, Owner, Sire, DamSire, DamsDamSire };

// A name offered; a horse's with its number and the week of its newest run.
struct NameOffer {
    std::string name;
    std::optional<std::int64_t> id;
    std::optional<int> lastWeek;
    bool operator==(const NameOffer&) const = default;
};

inline constexpr std::size_t kOffersShown = 12;

// Whether `typed` gets offers: two characters or more, and none of the search's own
// patterns `*` and `?`, which no offer could complete.
bool offersFor(std::string_view typed);

// Where offers for `kind` are read: the race store and the breeding file at `breedingFile`.
struct OfferSources {
    store::Database* db = nullptr;
    progeny::BreedingNamesOfFile* breeding = nullptr;
    std::string breedingFile;
};

// The offers for `typed` (none when it gets none, see above), at most `limit`: horses one
// per number under their newest run's name, newest race first, then name and number;
// stables newest race first, then name; breeding-file names in name order. A horse's name
// counts with its first 25 characters, as the store keeps it.
std::vector<NameOffer> nameOffers(OfferSources& sources, OfferKind kind, std::string_view typed,
                                  std::size_t limit = kOffersShown);

// The offers the main window's name box gets for the search kind chosen: none for "Race".
std::optional<OfferKind> nameBoxOffers(const shell::MainFinder& window);

}  // namespace search
