// SPDX-License-Identifier: MIT
// Reads the offspring of a sire, dam-sire or dam's dam-sire from the breeding file.
#pragma once

#include "progeny/text_lines.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace progeny {

// Which ancestor a progeny search looks at: the line of a breeding-file group that holds
// its name (the horse itself is line 0).
enum class Ancestor { Sire = 1, DamSire = 2, DamsDamSire = 3 };

// A horse that the breeding file describes, its fields as written there.
struct Offspring {
    std::int32_t number = 0;
    std::string name;
    std::int16_t age = 0;
    std::string sex;  // one character, or empty when the line ends after the age
    std::string sire;
    std::string damSire;
    std::string damsDamSire;
};

// The horses of one search, in file order. When the reading stopped at a fault of the
// file, `problem` says which, for the user, and `offspring` holds the horses kept before.
struct BreedingSelection {
    std::vector<Offspring> offspring;
    std::optional<std::string> problem;
};

// At most this many horses fit one listing.
inline constexpr std::size_t kMostOffspring = 32767;

// Reads the breeding file's text (groups of four lines: the horse, its sire, its dam-sire
// and its dam's dam-sire) and keeps every horse whose ancestor in `position` bears
// `name`, compared as whole names without regard to letter case. An empty line gives up
// the group it stands in; the next group starts after it, also when it stands among the
// lines skipped after a name that does not match. A group cut short by the end of the
// text is dropped.
BreedingSelection selectOffspring(std::string_view text, std::string_view name, Ancestor position);
// The same, reading the text piece by piece as it goes; a failure to read it is a
// `problem` too.
BreedingSelection selectOffspring(TextSource& source, std::string_view name, Ancestor position);

// Hands `visit` the sire, dam-sire and dam's dam-sire of every whole group of the text of
// `source`, read as above, in file order. A fault of the file or a failure to read it
// ends the reading; what ended it is returned, worded as a search's `problem`.
using AncestryVisit =
    std::function<void(std::string_view sire, std::string_view damSire, std::string_view damsDamSire)>;
std::optional<std::string> forEachAncestry(TextSource& source, const AncestryVisit& visit);

}  // namespace progeny
