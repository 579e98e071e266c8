// SPDX-License-Identifier: MIT
#include "search_command.h"

#include "default_store.h"
#include "cli_dialogs.h"
#include "cli_options.h"
#include "search/gethorse.h"
#include "search/special_stable.h"
#include "window_state_json.h"
#include "shell/main_finder.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace cli {

namespace {

struct SearchOptions {
    std::string db;
    std::optional<std::string> horse;
    std::optional<std::string> id;
    std::vector<std::string> owners;
    std::optional<std::string> race;
    std::string firstWeek;
    std::string lastWeek;
    bool currentOwner = false;
    std::string threshold = "30";
    std::string today;
    bool yes = false;
    std::string format = "csv";
};

struct Search {
    search::SearchKind opt;
    std::string name;
    std::string txtid;
};

// The kind of search the options name, as the criteria panel would choose it.
Search chooseSearch(const SearchOptions& options) {
    const int kinds = (options.horse || options.id ? 1 : 0) + (options.owners.empty() ? 0 : 1) + (options.race ? 1 : 0);
    if (kinds != 1) throw CLI::ValidationError("search", "name exactly one search: --horse/--id, --owner or --race");
    if (options.race) return {search::kRace, "", *options.race};
    if (!options.owners.empty()) {
        if (options.owners.size() > static_cast<std::size_t>(search::SpecialStable::kBoxes))
            throw CLI::ValidationError("--owner", "at most four stables");
        // Several stables are searched as the special stable search does.
        return {search::kOwner, search::stableQueryText(options.owners), ""};
    }
    if (options.horse && options.id) return {search::kHorseByNameAndNumber, *options.horse, *options.id};
    if (options.horse) return {search::kHorseByName, *options.horse, ""};
    return {search::kHorseByNumber, "", *options.id};
}

void runSearch(const SearchOptions& options) {
    const Search chosen = chooseSearch(options);
    requireRaceStore(options.db);
    CliDialogs dialogs(options.yes);
    shell::MainFinder window(dialogs);
    window.setUpControls();
    window.useRaceStore(options.db);
    const auto clock = clockFor(options.today);
    window.setClock(*clock);
    window.txtfirstweek.caption = options.firstWeek;
    window.txtlastweek.caption = options.lastWeek;
    window.chkowner.checked = options.currentOwner;
    window.txtinjury.caption = options.threshold;
    if (!search::gethorse(window, chosen.opt, chosen.name, chosen.txtid)) throw CommandEnded();
    printSearchResult(window, options.format, {"MSFWGrid", "MSFSGrid"});
}

}  // namespace

void addSearchCommand(CLI::App& app) {
    auto* command = app.add_subcommand("search", "Run a horse, owner or race search.");
    auto options = std::make_shared<SearchOptions>();
    addDbOption(*command, options->db);
    command->add_option("--horse", options->horse, "Horse name (* and ? as wildcards).");
    command->add_option("--id", options->id, "Horse number.");
    addRepeatedOption(*command, "--owner", options->owners, "Owner name; two to four for several stables.");
    command->add_option("--race", options->race, "Race number.");
    // The window's boxes take the same weeks, and speeds that round to a 32-bit whole number.
    command->add_option("--first-week", options->firstWeek, "Earliest week to list.")
        ->check(numberCheck<std::int16_t>());
    command->add_option("--last-week", options->lastWeek, "Latest week to list.")->check(numberCheck<std::int16_t>());
    command->add_flag("--current-owner", options->currentOwner, "List only the runs under the current owner.");
    command->add_option("--threshold", options->threshold, "Races slower than this are left out of the averages.")
        ->check(numberCheck<double>())
        ->check(inRange(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    addTodayOption(*command, options->today);
    command->add_flag("--yes", options->yes, "Answer Yes when more than 8,000 runs match.");
    addFormatOption(*command, options->format);
    command->callback([options] { runSearch(*options); });
}

}  // namespace cli
