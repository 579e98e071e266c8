// SPDX-License-Identifier: MIT
#pragma once

#include "shell/base/calendar.h"
#include "shell/base/control.h"
#include "shell/base/grid_model.h"
#include "shell/base/results_columns.h"
#include "shell/base/user_dialogs.h"
#include "shell/grid_settings.h"
#include "watch/watch_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// What start-up needs to know of the machine it runs on.
struct StartupEnvironment {
    std::string programFolder;  // the folder of the running program
    std::string breedingFile;   // the fixed path of the breeding file
};

// The main window `frmmainfinder` as state: every control, menu item and grid, and the
// commands that change them. The window shows this state and forwards the user's events;
// the command line tool and the tests drive the same commands without a window.
class MainFinder {
public:
    static constexpr const char* kCaption = "Harrowdex v4.31";
    static constexpr int kClientWidth = 9390;   // twips
    static constexpr int kClientHeight = 8280;  // twips
    // Room for every 16-bit week number, so that no typed week is cut short.
    static constexpr int kWeekBoxLength = 6;

    explicit MainFinder(UserDialogs& dialogs);

    // Start-up sequence (`Form_Load`). False when the program must end at once: the
    // race store is missing or is not a race store; the user has been told why.
    bool Form_Load(const StartupEnvironment& environment);
    // The part of start-up that only sets up controls and grids, for a window state
    // that is not started from a program folder (the command line tool's).
    void setUpControls();

    // How the window's commands talk to the user.
    UserDialogs& dialogs() const { return dialogs_; }
    // Today's date and the short date form; the machine's unless set otherwise.
    const Clock& clock() const { return *clock_; }
    void setClock(const Clock& clock) { clock_ = &clock; }

    // The program's folder with its trailing separator, and the files kept in it.
    const std::string& programFolder() const { return programFolder_; }
    std::string raceStorePath() const;
    std::string settingsPath() const;
    // A window state without a program folder (the command line tool's) works on the
    // store at `path` and keeps no settings file.
    void useRaceStore(std::string path) { raceStorePath_ = std::move(path); }
    // The breeding file that start-up looked for; the progeny searches read it.
    const std::string& breedingFile() const { return breedingFile_; }
    void useBreedingFile(std::string path) { breedingFile_ = std::move(path); }

    // Results grid captions and settings.
    void msfgridcaption();
    void msfgridgetsettings();
    void msfgridsavesettings();
    void msfgridreset_click();
    void msfgridback_Click();
    // The horse layout is showing while `MSFSGrid` is visible and `MSFmaxgrid` hidden.
    bool horseLayoutShowing() const { return MSFSGrid.visible() && !MSFmaxgrid.visible(); }
    // The results grid's two layouts. The horse layout, which the horse, owner and race
    // searches list into: the statistics grids, the grid's own columns and their saved
    // widths, printing. The progeny layout: the progeny tables in place of the statistics
    // grids, 19 columns, no printing.
    void showHorseLayout();
    void showProgenyLayout();

    // Selecting one kind-of-search button clears the others of its frame.
    void selectSearchKind(Control& option);

    // Every named control and grid, for the window's binding and for reports.
    std::vector<std::pair<std::string_view, Control*>> controls();
    std::vector<std::pair<std::string_view, GridModel*>> grids();

    std::string caption = kCaption;
    int leftTwips = 0;
    int topTwips = 0;

    // Search-criteria panel.
    Control frasearchcriteria{"Search Criteria"};
    Control chkowner{"Current Owner Only"};
    Control cmdspecial{"Multi."};
    Control txtfirstweek{"", true, true, false, kWeekBoxLength};
    Control txtlastweek{"", true, true, false, kWeekBoxLength};
    Control lblfirstweek{"First Week #:"};
    Control lbllastweek{"Last Week #:"};
    Control frahorsesorowners{"Type of Search -- Horse Information or Sire Searches"};
    Control opthorse{"Horse", true, true, true};
    Control optowner{"Owner"};
    Control optrace{"Race"};
    Control optsire{"S"};
    Control optdamsire{"DS"};
    Control optdamdamsire{"DDS"};
    Control txtnum{"5"};
    Control lblnum{"#"};
    Control Frame2{""};
    Control txthorse{"", true, true, false, 0};  // an owner name has any length
    Control txtid{"", true, true, false, 10};    // a race number of a five-digit week
    Control chkname{"", true, true, true};
    Control chkid{""};
    Control lblname{"Name:"};
    Control lblid{"ID:"};
    Control chk2yo{"2yo"};
    Control cmdgethorse{"GO!"};

    // Information area.
    Control frainfo{""};
    Control framaxspeedstats{"Max Speed And W-P-S"};
    Control fraspeedstats{"Average Speed Stats"};
    Control txtinjury{"30", true, true, false, 3};
    Control lblinjurytest{""};
    Control lblfastest{""};
    Control lblprogress{""};

    // Menus and the results grid's context menu.
    Control filemenu{"&File"};
    Control cmdimportdata{"&Import Race Data"};
    Control cmdremoverace{"R&emove Race Data"};
    Control cmdprint{"&Print Findings"};
    Control cmdprintpreview{"Print Pre&view"};
    Control ExportText{"E&xport to Text File"};
    Control Utilitiesmenu{"&Utilities"};
    Control datecalculator{"&Date Calculator"};
    Control cmdcompact{"&Compact Database"};
    Control edittracks{"&Edit Tracks"};
    Control speedchart{"&Speed Chart"};
    Control findhorses{"Find &Horses..."};
    Control watchlist{"&Watch List"};
    Control crosses{"C&rosses..."};
    Control datecalc{"Week Date"};
    Control bar1{"-"};
    Control getlineage{"Get Lineage Info."};
    Control listhorse{"List Horse"};
    Control listrace{"List Race "};
    Control listowner{"List Owner "};
    Control listfilter{"Filter this List"};
    Control comparehorses{"Compare"};
    Control watchhorse{"Watch Horse"};
    Control watchstable{"Watch Stable"};
    Control msfgridreset{"Reset Columns"};
    Control msfgridback{"Toggle Background"};

    // Grids.
    GridModel MSFlexGrid1{2, horse_column::kCount, 1, 0};
    GridModel MSFSRGrid{8, 7, 1, 1};
    GridModel MSFmaxgrid{7, 6, 1, 1};
    GridModel MSFWGrid{7, 10, 1, 1};
    GridModel MSFSGrid{5, 4, 1, 1};
    GridModel MSFColorGridKey{7, 1, 1, 0};

    // The watch list's marks for the listings, and who ran in the last import.
    watch::WatchState watching;

private:
    void hideProgenyControls();
    bool checkRaceStore();
    void applySettings(const GridSettings& settings);
    GridSettings currentSettings() const;

    UserDialogs& dialogs_;
    SystemClock systemClock_;
    const Clock* clock_ = &systemClock_;
    std::string programFolder_;
    std::string raceStorePath_;
    std::string breedingFile_;
    bool settingsWriteFailureReported_ = false;
};

// The widths that "Reset Columns" gives the horse layout's columns, in twips.
extern const GridSettings kResetGridSettings;

}  // namespace shell
