// SPDX-License-Identifier: MIT
// The main window's state and commands, which the window, the command line tool and the tests all drive.
#pragma once

#include "base/control.h"
#include "base/grid_model.h"
#include "base/version.h"
#include "shell/grid_settings.h"
#include "shell/results_area.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// The main window `frmmainfinder` as state: every control, menu item and grid, and the
// commands that change them; the session and the results area it stands on are what most
// commands take of it. The window shows this state and forwards the user's events;
// the command line tool and the tests drive the same commands without a window.
class MainFinder : public ResultsArea {
public:
    // Wide enough for the statistics grids to show a large stable's figures whole.
    static constexpr int kClientWidth = 14510;  // twips
    static constexpr int kClientHeight = 8280;  // twips
    // Room for every 16-bit week number, so that no typed week is cut short.
    static constexpr int kWeekBoxLength = 6;

    explicit MainFinder(base::UserDialogs& dialogs);

    // Start-up sequence (`Form_Load`). False when the program must end at once: the
    // race store is missing or is not a race store; the user has been told why.
    bool Form_Load(const StartupEnvironment& environment);
    // The part of start-up that only sets up controls and grids, for a window state
    // that is not started from a program folder (the command line tool's).
    void setUpControls();

    // Results grid captions and settings.
    void msfgridcaption();
    void msfgridgetsettings();
    void msfgridsavesettings();
    void msfgridreset_click();
    void msfgridback_Click();
    // The results grid's two layouts. The horse layout, which the horse, owner and race
    // searches list into: the statistics grids, the grid's own columns and their saved
    // widths, printing. The progeny layout: the progeny tables in place of the statistics
    // grids, 19 columns, no printing.
    void showHorseLayout();
    void showProgenyLayout();

    // Selecting one kind-of-search button clears the others of its frame.
    void selectSearchKind(base::Control& option);

    // Every named control and grid, for the window's binding and for reports.
    std::vector<std::pair<std::string_view, base::Control*>> controls();
    std::vector<std::pair<std::string_view, base::GridModel*>> grids();

    std::string caption = std::string("Harrowdex v") + base::programVersion();
    int leftTwips = 0;
    int topTwips = 0;

    // Search-criteria panel.
    base::Control frasearchcriteria{"Search Criteria"};
    base::Control chkowner{"&Current Owner Only"};
    base::Control cmdspecial{"&Multi."};
    base::Control txtfirstweek{"", true, true, false, kWeekBoxLength};
    base::Control txtlastweek{"", true, true, false, kWeekBoxLength};
    base::Control lblfirstweek{"First Wee&k #:"};
    base::Control lbllastweek{"&Last Week #:"};
    base::Control frahorsesorowners{"Type of Search -- Horse Information or Sire Searches"};
    base::Control opthorse{"H&orse", true, true, true};
    base::Control optowner{"O&wner"};
    base::Control optrace{"&Race"};
    base::Control optsire{"S"};
    base::Control optdamsire{"DS"};
    base::Control optdamdamsire{"DDS"};
    base::Control txtnum{"5"};
    base::Control lblnum{"&#"};
    base::Control Frame2{""};
    base::Control txthorse{"", true, true, false, 0};  // an owner name has any length
    base::Control txtid{"", true, true, false, 10};    // a race number of a five-digit week
    base::Control chkname{"&by name", true, true, true};
    base::Control chkid{"by I&D"};
    base::Control lblname{"&Name:"};
    base::Control lblid{"&ID:"};
    base::Control chk2yo{"&2yo"};
    base::Control cmdgethorse{"&GO!"};

    // Information area.
    base::Control framaxspeedstats{"Max Speed And W-P-S"};
    base::Control fraspeedstats{"Average Speed Stats"};
    base::Control lblinjurytest{""};
    base::Control lblfastest{""};

    // Menus.
    base::Control filemenu{"&File"};
    base::Control cmdimportdata{"&Import Race Data"};
    base::Control cmdremoverace{"R&emove Race Data"};
    base::Control cmdbackup{"&Back Up Race Store..."};
    base::Control cmdrestore{"Rest&ore Race Store..."};
    base::Control cmdexit{"Exi&t"};
    base::Control Utilitiesmenu{"&Utilities"};
    base::Control datecalculator{"&Date Calculator"};
    base::Control cmdcompact{"&Compact Database"};
    base::Control edittracks{"&Edit Tracks"};
    base::Control speedchart{"&Speed Chart"};
    base::Control findhorses{"Find &Horses..."};
    base::Control watchlist{"&Watch List"};
    base::Control crosses{"C&rosses..."};
    base::Control classpars{"Class &Pars..."};
    base::Control helpmenu{"&Help"};
    base::Control cmdguide{"&Player's Guide"};
    base::Control cmdabout{"&About"};

    // Grids.
    base::GridModel MSFSRGrid{8, 7, 1, 1};
    base::GridModel MSFWGrid{7, 10, 1, 1};

private:
    void hideProgenyControls();
    bool checkRaceStore();
    void applySettings(const GridSettings& settings);
    GridSettings currentSettings() const;

    bool settingsWriteFailureReported_ = false;
};

// The widths that "Reset Columns" gives the horse layout's columns, in twips.
extern const GridSettings kResetGridSettings;

}  // namespace shell
