// SPDX-License-Identifier: MIT
// harrowdex-cli: the core's commands without a window, for scripts and tests. Each
// command adds itself to the app from its own file (add<Name>Command) and reports
// failures by throwing; this file turns the outcome into the exit status.
#include "base/data_folder.h"
#include "guide/guide_folder.h"
#include "base/version.h"
#include "backup_commands.h"
#include "cli_dialogs.h"
#include "command_names.h"
#include "compact_command.h"
#include "crosses_command.h"
#include "find_command.h"
#include "import_command.h"
#include "lineage_command.h"
#include "makedb_command.h"
#include "names_command.h"
#include "pars_command.h"
#include "progeny_command.h"
#include "remove_weeks_command.h"
#include "search_command.h"
#include "sync_command.h"
#include "tracks_command.h"
#include "watch_command.h"
#include "weeks_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr int kDone = 0;
constexpr int kEndedOnMessage = 1;
constexpr int kUsageError = 2;

// The innermost command named on the command line, for its usage line.
const CLI::App* commandInUse(const CLI::App& app) {
    const CLI::App* current = &app;
    while (!current->get_subcommands().empty())
        current = current->get_subcommands().front();
    return current;
}

std::string usageLine(const CLI::App& app) {
    const CLI::App* command = commandInUse(app);
    std::string name = app.get_name();
    if (command != &app)
        name += " " + command->get_name();
    return CLI::Formatter().make_usage(command, name);
}

int run(CLI::App& app, int argc, char** argv) {
    if (argc > 1) {
        if (const auto unknown = cli::unknownCommand(app, argv[1])) {
            std::cerr << app.get_name() << ": " << *unknown << '\n';
            return kUsageError;
        }
    }
    try {
        app.parse(argc, argv);
        return kDone;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e);  // --help
        std::cerr << app.get_name() << ": " << e.what() << '\n' << usageLine(app);
        return kUsageError;
    } catch (const std::exception& e) {
        if (*e.what()) cli::writeMessage(e.what());
        return kEndedOnMessage;
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Harrowdex race store commands, without a window.", "harrowdex-cli");
    app.footer(std::string(base::kDataFolderHelp) + "\n\n" + guide::kGuideHelp);
    app.set_version_flag("--version", std::string("harrowdex-cli ") + base::programVersion());
    app.require_subcommand(1);
    cli::addMakedbCommand(app);
    cli::addImportCommand(app);
    cli::addSyncCommand(app);
    cli::addSearchCommand(app);
    cli::addFindCommand(app);
    cli::addCompareCommand(app);
    cli::addParsCommand(app);
    cli::addLineageCommand(app);
    cli::addProgenyCommand(app);
    cli::addNamesCommand(app);
    cli::addCrossesCommand(app);
    cli::addWeeksCommand(app);
    cli::addRemoveWeeksCommand(app);
    cli::addCompactCommand(app);
    cli::addBackupCommand(app);
    cli::addRestoreCommand(app);
    cli::addTracksCommand(app);
    cli::addWatchCommand(app);
    return run(app, argc, argv);
}
