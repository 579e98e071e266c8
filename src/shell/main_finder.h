// SPDX-License-Identifier: MIT
// The main window's state and commands, which the window, the command line tool and the tests all drive.
#pragma once

#include "base/calendar.h"
#include "base/control.h"
#include "base/grid_model.h"
#include "base/results_columns.h"
#include "base/user_dialogs.h"
#include "base/version.h"
#include "shell/grid_settings.h"
#include "shell/results_folder_files.h"
#include "shell/store_follower.h"
#include "store/kept_connections.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// What start-up needs to know of the machine it runs on.
struct StartupEnvironment {
    std::string programFolder;  // the folder of the running program, or the data folder in its stead
    std::string breedingFile;   // the fixed path of the breeding file
    // `programFolder` is the user's own data folder (an installed program): a missing race
    // store is offered to be created there instead of ending with the message.
    bool perUserFolder = false;
    // The race store's folder when it is not `programFolder`: a store beside a program whose
    // own files go to the user's data folder. Empty: `programFolder`.
    std::string storeFolder{};
};

// The main window `frmmainfinder` as state: every control, menu item and grid, and the
// commands that change them. The window shows this state and forwards the user's events;
// the command line tool and the tests drive the same commands without a window.
class MainFinder {
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

    // How the window's commands talk to the user.
    base::UserDialogs& dialogs() const { return dialogs_; }
    // Today's date and the short date form; the machine's unless set otherwise.
    const base::Clock& clock() const { return *clock_; }
    void setClock(const base::Clock& clock) { clock_ = &clock; }

    // The program's folder with its trailing separator, and the files kept in it.
    const std::string& programFolder() const { return programFolder_; }
    bool perUserFolder() const { return perUserFolder_; }
    std::string raceStorePath() const;
    std::string settingsPath() const;
    // A window state without a program folder (the command line tool's) works on the
    // store at `path` and keeps no settings file.
    void useRaceStore(std::string path) { raceStorePath_ = std::move(path); }
    // The race store's connections for searching, kept from one search to the next while
    // the file stays as it was, and open while the returned use lives; on the window's
    // thread only.
    store::KeptConnections::InUse readers() { return readers_.to(raceStorePath()); }
    // Closes them now; the window's own writes do so before they open the store, so that
    // the writer's close is the last one, which removes the store's log.
    void releaseReaders() { readers_.close(); }
    // Closes them once no search has read through them for a few seconds: the window holds
    // no connection while idle, so another program's writer closes last as well.
    void releaseIdleReaders(store::KeptConnections::Clock::time_point now = store::KeptConnections::Clock::now()) {
        readers_.closeIfIdle(now);
    }
    // The breeding file that start-up looked for; the progeny searches read it.
    const std::string& breedingFile() const { return breedingFile_; }
    void useBreedingFile(std::string path) { breedingFile_ = std::move(path); }

    // State beside the controls that follows the race store; the program's assembly hands
    // it in, and the commands tell it what they changed.
    void follow(StoreFollower& follower) { followers_.push_back(&follower); }
    void unfollow(StoreFollower& follower) { std::erase(followers_, &follower); }
    void storeChanged(store::Database& db);
    // The line the status text ends with after the import of `weeks`, from every follower.
    std::string weeksImported(store::Database& db, const std::vector<int>& weeks);
    // The results folder kept in step, handed in by the program's assembly; none without.
    void useResultsFolder(const ResultsFolderFiles* folder) { resultsFolder_ = folder; }
    const ResultsFolderFiles* resultsFolder() const { return resultsFolder_; }

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
    base::Control frainfo{""};
    base::Control framaxspeedstats{"Max Speed And W-P-S"};
    base::Control fraspeedstats{"Average Speed Stats"};
    base::Control txtinjury{"30", true, true, false, 3};
    base::Control lblinjurytest{""};
    base::Control lblfastest{""};
    base::Control lblprogress{""};

    // Menus and the results grid's context menu.
    base::Control filemenu{"&File"};
    base::Control cmdimportdata{"&Import Race Data"};
    base::Control cmdremoverace{"R&emove Race Data"};
    base::Control cmdprint{"&Print Findings"};
    base::Control cmdprintpreview{"Print Pre&view"};
    base::Control ExportText{"E&xport to Text File"};
    base::Control cmdexit{"Exi&t"};
    base::Control Utilitiesmenu{"&Utilities"};
    base::Control datecalculator{"&Date Calculator"};
    base::Control cmdcompact{"&Compact Database"};
    base::Control edittracks{"&Edit Tracks"};
    base::Control speedchart{"&Speed Chart"};
    base::Control findhorses{"Find &Horses..."};
    base::Control watchlist{"&Watch List"};
    base::Control crosses{"C&rosses..."};
    base::Control helpmenu{"&Help"};
    base::Control cmdabout{"&About"};
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

    // Grids.
    base::GridModel MSFlexGrid1{2, base::horse_column::kCount, 1, 0};
    base::GridModel MSFSRGrid{8, 7, 1, 1};
    base::GridModel MSFmaxgrid{7, 6, 1, 1};
    base::GridModel MSFWGrid{7, 10, 1, 1};
    base::GridModel MSFSGrid{5, 4, 1, 1};
    base::GridModel MSFColorGridKey{7, 1, 1, 0};

private:
    void hideProgenyControls();
    bool checkRaceStore();
    void applySettings(const GridSettings& settings);
    GridSettings currentSettings() const;

    base::UserDialogs& dialogs_;
    base::SystemClock systemClock_;
    const base::Clock* clock_ = &systemClock_;
    std::string programFolder_;
    bool perUserFolder_ = false;
    std::string raceStorePath_;
    std::string breedingFile_;
    bool settingsWriteFailureReported_ = false;
    std::vector<StoreFollower*> followers_;
    const ResultsFolderFiles* resultsFolder_ = nullptr;
    store::KeptConnections readers_;
};

// The widths that "Reset Columns" gives the horse layout's columns, in twips.
extern const GridSettings kResetGridSettings;

}  // namespace shell
