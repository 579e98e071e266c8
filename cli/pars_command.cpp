// SPDX-License-Identifier: MIT
#include "pars_command.h"

#include "base/csv_text.h"
#include "cli_options.h"
#include "default_store.h"
#include "json_output.h"
#include "search/class_pars.h"
#include "store/database.h"
#include "store/search_indexes.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

namespace cli {

namespace {

struct ParsOptions {
    std::string db;
    search::ParOptions pars;
    std::string surface;
    std::optional<std::int64_t> id;
    std::string format = "csv";
};

nlohmann::ordered_json optionalNumber(std::optional<double> value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json parsJson(const std::vector<search::ParRow>& table, const search::Placement* horse) {
    nlohmann::ordered_json pars = nlohmann::ordered_json::array();
    for (const auto& row : table)
        pars.push_back({{"class", row.key.restr},
                        {"claim", row.key.claim},
                        {"surface", row.key.surface},
                        {"races", row.races},
                        {"par", row.par},
                        {"board", optionalNumber(row.board)}});
    nlohmann::ordered_json json{{"pars", pars}};
    if (!horse) return json;
    json["horse"] = {
        {"id", horse->id}, {"name", horse->name}, {"form", optionalNumber(horse->form)}, {"runs", horse->runs}};
    nlohmann::ordered_json fits = nlohmann::ordered_json::array();
    for (const auto& row : table)
        if (search::fits(*horse, row))
            fits.push_back({{"class", row.key.restr},
                            {"claim", row.key.claim},
                            {"surface", row.key.surface},
                            {"par", row.par},
                            {"margin", *search::margin(*horse, row)}});
    json["fits"] = fits;
    return json;
}

void runPars(ParsOptions o) {
    if (!o.surface.empty()) o.pars.surface = o.surface == "dirt" ? "D" : "T";
    requireRaceStore(o.db);
    auto db = store::Database::open(o.db, store::Access::ReadOnly);
    store::restoreSearchIndexes(db);  // a store of an earlier build, as a search would
    const auto table = search::classPars(db, o.pars);
    std::optional<search::Placement> horse;
    if (o.id) horse = search::placeHorse(db, *o.id, o.pars);
    if (o.format == "json") printJson(parsJson(table, horse ? &*horse : nullptr));
    else std::cout << base::csvText(search::parTableText(table, horse ? &*horse : nullptr));
}

}  // namespace

void addParsCommand(CLI::App& app) {
    auto* command = app.add_subcommand("pars", "The class pars: the speed that usually wins each class.");
    auto o = std::make_shared<ParsOptions>();
    addDbOption(*command, o->db);
    addNumberOption(*command, "--first-week", o->pars.firstWeek, "Count the races from week N on.");
    addNumberOption(*command, "--last-week", o->pars.lastWeek, "Count the races up to week N.");
    command->add_option("--surface", o->surface, "Keep the classes of one surface.")
        ->check(CLI::IsMember({"dirt", "turf"}));
    addNumberOption(*command, "--min-races", o->pars.minRaces, "Keep classes of at least N counted races (3).")
        ->check(atLeast(0));
    addNumberOption(*command, "--id", o->id, "Place horse number N against the table.");
    addFormatOption(*command, o->format, "csv (the window's table) or json.");
    command->callback([o] { runPars(*o); });
}

}  // namespace cli
