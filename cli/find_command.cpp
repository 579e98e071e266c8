// SPDX-License-Identifier: MIT
#include "find_command.h"

#include "default_store.h"
#include "cli_options.h"
#include "json_output.h"
#include "base/csv_text.h"
#include "search/horse_comparison.h"
#include "search/horse_finder.h"
#include "store/kept_connections.h"
#include "store/search_indexes.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>

namespace cli {

namespace {

// The criteria as the options fill them; the surface is named.
struct FindOptions {
    std::string db;
    search::FindCriteria criteria;
    std::string surface;
    std::string today;
    std::string format = "csv";
};

search::FindCriteria criteriaOf(const FindOptions& options) {
    search::FindCriteria criteria = options.criteria;
    criteria.surface = options.surface == "dirt"   ? search::Surface::Dirt
                       : options.surface == "turf" ? search::Surface::Turf
                                                   : search::Surface::Any;
    const auto problems = search::criteriaProblems(criteria);
    if (!problems.empty()) throw CLI::ValidationError("find", problems.front().message);
    return criteria;
}

nlohmann::json optionalSpeed(std::optional<float> speed) {
    return speed ? nlohmann::json(speedValue(*speed)) : nlohmann::json(nullptr);
}

nlohmann::json foundJson(const search::FindResult& result) {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& horse : result.rows) {
        rows.push_back(
            {{"id", horse.id},
             {"name", horse.name},
             {"owner", horse.owner},
             {"lastWeek", horse.lastWeek},
             {"starts", horse.starts},
             {"wins", horse.wins},
             {"places", horse.places},
             {"shows", horse.shows},
             {"earnings", horse.earnings},
             {"bestDirt", optionalSpeed(horse.bestDirt)},
             {"bestTurf", optionalSpeed(horse.bestTurf)},
             {"speed", speedValue(horse.speed)},
             {"flatBetReturn", horse.flatBetReturn},
             {"claimingTag", horse.claimingTag ? nlohmann::json(*horse.claimingTag) : nlohmann::json(nullptr)}});
    }
    return {{"count", result.count}, {"rows", rows}};
}

void runFind(const FindOptions& options) {
    const auto criteria = criteriaOf(options);
    requireRaceStore(options.db);
    store::ReadingConnections store(options.db);
    store::restoreSearchIndexes(store.here);  // a store of an earlier build, as a search would
    const auto result = search::findHorses(store.here, store.beside, criteria, clockFor(options.today)->today());
    if (options.format == "json") {
        printJson(foundJson(result));
        return;
    }
    std::vector<std::vector<std::string>> table{search::foundColumns(criteria)};
    for (const auto& horse : result.rows) table.push_back(search::foundCells(horse));
    std::cout << base::csvText(table);
}

struct CompareOptions {
    std::string db;
    std::vector<std::int64_t> ids;
    std::string today;
    std::string format = "csv";
};

void runCompare(const CompareOptions& options) {
    requireRaceStore(options.db);
    auto db = store::Database::open(options.db, store::Access::ReadOnly);
    const auto comparison = search::compareHorses(db, options.ids, clockFor(options.today)->today());
    if (options.format == "json") {
        nlohmann::json horses = nlohmann::json::array();
        for (std::size_t h = 0; h < options.ids.size(); ++h) {
            nlohmann::json horse = nlohmann::json::object();
            for (const auto& row : comparison.rows) horse[row.caption] = row.cells[h];
            horses.push_back(horse);
        }
        nlohmann::json meetings = nlohmann::json::array();
        for (const auto& met : comparison.headToHead)
            meetings.push_back(
                {{"first", met.first}, {"second", met.second}, {"races", met.races}, {"firstAhead", met.firstAhead}});
        printJson(nlohmann::json{{"horses", horses}, {"headToHead", meetings}});
        return;
    }
    std::cout << base::csvText(search::comparisonTable(comparison));
}

}  // namespace

void addFindCommand(CLI::App& app) {
    auto* command = app.add_subcommand("find", "List the horses that fit the criteria.");
    auto o = std::make_shared<FindOptions>();
    search::FindCriteria& c = o->criteria;
    addDbOption(*command, o->db);
    addNumberOption(*command, "--active-weeks", c.activeWeeks, "Ran within the last N weeks of the store.");
    command->add_option("--surface", o->surface, "Count only runs on this surface.")
        ->check(CLI::IsMember({"dirt", "turf"}));
    addNumberOption(*command, "--min-dist", c.minDist, "Count only runs of at least this distance.");
    addNumberOption(*command, "--max-dist", c.maxDist, "Count only runs of at most this distance.");
    addNumberOption(*command, "--min-speed", c.minSpeed, "Speed measure at least X.");
    addNumberOption(*command, "--last", c.lastRuns, "Speed measure: average of the newest K counting runs.");
    addRepeatedOption(*command, "--class", c.classes, "Class code of the newest run (repeatable).");
    addNumberOption(*command, "--max-claim", c.maxClaim, "Claiming price of the newest run at most Y.");
    addNumberOption(*command, "--min-starts", c.minStarts, "At least S counting runs.");
    addNumberOption(*command, "--max-wins", c.maxWins, "At most W wins among the counting runs.");
    addRepeatedOption(*command, "--exclude-owner", c.excludedOwners, "Leave out this owner (repeatable).");
    addTodayOption(*command, o->today);
    addFormatOption(*command, o->format, "csv (the window's table) or json.");
    command->callback([o] { runFind(*o); });
}

void addCompareCommand(CLI::App& app) {
    auto* command = app.add_subcommand("compare", "Compare two to four horses.");
    auto o = std::make_shared<CompareOptions>();
    addDbOption(*command, o->db);
    addRepeatedOption(*command, "--id", o->ids, "Horse number (two to four).")
        ->check(numberCheck<std::int64_t>())
        ->required();
    addTodayOption(*command, o->today);
    addFormatOption(*command, o->format, "csv (the window's table) or json.");
    command->callback([o] { runCompare(*o); });
}

}  // namespace cli
