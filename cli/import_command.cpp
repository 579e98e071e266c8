// SPDX-License-Identifier: MIT
#include "import_command.h"

#include "cli_dialogs.h"
#include "import/import_driver.h"
#include "shell/main_finder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace cli {

namespace {

struct ImportOptions {
    std::string db;
    bool yes = false;
    std::vector<std::string> files;
};

void runImport(const ImportOptions& options) {
    CliDialogs dialogs(options.yes);
    shell::MainFinder window(dialogs);
    dialogs.watchStatus(&window.lblprogress.caption);
    std::vector<import::ChosenFile> files;
    for (const auto& path : options.files)
        files.push_back({path, std::filesystem::path(path).filename().string()});
    if (import::importFiles(window, options.db, files) != import::ImportResult::Done) throw CommandEnded();
}

}  // namespace

void addImportCommand(CLI::App& app) {
    auto* command = app.add_subcommand("import", "Import results files into a race store, in the given order.");
    auto options = std::make_shared<ImportOptions>();
    command->add_option("--db", options->db, "The race store.")->required();
    command->add_flag("--yes", options->yes, "Answer Yes to the question whether to replace a week.");
    command->add_option("FILE", options->files, "Results files (text or ZIP).")->required();
    command->callback([options] { runImport(*options); });
}

}  // namespace cli
