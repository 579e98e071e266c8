// SPDX-License-Identifier: MIT
#include "import_command.h"

#include "default_store.h"
#include "cli_dialogs.h"
#include "base/one_line.h"
#include "import/import_driver.h"
#include "import_progress.h"
#include "shell/main_finder.h"
#include "watch/watch_state.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace cli {

namespace {

struct ImportOptions {
    std::string db;
    bool yes = false;
    bool quiet = false;
    std::vector<std::string> files;
};

void runImport(const ImportOptions& options) {
    ImportProgressDialogs dialogs(options.yes, progressStyle(options.quiet), std::cerr);
    shell::MainFinder window(dialogs);
    watch::WatchState watching;  // says who of the watch list ran
    window.follow(watching);
    std::vector<import::ChosenFile> files;
    for (const auto& path : options.files)
        files.push_back({path, base::oneLine(std::filesystem::path(path).filename().string())});
    const import::ImportResult result = import::importFiles(window, options.db, files);
    dialogs.finish(result == import::ImportResult::Done);
    // After a failure the status label names the file; after success it holds the watch
    // list's summary line, empty when nothing is watched.
    if (result != import::ImportResult::Done) {
        if (!window.lblprogress.caption.empty()) writeMessage(window.lblprogress.caption);
        throw CommandEnded();
    }
    if (!window.lblprogress.caption.empty()) std::cout << window.lblprogress.caption << '\n';
}

}  // namespace

void addImportCommand(CLI::App& app) {
    auto* command = app.add_subcommand("import", "Import results files into a race store, in the given order.");
    auto options = std::make_shared<ImportOptions>();
    addDbOption(*command, options->db);
    command->add_flag("--yes", options->yes, "Answer Yes to the question whether to replace a week.");
    command->add_flag("--quiet", options->quiet, "Write no progress, only messages and questions.");
    command->add_option("FILE", options->files, "Results files (text or ZIP).")->required();
    command->callback([options] { runImport(*options); });
}

}  // namespace cli
