// SPDX-License-Identifier: MIT
#pragma once

// The breeding file that harrowdex-generate-results writes beside its results files: every
// horse that ran or could have run, with its age and sex and three ancestors drawn from a
// pool of stallions, a few of which sire large families.
#include "horse_page.h"
#include "vocabulary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
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

// The stallions of the pool, in order of family size: of a pool of 600 the first four take
// these shares (per mille) of every ancestor line, the others share the rest evenly; in a
// smaller pool the four take as much more as the pool is smaller. On a 600-week run (some
// 217,000 horses) the first has about 2,000 offspring.
inline constexpr int kFamilyShares[] = {9, 4, 2, 1};
inline constexpr std::size_t kStallions = 600;

// `Random` is the generator's own random source; the pedigree draws from an engine of
// its own, so that adding a breeding file leaves the results files as they were.
template <typename Random>
class Pedigree {
public:
    Pedigree(Random& random, std::size_t stallions) : random_(random) {
        for (std::size_t i = 0; i < std::size(kFamilyShares); ++i)
            shares_[i] = static_cast<int>(kFamilyShares[i] * kStallions / stallions);
        std::unordered_set<std::string> taken;
        while (stallions_.size() < stallions) {
            std::string name(random_.pick(kFirstWords));
            name += " " + std::string(random_.pick(kNouns));
            if (taken.insert(name).second) stallions_.push_back(std::move(name));
        }
    }

    const std::string& largestFamily() const { return stallions_.front(); }
    // Its offspring in the last breeding text (the horses it sired).
    int largestFamilySize() const { return largestFamilySize_; }

    // The whole file, sorted by horse number, with each horse's age at `week`.
    std::string breedingText(std::vector<Foal> foals, int week) {
        std::ranges::sort(foals, {}, &Foal::number);
        std::string text;
        text.reserve(foals.size() * 90);
        largestFamilySize_ = 0;
        for (const Foal& foal : foals) {
            const std::string number = std::to_string(foal.number);
            const int age = (week - foal.foaledWeek) / 52;
            const char sex = sexOf(foal, age);
            sexes_[foal.number] = sex;
            text += number + "," + foal.name + "," + std::to_string(age) + "," + sex + "\r\n";
            auto& lines = lines_[foal.number];
            for (auto& line : lines) {
                line = stallion();
                text += number + "," + stallions_[line] + ",\r\n";
            }
            largestFamilySize_ += lines[0] == 0 ? 1 : 0;
        }
        return text;
    }

    // The sex letter of a horse of the last breeding text.
    char sexLetter(std::uint32_t horse) const { return sexes_.at(horse); }

    // The pedigree table of a horse of the last breeding text: its own three lines, then
    // those of its sire, its dam-sire and its sire's sire.
    PedigreeTable table(std::uint32_t horse) const {
        const Lines& own = lines_.at(horse);
        return {row(own), row(linesOf(own[0])), row(linesOf(own[1])), row(linesOf(linesOf(own[0])[0]))};
    }

private:
    // Colts and fillies up to 4, then horses (some gelded) and mares.
    char sexOf(const Foal& foal, int age) {
        if (foal.female) return age <= 4 ? 'F' : 'M';
        if (age <= 4) return 'C';
        return random_.perMille(600) ? 'G' : 'H';
    }

    using Lines = std::array<std::size_t, 3>;  // sire, dam-sire, dam's dam-sire in the pool

    std::size_t stallion() {
        auto draw = static_cast<int>(random_.below(1000));
        for (std::size_t i = 0; i < std::size(shares_); ++i) {
            if (draw < shares_[i]) return i;
            draw -= shares_[i];
        }
        const std::size_t first = std::size(shares_);
        return first + random_.below(stallions_.size() - first);
    }

    // A stallion's own ancestors are others of the pool, fixed by its place in it (no
    // random draw, so the breeding file stays as it was without pages).
    Lines linesOf(std::size_t stallion) const {
        const std::size_t pool = stallions_.size();
        Lines lines{};
        for (std::size_t line = 0; line < 3; ++line)
            lines[line] = (stallion + 1 + page_detail::mix(static_cast<std::uint32_t>(stallion),
                                                           static_cast<std::uint32_t>(line + 3)) %
                                              (pool - 1)) %
                          pool;
        return lines;
    }

    PedigreeRow row(const Lines& lines) const {
        PedigreeRow row;
        for (std::size_t line = 0; line < 3; ++line)
            row[line] = {stallions_[lines[line]], static_cast<std::uint32_t>(100'000 + lines[line])};
        return row;
    }

    Random& random_;
    std::array<int, std::size(kFamilyShares)> shares_{};
    std::vector<std::string> stallions_;
    std::unordered_map<std::uint32_t, Lines> lines_;
    std::unordered_map<std::uint32_t, char> sexes_;
    int largestFamilySize_ = 0;
};

}  // namespace generator
