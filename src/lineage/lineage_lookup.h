// SPDX-License-Identifier: MIT
// "Get Lineage Info.": fetches and reads the page of the horse in the results grid's selected row.
#pragma once

#include "lineage/lineage_request.h"
#include "lineage/page_fetcher.h"
#include "shell/results_area.h"

#include <optional>
#include <string>

namespace lineage {

// What the lookup asks or tells before a page is shown.
inline const std::string kNoSearchYet = "Please search and find a horse prior to requesting lineage information.";
inline const std::string kHorseNoLongerExists =
    "Warning: This horse no longer exists in the sim.  Do you wish to view the current horse who has this ID "
    "number?";

// "Get Lineage Info.": fetches the page of the horse in the results grid's selected row
// from `server` and reads it. Nothing when the user was told why not (no search yet, no
// page) or declined to see the horse that now has the identifier; the lineage window is
// then left as it is. While the page is awaited the busy pointer and a status text show;
// the status label gets its text back afterwards.
std::optional<LineageInfo> getlineage_Click(shell::ResultsArea& window, PageFetcher& Inet, const std::string& server);

}  // namespace lineage
