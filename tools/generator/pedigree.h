// SPDX-License-Identifier: MIT
#pragma once

// The breeding file that harrowdex-generate-results writes beside its results files: every
// horse that ran or could have run, with its age and sex and three ancestors drawn from a
// pool of stallions, a few of which sire large families.
#include "vocabulary.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace generator {

// A horse as the breeding file describes it.
struct Foal {
    std::uint32_t number = 0;
    std::string name;
    int foaledWeek = 0;
    bool female = false;
};

// The stallions of the pool, in order of family size: the first four take these shares
// (per mille) of every ancestor line, the others share the rest evenly. On a 600-week run
// (some 217,000 horses) the first has about 2,000 offspring.
inline constexpr int kFamilyShares[] = {9, 4, 2, 1};
inline constexpr std::size_t kStallions = 600;

// `Random` is the generator's own random source; the pedigree draws from an engine of
// its own, so that adding a breeding file leaves the results files as they were.
template <typename Random>
class Pedigree {
public:
    explicit Pedigree(Random& random) : random_(random) {
        std::unordered_set<std::string> taken;
        while (stallions_.size() < kStallions) {
            std::string name(random_.pick(kFirstWords));
            name += " " + std::string(random_.pick(kNouns));
            if (taken.insert(name).second) stallions_.push_back(std::move(name));
        }
    }

    const std::string& largestFamily() const { return stallions_.front(); }

    // The whole file, sorted by horse number, with each horse's age at `week`.
    std::string breedingText(std::vector<Foal> foals, int week) {
        std::ranges::sort(foals, {}, &Foal::number);
        std::string text;
        text.reserve(foals.size() * 90);
        for (const Foal& foal : foals) {
            const std::string number = std::to_string(foal.number);
            const int age = (week - foal.foaledWeek) / 52;
            text += number + "," + foal.name + "," + std::to_string(age) + "," + sexOf(foal, age) + "\r\n";
            for (int line = 0; line < 3; ++line) text += number + "," + stallion() + ",\r\n";
        }
        return text;
    }

private:
    // Colts and fillies up to 4, then horses (some gelded) and mares.
    char sexOf(const Foal& foal, int age) {
        if (foal.female) return age <= 4 ? 'F' : 'M';
        if (age <= 4) return 'C';
        return random_.perMille(600) ? 'G' : 'H';
    }

    const std::string& stallion() {
        auto draw = static_cast<int>(random_.below(1000));
        for (std::size_t i = 0; i < std::size(kFamilyShares); ++i) {
            if (draw < kFamilyShares[i]) return stallions_[i];
            draw -= kFamilyShares[i];
        }
        const std::size_t first = std::size(kFamilyShares);
        return stallions_[first + random_.below(stallions_.size() - first)];
    }

    Random& random_;
    std::vector<std::string> stallions_;
};

}  // namespace generator
