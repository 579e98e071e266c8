// SPDX-License-Identifier: MIT
#pragma once

#include "cli_dialogs.h"
#include "cli_options.h"
#include "shell/main_finder.h"

#include <string>

namespace cli {

// The main window's state without a window, over the race store at `db`, for the
// commands of the store's maintenance. Questions are answered as `answerYes` says.
struct StoreWindow {
    StoreWindow(const std::string& db, bool answerYes) : dialogs(answerYes), window(dialogs) {
        requireRaceStore(db);
        window.setUpControls();
        window.useRaceStore(db);
        dialogs.watchStatus(&window.lblprogress.caption);
    }

    CliDialogs dialogs;
    shell::MainFinder window;
};

}  // namespace cli
