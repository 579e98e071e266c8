// SPDX-License-Identifier: MIT
// One week's results file: the races at each track, their fields run in order, and the track list.
#pragma once

#include "options.h"
#include "population.h"
#include "random.h"
#include "results_text.h"
#include "vocabulary.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace generator {

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
        for (const auto& type : kRaceTypes) typeWeights_.push_back(type.weight);
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
                const bool legacy =
                    options_.legacyNumbers && oldFormKeepsNumber(index, track, race) && random_.perMille(200);
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
        for (std::size_t i = 0; i < tracks; ++i) std::swap(order[i], order[i + random_.below(99 - i)]);
        std::vector<int> counts(100, 0);
        for (int i = 0; i < races; ++i) {
            std::size_t track = order[random_.below(tracks)];
            while (counts[track] == 99) track = order[random_.below(tracks)];
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
        Record(out)
            .text(card.type->name)
            .text(card.claimPrice)
            .text(card.title)
            .text(dollars(card.purse))
            .text(card.conditions)
            .end();
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
        if (random_.perMille(100)) card.purse += random_.between(1, 99);
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
            if (!fits(index, card, week, runs)) continue;
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
            if (!horse) break;
            Run run{*horse, horses_[*horse].ability, horses_[*horse].ability};
            run.speed = std::clamp(run.speed + random_.between(-1200, 1200), 4000, 12500);
            run.form += random_.between(-500, 500);
            runs.push_back(run);
        }
        std::ranges::sort(runs, [this](const Run& a, const Run& b) {
            return a.speed != b.speed ? a.speed > b.speed : horses_[a.horse].number < horses_[b.horse].number;
        });
        if (!runs.empty()) ++horses_[runs.front().horse].wins;
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
        for (auto& weight : weights) weight = std::max<std::uint64_t>(weight * total / sum, 200'000);
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
            record.raw(hundredths(random_.between(25, 95)));                       // start value
            record.number(random_.between(113, 126));                              // weight
            for (int call = 0; call < 3; ++call) record.number(random_.between(1, size));
            record.raw(hundredths(behind)).number(random_.perMille(150) ? 1 : 0).raw(oddsBase(bases[place]));
            record.number(posts[place] - 49 - (first == 9 ? 0 : first));  // read as field + 49 + first
            record.text(comment()).text(horses_.ownerName(horse.owner)).end();
            behind += random_.between(5, 600);
        }
    }

    std::string comment() {
        if (!random_.perMille(400)) return std::string(random_.pick(kComments));
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

}  // namespace generator
