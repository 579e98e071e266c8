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
std::optional<OfferKind> nameBoxKind(const shell::MainFinder& window);

// The offers of a window's box for `typed`, read anew from the store through the
// window's kept connections (so they follow every import and removal) and from its
// breeding file. None while the store cannot be read or lacks its name indexes (another
// program's large import dropped them): typing never waits for a read of every run.
// The breeding file's names are needed for its kinds only.
std::vector<NameOffer> windowOffers(shell::WindowSession& window, progeny::BreedingNamesOfFile* breeding,
                                    OfferKind kind, std::string_view typed);

// Taking an offer of the main window's name box lists it at once: a horse by name and
// number (the ID box filled and "by ID" ticked, so that the one of two namesakes chosen is
// listed), any other name by the search kind chosen.
void takeNameOffer(shell::MainFinder& window, const NameOffer& offer);

}  // namespace search
