// SPDX-License-Identifier: MIT
// The horse, owner and race searches that fill the results grid and the statistics grids.
#pragma once

#include "search/search_request.h"
#include "shell/main_finder.h"

#include <string>

namespace search {

// Runs a horse, owner or race search (`opt`, a SearchKind) over the window's race store
// and fills the results grid, the statistics grids, the caption of `frainfo` and
// `lblprogress`. `name` is a horse or owner name (patterns with * and ?), `txtid` a horse
// or race number or pattern. Reports through the window's dialogs only; a search that
// lists nothing leaves the earlier listing as it was (one that fails on the store midway
// keeps the rows read before the failure). True when it listed runs.
bool gethorse(shell::MainFinder& window, SearchKind opt, const std::string& name, const std::string& txtid);

}  // namespace search
