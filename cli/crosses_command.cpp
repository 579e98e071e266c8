// SPDX-License-Identifier: MIT
#include "crosses_command.h"

#include "default_store.h"
#include "cli_dialogs.h"
#include "cli_options.h"
#include "json_output.h"
#include "progeny/breeding_file.h"
#include "progeny/breeding_file_path.h"
#include "progeny/cross_table.h"
#include "base/csv_text.h"
#include "store/database.h"
#include "store/search_indexes.h"
#include "store/second_connection.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>

namespace cli {

namespace {

struct CrossesOptions {
    std::string db;
    std::string breeding = progeny::breedingFilePath();
    progeny::CrossRequest request;
    std::string ages = "all";
    std::string format = "csv";
};

template <typename Value>
nlohmann::json optional(const std::optional<Value>& value, double (*shown)(double)) {
    return value ? nlohmann::json(shown(static_cast<double>(*value))) : nlohmann::json(nullptr);
}

nlohmann::json wholeAmount(const std::optional<double>& amount) {
    return amount ? nlohmann::json(std::llround(*amount)) : nlohmann::json(nullptr);
}

nlohmann::json crossesJson(const progeny::CrossTable& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& horse : table.horses)
        rows.push_back({{"name", horse.name},
                        {"id", horse.id},
                        {"starts", horse.starts},
                        {"wins", horse.wins},
                        {"bestDirt", optional(horse.bestDirt, progeny::shownSpeed)},
                        {"bestTurf", optional(horse.bestTurf, progeny::shownSpeed)}});
    for (const auto& g : table.groups)
        rows.push_back({{"name", g.name},
                        {"offspring", g.offspring},
                        {"starters", g.starters},
                        {"winners", g.winners},
                        {"wins", g.wins},
                        {"starts", g.starts},
                        {"winnersPct", optional(g.winnersPct, progeny::shownPercentage)},
                        {"winPct", optional(g.winPct, progeny::shownPercentage)},
                        {"bestDirt", optional(g.bestDirt, progeny::shownSpeed)},
                        {"bestTurf", optional(g.bestTurf, progeny::shownSpeed)},
                        {"avgBestDirt", optional(g.avgBestDirt, progeny::shownSpeed)},
                        {"avgBestTurf", optional(g.avgBestTurf, progeny::shownSpeed)},
                        {"earningsPerStarter", wholeAmount(g.earningsPerStarter)},
                        {"index", optional(g.index, progeny::shownIndex)}});
    return {{"rows", rows}};
}

void runCrosses(CrossesOptions options) {
    if (options.request.sire.empty() && options.request.damSire.empty())
        throw CLI::ValidationError("crosses", "name --sire, --dam-sire or both");
    options.request.ages = options.ages == "2yo"     ? progeny::CrossAges::TwoYearOlds
                           : options.ages == "older" ? progeny::CrossAges::Older
                                                     : progeny::CrossAges::All;
    std::string why;
    auto file = progeny::BreedingFile::open(options.breeding, why);
    if (!file) throw std::runtime_error(progeny::BreedingFile::unreadable(options.breeding, why));
    auto db = store::Database::open(options.db, store::Access::ReadOnly);
    store::restoreSearchIndexes(db);  // a store of an earlier build, as a search would
    store::SecondConnection beside(options.db);
    const auto table = progeny::crossTable(*file, db, options.request, &beside);
    if (options.format == "json") {
        printJson(crossesJson(table));
    } else {
        auto rows = progeny::crossCells(table);
        rows.insert(rows.begin(), progeny::crossColumns(table.mode));
        std::cout << base::csvText(rows);
    }
    if (table.problem) throw std::runtime_error(*table.problem);
}

}  // namespace

void addCrossesCommand(CLI::App& app) {
    auto* command = app.add_subcommand("crosses", "How a sire's offspring run by dam-sire, or a dam-sire's by sire.");
    auto o = std::make_shared<CrossesOptions>();
    addDbOption(*command, o->db);
    command->add_option("--breeding", o->breeding, "The breeding file.")->capture_default_str();
    command->add_option("--sire", o->request.sire, "The sire: its offspring by dam-sire.");
    // Spelled as progeny spells it; --damsire as earlier builds did.
    command->add_option("--dam-sire,--damsire", o->request.damSire, "The dam-sire: its offspring by sire.");
    command->add_option("--ages", o->ages, "all (the default), 2yo or older offspring.")
        ->check(CLI::IsMember({"all", "2yo", "older"}));
    addNumberOption(*command, "--min-starters", o->request.minStarters,
                    "Starters a row needs for its index (default 3).")
        ->check(atLeast(0));
    addFormatOption(*command, o->format, "csv (the window's table) or json.");
    command->callback([o] { runCrosses(*o); });
}

}  // namespace cli
