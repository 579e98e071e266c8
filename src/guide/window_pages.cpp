// SPDX-License-Identifier: MIT
#include "guide/window_pages.h"

#include "guide/guide_folder.h"

#include <algorithm>

namespace guide {

const std::vector<std::pair<std::string_view, std::string_view>>& windowPages() {
    static const std::vector<std::pair<std::string_view, std::string_view>> pages{
        {"frmstable", "searching.md"},
        {"frmfindhorses", "finder-and-compare.md"},
        {"frmcompare", "finder-and-compare.md"},
        {"frmclasspars", "class-pars.md"},
        {"frmcrosses", "sires-and-crosses.md"},
        {"frmwatchlist", "watch-list.md"},
        {"frmspeedchart", "printing-and-export.md"},
        {"frmlineage", "lineage.md"},
        {"frmremovedata", "maintenance.md"},
        {"frmedittracks", "maintenance.md"},
        {"frmdatecalculator", "maintenance.md"},
    };
    return pages;
}

std::string_view pageForWindow(std::string_view objectName) {
    const auto& pages = windowPages();
    const auto found = std::ranges::find(pages, objectName, [](const auto& page) { return page.first; });
    return found == pages.end() ? kContentsPage : found->second;
}

}  // namespace guide
