// SPDX-License-Identifier: MIT
// harrowdex-generate-results: made-up weekly results files in the simulation's layout, with
// their breeding file and horse pages if asked, for benchmarks, scale tests and the demo
// season. A seed gives the same bytes on every machine: the engine's
// output sequence is fixed by the C++ standard, the distributions are made here, and all
// arithmetic after the engine is on whole numbers (speeds in hundredths, odds bases in
// units of 1e-8), so no library distribution and no floating-point rounding takes part.
// Two random draws never stand in one expression, whose evaluation order is unspecified.
#include "generator/horse_page.h"
#include "generator/pedigree.h"
#include "generator/results_text.h"
#include "generator/vocabulary.h"
#include "base/atomic_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numeric>
#include <optional>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

using namespace generator;

constexpr int kWeeksPerYear = 52;
constexpr int kOldestAge = 10;
constexpr std::uint32_t kNumberSpace = 10'000'000;  // horse numbers 1 to 9,999,999

struct Options {
    std::filesystem::path out;
    std::filesystem::path breeding;  // empty: no breeding file
    std::filesystem::path pages;     // empty: no horse pages
    std::filesystem::path tracks;    // empty: no track list
    int stallions = static_cast<int>(kStallions);
    int firstWeek = 0, weeks = 0, racesPerWeek = 400, minRunners = 6, maxRunners = 12;
    int horses = 60000, owners = 3000;
    std::uint64_t seed = 1;
    bool legacyNumbers = false;
};

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // 0 to n - 1 without modulo bias: draws in the engine's incomplete last cycle are redrawn.
    std::uint64_t below(std::uint64_t n) {
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
        std::uint64_t value = engine_();
        while (value >= limit)
            value = engine_();
        return value % n;
    }
    int between(int low, int high) { return low + static_cast<int>(below(std::uint64_t(high - low) + 1)); }
    bool perMille(int chance) { return below(1000) < static_cast<std::uint64_t>(chance); }
    std::string_view pick(Words words) { return words[below(words.size())]; }
    std::size_t weighted(std::span<const int> weights) {
        int draw = between(1, std::accumulate(weights.begin(), weights.end(), 0));
        std::size_t index = 0;
        while (draw > weights[index])
            draw -= weights[index++];
        return index;
    }

private:
    std::mt19937_64 engine_;
};

// ---- The horses and their owners ----

struct Horse {
    std::uint32_t number = 0;
    std::string name;
    int owner = 0, foaledWeek = 0, wins = 0;
    std::size_t foal = 0;  // its entry among every horse there has been
    int ability = 0;  // hundredths of a speed figure
    bool female = false;

    int age(int week) const { return (week - foaledWeek) / kWeeksPerYear; }
};

class Population {
public:
    Population(Random& random, const Options& options) : random_(random), taken_(kNumberSpace) {
        while (owners_.size() < static_cast<std::size_t>(options.owners))
            if (std::string name = newOwnerName(); ownerNames_.insert(name).second)
                owners_.push_back(std::move(name));
        horses_.reserve(static_cast<std::size_t>(options.horses));
        for (int i = 0; i < options.horses; ++i)
            horses_.push_back(newHorse(options.firstWeek, random_.between(2, kOldestAge - 1)));
    }

