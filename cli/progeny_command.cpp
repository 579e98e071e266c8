// SPDX-License-Identifier: MIT
#include "progeny_command.h"

#include "default_store.h"
#include "cli_dialogs.h"
#include "cli_options.h"
#include "json_output.h"
#include "progeny/breeding_file_path.h"
#include "progeny/getsires.h"
#include "search/criteria_panel.h"
#include "store/stored_name.h"
#include "window_state_json.h"
#include "shell/main_finder.h"

#include <optional>

namespace cli {

namespace {

struct ProgenyOptions {
    std::string db;
    std::string breeding = progeny::breedingFilePath();
    std::optional<std::string> sire;
    std::optional<std::string> damSire;
    std::optional<std::string> damsDamSire;
    std::string starts = "5";
    bool twoYearOlds = false;
    std::string format = "csv";
};

// Selects the kind of search in the panel, as its button would, and gives the name.
std::string chooseKind(shell::MainFinder& window, const ProgenyOptions& options) {
    const int kinds = (options.sire ? 1 : 0) + (options.damSire ? 1 : 0) + (options.damsDamSire ? 1 : 0);
    if (kinds != 1) throw CLI::ValidationError("progeny", "name exactly one of --sire, --dam-sire, --dams-dam-sire");
    if (options.sire) {
        search::optsire_Click(window);
        return *options.sire;
    }
    if (options.damSire) {
        search::optdamsire_Click(window);
        return *options.damSire;
    }
    search::optdamdamsire_Click(window);
    return *options.damsDamSire;
}

void runProgeny(const ProgenyOptions& options) {
    CliDialogs dialogs(false);
    shell::MainFinder window(dialogs);
    window.setUpControls();
    const std::string name = chooseKind(window, options);
    requireRaceStore(options.db);
    window.useRaceStore(options.db);
    window.useBreedingFile(options.breeding);
    window.txthorse.caption = store::storedHorseName(name);
    window.txtnum.caption = options.starts;
    window.chk2yo.checked = options.twoYearOlds;
    if (!progeny::getsires(window, window.txthorse.caption)) throw CommandEnded();
    if (options.format != "json") {
        printSearchResult(window, options.format, {});
        return;
    }
    auto state = windowState(window, {"MSFSRGrid", "MSFmaxgrid"});
    state["fastest"] = window.lblfastest.caption;
    printJson(state);
}

}  // namespace

void addProgenyCommand(CLI::App& app) {
    auto* command = app.add_subcommand("progeny", "Run a sire, dam-sire or dam's dam-sire search.");
    auto options = std::make_shared<ProgenyOptions>();
    addDbOption(*command, options->db);
    command->add_option("--breeding", options->breeding, "The breeding file.")->capture_default_str();
    command->add_option("--sire", options->sire, "Search the offspring of this sire.");
    command->add_option("--dam-sire", options->damSire, "Search the offspring of this dam-sire.");
    command->add_option("--dams-dam-sire", options->damsDamSire, "Search the offspring of this dam's dam-sire.");
    command->add_option("--starts", options->starts, "Races an offspring needs to count (the \"#\" box).")
        ->capture_default_str()
        ->check([](const std::string& text) {
            return text.find_first_not_of("0123456789") == std::string::npos ? "" : "expected digits only";
        });
    command->add_flag("--two-year-olds", options->twoYearOlds, "Count the offspring aged 2 or less (\"2yo\").");
    addFormatOption(*command, options->format);
    command->callback([options] { runProgeny(*options); });
}

}  // namespace cli
