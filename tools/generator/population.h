// SPDX-License-Identifier: MIT
// The horses in training and their owners, renewed week by week, with every foal kept for the breeding file.
#pragma once

#include "horse_page.h"
#include "options.h"
#include "pedigree.h"
#include "random.h"
#include "vocabulary.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace generator {

inline constexpr int kWeeksPerYear = 52;
inline constexpr int kOldestAge = 10;
inline constexpr std::uint32_t kNumberSpace = 10'000'000;  // horse numbers 1 to 9,999,999

struct Horse {
    std::uint32_t number = 0;
    std::string name;
    int owner = 0, foaledWeek = 0, wins = 0;
    std::size_t foal = 0;  // its entry among every horse there has been
    int ability = 0;       // hundredths of a speed figure
    bool female = false;

    int age(int week) const { return (week - foaledWeek) / kWeeksPerYear; }
};

class Population {
public:
    Population(Random& random, const Options& options) : random_(random), taken_(kNumberSpace) {
        while (owners_.size() < static_cast<std::size_t>(options.owners))
            if (std::string name = newOwnerName(); ownerNames_.insert(name).second) owners_.push_back(std::move(name));
        horses_.reserve(static_cast<std::size_t>(options.horses));
        for (int i = 0; i < options.horses; ++i)
            horses_.push_back(newHorse(options.firstWeek, random_.between(2, kOldestAge - 1)));
    }

    // Between weeks the oldest and a few others retire, young horses take their places,
    // and some horses change hands.
    void startWeek(int week) {
        for (auto& horse : horses_)
            if (horse.age(week) > kOldestAge) horse = newHorse(week, 2);
        for (std::size_t i = 0; i < horses_.size() / 300; ++i)
            horses_[random_.below(horses_.size())] = newHorse(week, 2);
        for (std::size_t i = 0; i < horses_.size() / 400; ++i) {
            Horse& horse = horses_[random_.below(horses_.size())];
            horse.owner = ownerIndex();
        }
    }

    std::size_t size() const { return horses_.size(); }
    // Every horse there has been, for the breeding file.
    const std::vector<Foal>& foals() const { return foals_; }
    // What each of them did, by the same index.
    Career& career(std::size_t foal) { return careers_[foal]; }
    Horse& operator[](std::size_t index) { return horses_[index]; }
    const std::string& ownerName(int owner) const { return owners_[static_cast<std::size_t>(owner)]; }

private:
    // Skewed towards the first owners, so that a few stables hold many horses; the first
    // two are the giants whose listings reach the 15,000-row cap (some 3% and 1.5% of
    // all runs).
    int ownerIndex() {
        if (owners_.size() > 2 && random_.perMille(33)) return 0;
        if (owners_.size() > 2 && random_.perMille(16)) return 1;
        const auto first = random_.below(owners_.size());
        return static_cast<int>(first * random_.below(owners_.size()) / owners_.size());
    }

    std::string newOwnerName() {
        std::string name(random_.pick(kSurnames));
        switch (random_.between(0, 5)) {
        case 0:
            return name + ", " + static_cast<char>('A' + random_.below(26)) + ".";  // Webb, A.
        case 1:
            return name + " & " + std::string(random_.pick(kSurnames));
        case 2:
            return name + " " + std::string(random_.pick(kStableKinds));
        case 3:
            return "Team " + name;
        case 4:
            return name + " Bloodstock, Ltd.";
        }
        name = random_.pick(kFirstWords);
        name += " " + std::string(random_.pick(kNouns));
        return name + " " + std::string(random_.pick(kStableKinds));
    }

    Horse newHorse(int week, int age) {
        Horse horse;
        horse.number = newNumber();
        horse.name = newName();
        horse.owner = ownerIndex();
        horse.foaledWeek = week - age * kWeeksPerYear - random_.between(0, kWeeksPerYear - 1);
        horse.ability = random_.between(6500, 10500);
        horse.ability = (horse.ability + random_.between(6500, 10500)) / 2;
        horse.wins = age > 2 && random_.perMille(650) ? random_.between(1, 3 * (age - 1)) : 0;
        horse.female = random_.perMille(450);
        horse.foal = foals_.size();
        foals_.push_back({horse.number, horse.name, horse.foaledWeek, horse.female});
        Career& career = careers_.emplace_back();
        career.ability = horse.ability;
        career.priorWins = horse.wins;
        return horse;
    }

    // Unique numbers of mixed lengths, most of six or seven digits.
    std::uint32_t newNumber() {
        static constexpr int kLengthWeights[] = {1, 4, 20, 75, 150, 350, 400};
        for (;;) {
            std::uint32_t low = 1;
            for (auto length = random_.weighted(kLengthWeights); length > 0; --length) low *= 10;
            const auto number = low + static_cast<std::uint32_t>(random_.below(low * 9));
            if (!taken_[number]) return taken_[number] = true, number;
        }
    }

    // Unique but for the rare namesake of a living horse; about one in a hundred in capitals.
    std::string newName() {
        if (!horses_.empty() && random_.perMille(1)) return horses_[random_.below(horses_.size())].name;
        for (;;) {
            std::string name = composeName();
            if (name.size() > 30 || !names_.insert(name).second) continue;
            if (random_.perMille(10))
                for (char& c : name) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            return name;
        }
    }

    std::string composeName() {
        static constexpr int kPatternWeights[] = {400, 250, 150, 60, 140};
        std::string name;
        const auto add = [&](Words words, std::string_view after) { name.append(random_.pick(words)).append(after); };
        switch (random_.weighted(kPatternWeights)) {
        case 0:
            add(kFirstWords, " ");
            break;  // Maple Fox
        case 1:
            add(kFirstWords, " ");
            add(kFirstWords, " ");
            break;  // Secret Rusty Fox
        case 2:
            add(kNouns, "'s ");
            break;  // Sailor's Fox
        case 3:
            add(kNouns, " Of ");
            add(kPlaces, "");
            return name;  // Queen Of Whitby
        default:
            add(kFirstWords, " ");
            add(kNouns, " Of ");
            add(kPlaces, " ");  // Proud Queen Of Whitby Fox
        }
        add(kNouns, "");
        const auto space = name.find(' ');
        return name.compare(space + 1, space + 1, name, 0, space + 1) == 0 ? composeName() : name;  // no Rusty Rusty
    }

    Random& random_;
    std::vector<Horse> horses_;
    std::vector<Foal> foals_;
    std::vector<Career> careers_;
    std::vector<std::string> owners_;
    std::unordered_set<std::string> ownerNames_, names_;
    std::vector<bool> taken_;
};

}  // namespace generator
