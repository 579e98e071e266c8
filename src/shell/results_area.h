// SPDX-License-Identifier: MIT
// The results grid with what describes it and the menu items that act on it.
#pragma once

#include "base/control.h"
#include "base/grid_model.h"
#include "base/results_columns.h"
#include "shell/window_session.h"

namespace shell {

// The main window's results grid as the commands that read a listing see it: the grid,
// the information area that names its subject and tells its layout, the File menu's
// printing and export, and the grid's context menu. Printing, export, lineage and the
// watch list's marks take only this.
class ResultsArea : public WindowSession {
public:
    using WindowSession::WindowSession;

    // The horse layout is showing while `MSFSGrid` is visible and `MSFmaxgrid` hidden.
    bool horseLayoutShowing() const { return MSFSGrid.visible() && !MSFmaxgrid.visible(); }

    base::Control frainfo{""};
    base::Control txtinjury{"30", true, true, false, 3};

    // The File menu's commands on the listing.
    base::Control cmdprint{"&Print Findings"};
    base::Control cmdprintpreview{"Print Pre&view"};
    base::Control ExportText{"E&xport to Text File"};

    // The results grid's context menu.
    base::Control datecalc{"Week Date"};
    base::Control bar1{"-"};
    base::Control getlineage{"Get Lineage Info."};
    base::Control listhorse{"List Horse"};
    base::Control listrace{"List Race "};
    base::Control listowner{"List Owner "};
    base::Control listfilter{"Filter this List"};
    base::Control comparehorses{"Compare"};
    base::Control watchhorse{"Watch Horse"};
    base::Control watchstable{"Watch Stable"};
    base::Control msfgridreset{"Reset Columns"};
    base::Control msfgridback{"Toggle Background"};

    base::GridModel MSFlexGrid1{2, base::horse_column::kCount, 1, 0};
    // The average speed grid (horse layout) and the progeny speed table (progeny layout).
    base::GridModel MSFSGrid{5, 4, 1, 1};
    base::GridModel MSFmaxgrid{7, 6, 1, 1};
    base::GridModel MSFColorGridKey{7, 1, 1, 0};
};

}  // namespace shell
