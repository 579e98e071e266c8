// SPDX-License-Identifier: MIT
#include "names_command.h"

#include "base/csv_text.h"
#include "base/utf8_text.h"
#include "cli_options.h"
#include "default_store.h"
#include "json_output.h"
#include "progeny/breeding_file.h"
#include "progeny/breeding_file_path.h"
#include "search/name_offers.h"
#include "store/schema.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <utility>

namespace cli {

namespace {

struct NamesOptions {
    std::string db;
    std::string prefix;
    int limit = static_cast<int>(search::kOffersShown);
    std::string breeding = progeny::breedingFilePath();
    std::string format = "csv";
    std::array<bool, 5> kinds{};  // in the order of kKindFlags
};

struct KindFlag {
    const char* name;
    const char* description;
    search::OfferKind kind;
};

constexpr std::array kKindFlags{
    KindFlag{"--horse", "Offer horses, one per number, newest race first.", search::OfferKind::Horse},
    KindFlag{"--owner", "Offer stables, newest race first.", search::OfferKind::Owner},
    KindFlag{"--sire", "Offer the breeding file's sires.", search::OfferKind::Sire},
    KindFlag{"--dam-sire", "Offer the breeding file's dam-sires.", search::OfferKind::DamSire},
    KindFlag{"--dams-dam-sire", "Offer the breeding file's dam's dam-sires.", search::OfferKind::DamsDamSire},
};

search::OfferKind chosenKind(const NamesOptions& options) {
    if (std::ranges::count(options.kinds, true) != 1)
        throw CLI::ValidationError("names",
                                   "name exactly one of --horse, --owner, --sire, --dam-sire, --dams-dam-sire");
    return kKindFlags[static_cast<std::size_t>(std::ranges::find(options.kinds, true) - options.kinds.begin())].kind;
}

void printCsv(const std::vector<search::NameOffer>& offers, bool horses) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back(horses ? std::vector<std::string>{"name", "id", "lastWeek"} : std::vector<std::string>{"name"});
    for (const auto& offer : offers) {
        if (!horses) rows.push_back({offer.name});
        else rows.push_back({offer.name, std::to_string(*offer.id), std::to_string(*offer.lastWeek)});
    }
    std::cout << base::csvText(rows);
}

void printOffersJson(const std::vector<search::NameOffer>& offers) {
    auto names = nlohmann::json::array();
    for (const auto& offer : offers) {
        nlohmann::json entry{{"name", offer.name}};
        if (offer.id) entry["id"] = *offer.id;
        if (offer.lastWeek) entry["lastWeek"] = *offer.lastWeek;
        names.push_back(std::move(entry));
    }
    printJson(nlohmann::json{{"names", names}});
}

// The breeding file's kinds end with the progeny search's message when it cannot be read,
// rather than with a list that looks as if no name matched.
void requireBreedingFile(const std::string& path) {
    std::string why;
    if (!progeny::BreedingFile::open(path, why)) throw std::runtime_error(progeny::BreedingFile::unreadable(path, why));
}

void runNames(const NamesOptions& options) {
    const search::OfferKind kind = chosenKind(options);
    requireRaceStore(options.db);
    if (kind != search::OfferKind::Horse && kind != search::OfferKind::Owner) requireBreedingFile(options.breeding);
    auto db = store::openRaceStoreForReading(options.db);
    progeny::BreedingNamesOfFile breeding;
    search::OfferSources sources{&db, &breeding, options.breeding};
    const auto offers = search::nameOffers(sources, kind, options.prefix, static_cast<std::size_t>(options.limit));
    if (options.format == "json") printOffersJson(offers);
    else printCsv(offers, kind == search::OfferKind::Horse);
}

}  // namespace

void addNamesCommand(CLI::App& app) {
    auto* command =
        app.add_subcommand("names", "List the stored names that begin with PREFIX, as the name box offers them.");
    auto options = std::make_shared<NamesOptions>();
    addDbOption(*command, options->db);
    for (std::size_t i = 0; i < kKindFlags.size(); ++i)
        command->add_flag(kKindFlags[i].name, options->kinds[i], kKindFlags[i].description);
    command->add_option("PREFIX", options->prefix, "The beginning of the name (two characters or more).")
        ->required()
        ->check([](const std::string& text) {
            return base::characterCount(text) >= 2 ? "" : "needs two characters or more";
        });
    addNumberOption(*command, "--limit", options->limit, "The most names listed.")
        ->check(atLeast(1))
        ->capture_default_str();
    command->add_option("--breeding", options->breeding, "The breeding file.")->capture_default_str();
    addFormatOption(*command, options->format, "csv (a caption row, then one name a row) or json.");
    command->callback([options] { runNames(*options); });
}

}  // namespace cli