    // Between weeks the oldest and a few others retire, young horses take their places,
    // and some horses change hands.
    void startWeek(int week) {
        for (auto& horse : horses_)
            if (horse.age(week) > kOldestAge)
                horse = newHorse(week, 2);
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
        case 0: return name + ", " + static_cast<char>('A' + random_.below(26)) + ".";  // Webb, A.
        case 1: return name + " & " + std::string(random_.pick(kSurnames));
        case 2: return name + " " + std::string(random_.pick(kStableKinds));
        case 3: return "Team " + name;
        case 4: return name + " Bloodstock, Ltd.";
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
            for (auto length = random_.weighted(kLengthWeights); length > 0; --length)
                low *= 10;
            const auto number = low + static_cast<std::uint32_t>(random_.below(low * 9));
            if (!taken_[number])
                return taken_[number] = true, number;
        }
    }

    // Unique but for the rare namesake of a living horse; about one in a hundred in capitals.
    std::string newName() {
        if (!horses_.empty() && random_.perMille(1))
            return horses_[random_.below(horses_.size())].name;
        for (;;) {
            std::string name = composeName();
            if (name.size() > 30 || !names_.insert(name).second)
                continue;
            if (random_.perMille(10))
                for (char& c : name)
                    c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            return name;
        }
    }

    std::string composeName() {
        static constexpr int kPatternWeights[] = {400, 250, 150, 60, 140};
        std::string name;
        const auto add = [&](Words words, std::string_view after) { name.append(random_.pick(words)).append(after); };
        switch (random_.weighted(kPatternWeights)) {
        case 0: add(kFirstWords, " "); break;                                  // Maple Fox
        case 1: add(kFirstWords, " "); add(kFirstWords, " "); break;           // Secret Rusty Fox
        case 2: add(kNouns, "'s "); break;                                     // Sailor's Fox
        case 3: add(kNouns, " Of "); add(kPlaces, ""); return name;            // Queen Of Whitby
        default: add(kFirstWords, " "); add(kNouns, " Of "); add(kPlaces, " "); // Proud Queen Of Whitby Fox
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

// ---- Races ----

struct RaceCard {
    const RaceType* type = nullptr;
    std::string conditions, claimPrice, title;
    int purse = 0, halfFurlongs = 0, claimAmount = 0;
    bool turf = false;
    std::string_view going;
    int age = 3;  // who may run: this age, or this age and older when andUp
    bool andUp = false, fillies = false;
};

struct Run {
    std::size_t horse = 0;
    int speed = 0;  // the true speed figure, in hundredths
    int form = 0;   // what the betting sees, in hundredths
};

class WeekWriter {
public:
    WeekWriter(Random& random, Population& horses, const Options& options)
        : random_(random), horses_(horses), options_(options), trackNames_(100) {
        for (auto& name : trackNames_) {
            name = random_.pick(kPlaces);
            name += " " + std::string(random_.pick(kTrackKinds));
        }
        for (const auto& type : kRaceTypes)
            typeWeights_.push_back(type.weight);
    }

    // The track list: one line a track, its number and a code of the initials of its name
    // ("07 AD" for Ashford Downs).
    std::string trackList() const {
        std::string out;
        for (std::size_t track = 1; track < trackNames_.size(); ++track) {
            const std::string& name = trackNames_[track];
            const std::string code{name.front(), name.at(name.find(' ') + 1)};
            out += (track < 10 ? "0" : "") + std::to_string(track) + " " + code + "\n";
        }
        return out;
    }

    // The whole results file of one week.
    std::string write(int week) {
        horses_.startWeek(week);
        std::string out;
        out.reserve(static_cast<std::size_t>(options_.racesPerWeek * (options_.maxRunners * 130 + 300)));
        Record(out).text("Simulated racing results, week " + std::to_string(week)).end();
        const std::vector<int> counts = racesPerTrack();
        int index = 0;
        for (int track = 1; track <= 99; ++track)
            for (int race = 1; race <= counts[static_cast<std::size_t>(track)]; ++race) {
                Record(out).raw("*" + std::to_string(100'000 + ++index).substr(1)).end();
                const bool legacy = options_.legacyNumbers && oldFormKeepsNumber(index, track, race) &&
                                     random_.perMille(200);
                appendRace(out, raceNumberText(week, track, race, legacy), track, week);
            }
        Record(out).raw("*99999").end();
        return out;
    }

    std::uint64_t runs() const { return runs_; }

private:
    // The old form RR.TT only where the importer reads it back as this race: never the
    // first race, whose number gives the week, and neither a one-digit race (5.12 reads as
    // race 50) nor a track ending in 0 (12.1 reads as track 11), which could clash.
    static bool oldFormKeepsNumber(int index, int track, int race) {
        return index > 1 && race >= 10 && race < 26 && track % 10 != 0;
    }

    // About ten races a track, spread at random over randomly chosen tracks.
    std::vector<int> racesPerTrack() {
        const int races = options_.racesPerWeek;
        const auto tracks = static_cast<std::size_t>(std::clamp((races + 9) / 10, (races + 98) / 99, 99));
        std::vector<std::size_t> order(99);
        std::iota(order.begin(), order.end(), 1);
        for (std::size_t i = 0; i < tracks; ++i)
            std::swap(order[i], order[i + random_.below(99 - i)]);
        std::vector<int> counts(100, 0);
        for (int i = 0; i < races; ++i) {
            std::size_t track = order[random_.below(tracks)];
            while (counts[track] == 99)
                track = order[random_.below(tracks)];
            ++counts[track];
        }
        return counts;
    }

    void appendRace(std::string& out, const std::string& number, int track, int week) {
        const RaceCard card = makeCard();
        const std::vector<Run> runs = run(card, week);
        const int speed = runs.empty() ? 8500 : runs.front().speed;
        const int time = card.halfFurlongs * (1250 - (speed - 8500) / 25) / 2;  // hundredths of a second
        const std::string seconds = std::to_string(10'000 + time % 6000);
        Record(out)
            .raw(number)
            .text(trackNames_[static_cast<std::size_t>(track)])
            .text(card.turf ? "Turf" : "Dirt")
            .text(card.going)
            .raw(hundredths(card.halfFurlongs * 50))
            .number(static_cast<long long>(runs.size()))
            .text(std::to_string(time / 6000) + ":" + seconds.substr(1, 2) + "." + seconds.substr(3))
            .end();
        Record(out).text(card.type->name).text(card.claimPrice).text(card.title).text(dollars(card.purse))
            .text(card.conditions).end();
        appendRunners(out, runs);
        runs_ += runs.size();
    }

    RaceCard makeCard() {
        RaceCard card;
        card.type = &kRaceTypes[random_.weighted(typeWeights_)];
        card.halfFurlongs = random_.between(10, 24);
        card.turf = random_.perMille(300);
        const auto going = random_.weighted(kGoingWeights);
        card.going = card.turf ? kTurfGoings[going] : kDirtGoings[going];
        card.purse = random_.between(card.type->minPurse / 100, card.type->maxPurse / 100) * 100;
        if (random_.perMille(100))
            card.purse += random_.between(1, 99);
        card.claimPrice = claimPrice(card);
        if (card.type->titled) {
            card.title = "The " + std::string(random_.pick(kPlaces));
            card.title += " " + std::string(random_.pick(kRaceTitles));
        }
        card.conditions = whoMayRun(card);
        card.conditions += card.type->terms.empty() ? clause() : std::string(card.type->terms);
        return card;
    }

    // Claiming races carry a price, sometimes in brackets; a few allowance races a bracketed one.
    std::string claimPrice(RaceCard& card) {
        const RaceType& type = *card.type;
        if (!type.claiming && (type.name != "Allowance" || !random_.perMille(100)))
            return std::string(random_.pick(kNoClaimPrice));
        card.claimAmount = kClaimPrices[random_.below(std::size(kClaimPrices))];
        const std::string price = dollars(card.claimAmount);
        return type.claiming && !random_.perMille(300) ? price : "(" + price + ")";
    }

    std::string whoMayRun(RaceCard& card) {
        const auto group = static_cast<int>(random_.weighted(kAgeWeights));
        card.age = group < 2 ? group + 2 : group + 1;
        card.andUp = group >= 2;
        card.fillies = random_.perMille(250);
        std::string who = !card.fillies ? "All " : card.andUp ? "Fillies and Mares " : "Fillies ";
        return who + std::to_string(card.age) + (card.andUp ? " year olds and up" : " year olds");
    }

    // The clause of allowance and claiming races, covering every keyword that classes them.
    std::string clause() {
        const int kind = random_.between(0, 99);
        if (kind < 6)  // no count word: the importer keeps the count of an earlier race
            return ". Non-Winners of a race except maiden.";
        if (kind < 70) {
            const std::string_view count = random_.pick(kCountWords);
            std::string text = ". Non-Winners of " + std::string(count) + (count == "ONE" ? " race" : " races");
            return text + std::string(random_.pick(kNonWinnerTails));
        }
        if (kind < 82)  // values below 10 too, which the importer marks with an M
            return ". CPU value max " + std::to_string(random_.between(3, 90)) + ", weight 122 lbs.";
        return std::string(random_.pick(kOpenClauses));
    }

    bool fits(std::size_t index, const RaceCard& card, int week, const std::vector<Run>& runs) {
        const Horse& horse = horses_[index];
        const int age = horse.age(week);
        return (card.andUp ? age >= card.age : age == card.age) && (horse.female || !card.fillies) &&
               (horse.wins == 0 || !card.type->maidens) &&
               std::ranges::none_of(runs, [index](const Run& run) { return run.horse == index; });
    }

    // A horse that may run and is not in the field yet; better races take the better of two
    // such candidates, claiming races the worse.
    std::optional<std::size_t> entrant(const RaceCard& card, int week, const std::vector<Run>& runs) {
        std::optional<std::size_t> chosen;
        for (int attempt = 0, found = 0; attempt < 400 && found < (card.type->classBias == 0 ? 1 : 2); ++attempt) {
            const auto index = static_cast<std::size_t>(random_.below(horses_.size()));
            if (!fits(index, card, week, runs))
                continue;
            ++found;
            if (!chosen || (horses_[index].ability > horses_[*chosen].ability) == (card.type->classBias > 0))
                chosen = index;
        }
        return chosen;
    }

    // The field in finishing order; fewer runners than drawn when too few horses fit.
    std::vector<Run> run(const RaceCard& card, int week) {
        std::vector<Run> runs;
        const int size = random_.between(options_.minRunners, options_.maxRunners);
        for (int i = 0; i < size; ++i) {
            const auto horse = entrant(card, week, runs);
            if (!horse)
                break;
            Run run{*horse, horses_[*horse].ability, horses_[*horse].ability};
            run.speed = std::clamp(run.speed + random_.between(-1200, 1200), 4000, 12500);
            run.form += random_.between(-500, 500);
            runs.push_back(run);
        }
        std::ranges::sort(runs, [this](const Run& a, const Run& b) {
            return a.speed != b.speed ? a.speed > b.speed : horses_[a.horse].number < horses_[b.horse].number;
        });
        if (!runs.empty())
            ++horses_[runs.front().horse].wins;
        recordCareers(card, week, runs);
        return runs;
    }

    // What the horses' pages tell: purses shared 60, 20, 10 and 5 per cent among the first four.
    void recordCareers(const RaceCard& card, int week, const std::vector<Run>& runs) {
        static constexpr int kPurseShares[] = {60, 20, 10, 5};
        const bool open = !card.type->claiming && !card.type->maidens && card.claimAmount == 0 &&
                          card.type->name != "Starter Allowance";
        for (std::size_t place = 0; place < runs.size(); ++place) {
            const Horse& horse = horses_[runs[place].horse];
            Career& career = horses_.career(horse.foal);
            career.owner = horse.owner;
            ++career.starts;
            if (place < std::size(kPurseShares)) career.earnings += card.purse / 100 * kPurseShares[place];
            if (card.claimAmount > 0 && (career.lowestClaim == 0 || card.claimAmount < career.lowestClaim))
                career.lowestClaim = card.claimAmount;
            if (place == 0) {
                career.winWeeks.push_back(week);
                career.openWins += open ? 1 : 0;
            }
        }
    }

    // Odds bases from the form, sharper for the favourites, summing to about 0.82 to 1.
    std::vector<std::uint64_t> oddsBases(const std::vector<Run>& runs) {
        const auto total = static_cast<std::uint64_t>(random_.between(82'000'000, 100'000'000));
        std::vector<std::uint64_t> weights;
        for (const Run& run : runs) {
            const auto x = static_cast<std::uint64_t>(std::clamp((run.form - 5000) / 25, 1, 300));
            weights.push_back(x * x * x * x);
        }
        const auto sum = std::accumulate(weights.begin(), weights.end(), std::uint64_t{0});
        for (auto& weight : weights)
            weight = std::max<std::uint64_t>(weight * total / sum, 200'000);
        return weights;
    }

    void appendRunners(std::string& out, const std::vector<Run>& runs) {
        const int size = static_cast<int>(runs.size());
        std::vector<int> posts(runs.size());
        for (std::size_t i = 0; i < runs.size(); ++i) {  // a random order of 1 to size
            const auto other = static_cast<std::size_t>(random_.below(i + 1));
            posts[i] = posts[other];
            posts[other] = static_cast<int>(i) + 1;
        }
        const auto bases = oddsBases(runs);
        int behind = 0;
        for (std::size_t place = 0; place < runs.size(); ++place) {
            const Horse& horse = horses_[runs[place].horse];
            const std::string digits = std::to_string(horse.number);
            const int first = digits.front() - '0', last = digits.back() - '0';
            Record(out).text(horse.name).number(horse.number).end();
            Record record(out);
            record.raw(hundredths(runs[place].speed - 100 * first + 100 * last));  // read as field + first - last
            record.raw(hundredths(random_.between(25, 95)));  // start value
            record.number(random_.between(113, 126));         // weight
            for (int call = 0; call < 3; ++call)
                record.number(random_.between(1, size));
            record.raw(hundredths(behind)).number(random_.perMille(150) ? 1 : 0).raw(oddsBase(bases[place]));
            record.number(posts[place] - 49 - (first == 9 ? 0 : first));  // read as field + 49 + first
            record.text(comment()).text(horses_.ownerName(horse.owner)).end();
            behind += random_.between(5, 600);
        }
    }

    std::string comment() {
        if (!random_.perMille(400))
            return std::string(random_.pick(kComments));
        const char initial = static_cast<char>('A' + random_.below(26));
        return initial + (". " + std::string(random_.pick(kSurnames)));
    }

    Random& random_;
    Population& horses_;
    const Options& options_;
    std::vector<std::string> trackNames_;  // by track number; 0 unused
    std::vector<int> typeWeights_;
    std::uint64_t runs_ = 0;
};

// ---- Command line ----

void addOptions(CLI::App& app, Options& options) {
    app.add_option("--out", options.out, "Folder for the raceoutNNN.txt files (made when missing)")->required();
    app.add_option("--first-week", options.firstWeek,
                   "Week of the first file; from 26, as the importer reads a lower race number as the old form")
        ->required()
        ->check(CLI::Range(26, 32767));
    app.add_option("--weeks", options.weeks, "Number of weekly files")->required()->check(CLI::Range(1, 32767));
    const auto optional = [&app](const char* name, auto& value, const char* about, auto low, auto high) {
        app.add_option(name, value, about)->capture_default_str()->check(CLI::Range(low, high));
    };
    optional("--races-per-week", options.racesPerWeek, "Races in each file", 1, 99 * 99);
    optional("--min-runners", options.minRunners, "Fewest runners drawn for a race", 1, 12);
    optional("--max-runners", options.maxRunners, "Most runners drawn for a race", 1, 12);
    optional("--horses", options.horses, "Horses in training at any time", 200, 500'000);
    optional("--owners", options.owners, "Owners (stables)", 1, 20'000);
    optional("--seed", options.seed, "Seed; the same seed and options give the same files", std::uint64_t{0},
             UINT64_MAX);
    app.add_option("--breeding", options.breeding,
                   "Also write a breeding file of every horse, with a few large sire families");
    optional("--stallions", options.stallions, "Stallions of the breeding file's ancestor lines", 20, 5000);
    app.add_option("--pages", options.pages,
                   "Also write the page of every horse that ran, as NUMBER.html, into this folder (needs --breeding)");
    app.add_option("--tracks", options.tracks, "Also write the track list, one line a track: its number and code");
    app.add_flag("--legacy-numbers", options.legacyNumbers,
                 "Write a few race numbers in the old form RR.TT (race, then track)");
}

std::string sexOnPage(const Foal& foal, int age, char breedingSex) {
    if (foal.female) return age <= 4 ? "filly" : "mare";
    if (age <= 4) return "colt";
    return breedingSex == 'G' ? "gelding" : "horse";
}

// The page of every horse that ran, with the pedigree of the breeding file.
void writePages(const Options& options, Population& horses, const Pedigree<Random>& pedigree) {
    std::filesystem::create_directories(options.pages);
    const int lastWeek = options.firstWeek + options.weeks - 1;
    int written = 0;
    for (std::size_t i = 0; i < horses.foals().size(); ++i) {
        const Foal& foal = horses.foals()[i];
        const Career& career = horses.career(i);
        if (career.starts == 0) continue;
        const int age = (lastWeek - foal.foaledWeek) / 52;
        PageHorse page{foal.number, foal.name, horses.ownerName(career.owner),
                       sexOnPage(foal, age, pedigree.sexLetter(foal.number)), age, &career, pedigree.table(foal.number)};
        const auto path = options.pages / (std::to_string(foal.number) + ".html");
        // Thousands of small files: written plainly, without a flush to the disk each.
        std::ofstream file(path, std::ios::binary);
        file << horsePageText(page, std::to_string(career.owner + 1), lastWeek);
        if (!file.flush()) throw std::runtime_error("The horse page " + path.string() + " could not be written");
        ++written;
    }
    std::cout << "Wrote " << written << " horse pages into " << options.pages.string() << '\n';
}

// Drawn from an engine of its own, so the results files stay the same with or without it.
void writeBreedingFile(const Options& options, Population& horses) {
    Random random(options.seed ^ 0x9E3779B97F4A7C15u);
    Pedigree pedigree(random, static_cast<std::size_t>(options.stallions));
    const std::string text = pedigree.breedingText(horses.foals(), options.firstWeek + options.weeks - 1);
    if (const auto failure = base::writeFileAtomically(options.breeding, text)) throw std::runtime_error(*failure);
    std::cout << "Wrote the breeding file " << options.breeding.string() << " (" << horses.foals().size()
              << " horses; the largest family: " << pedigree.largestFamily() << ", "
              << pedigree.largestFamilySize() << " offspring)\n";
    if (!options.pages.empty()) writePages(options, horses, pedigree);
}

void generate(const Options& options) {
    std::filesystem::create_directories(options.out);
    Random random(options.seed);
    Population horses(random, options);
    WeekWriter writer(random, horses, options);
    std::uint64_t bytes = 0;
    for (int week = options.firstWeek; week < options.firstWeek + options.weeks; ++week) {
        const std::string text = writer.write(week);
        const auto path = options.out / ("raceout" + std::to_string(week) + ".txt");
        if (const auto failure = base::writeFileAtomically(path, text)) throw std::runtime_error(*failure);
        bytes += text.size();
    }
    std::cout << "Wrote " << options.weeks << " results files (" << options.weeks * options.racesPerWeek << " races, "
              << writer.runs() << " runs, " << bytes
              << " bytes) into " << options.out.string() << '\n';
    if (!options.tracks.empty()) {
        if (const auto failure = base::writeFileAtomically(options.tracks, writer.trackList()))
            throw std::runtime_error(*failure);
        std::cout << "Wrote the track list " << options.tracks.string() << '\n';
    }
    if (!options.breeding.empty()) writeBreedingFile(options, horses);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Writes made-up weekly results files, breeding file and horse pages for benchmarks, tests and the demo.",
                 "harrowdex-generate-results");
    Options options;
    addOptions(app, options);
    try {
        app.parse(argc, argv);
        if (options.minRunners > options.maxRunners)
            throw CLI::ValidationError("--min-runners is above --max-runners");
        if (options.firstWeek + options.weeks - 1 > 32767)
            throw CLI::ValidationError("the last week would be above 32767");
        if (!options.pages.empty() && options.breeding.empty())
            throw CLI::ValidationError("--pages needs --breeding, whose pedigrees the pages show");
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e);  // --help
        std::cerr << app.get_name() << ": " << e.what() << '\n'
                  << CLI::Formatter().make_usage(&app, app.get_name());
        return 2;
    }
    try {
        generate(options);
        return 0;
    } catch (const std::exception& e) {  // a folder or file that cannot be written
        std::cerr << e.what() << '\n';
        return 1;
    }
}
