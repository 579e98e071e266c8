// SPDX-License-Identifier: MIT
#include "shell/main_finder.h"

#include "base/data_folder.h"
#include "base/program_folder.h"
#include "shell/first_start.h"
#include "shell/read_only_note.h"
#include "shell/statistics_grids_layout.h"
#include "store/database.h"
#include "store/schema.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>

namespace shell {

namespace {

struct ColumnCaption {
    const char* caption;
    std::int16_t resetWidth;
};

// The reset widths show the longest of today's numbers and codes whole in the grid's font
// (a seven-digit horse number, the race number of a five-digit week, odds of 999.90, a
// six-digit claiming price, "O-3+", a race type kept as named such as "Handicap"); names
// and owners may show cut, whole in their tooltips.
constexpr std::array<ColumnCaption, base::horse_column::kCount> kColumns{{{"Name", 1250},
                                                                          {"H.ID.", 630},
                                                                          {"Race #", 825},
                                                                          {"Age", 480},
                                                                          {"Tr", 350},
                                                                          {"Typ", 810},
                                                                          {"Dis", 375},
                                                                          {"S", 200},
                                                                          {"Sp", 450},
                                                                          {"PL", 280},
                                                                          {"FD", 280},
                                                                          {"PP", 280},
                                                                          {"Purse", 630},
                                                                          {"Odds", 615},
                                                                          {"Earn.", 630},
                                                                          {"Owner", 750},
                                                                          {"Clm", 555},
                                                                          {"St", 300}}};

GridSettings resetSettings() {
    GridSettings settings;
    for (std::size_t i = 0; i < kColumns.size(); ++i) settings.widths[i] = kColumns[i].resetWidth;
    settings.background = static_cast<std::int32_t>(base::kSystem3DLight);
    return settings;
}

}  // namespace

const GridSettings kResetGridSettings = resetSettings();

MainFinder::MainFinder(base::UserDialogs& dialogs) : ResultsArea(dialogs) {
    for (auto* grid : {&MSFSRGrid, &MSFmaxgrid, &MSFWGrid, &MSFSGrid}) applyStatisticsGridLook(*grid);
    MSFColorGridKey.setFont("Arial", 7.5);
    MSFColorGridKey.setBackColourBeyond(base::kSystemButtonFace);
    MSFlexGrid1.setFont("Arial", 8.25);
    MSFlexGrid1.setBackColour(base::kSystem3DLight);
    MSFlexGrid1.setGridLineColour(base::kLightGrey);
    MSFlexGrid1.setBackColourBeyond(base::kGrey);
    // Before any settings file exists the results grid starts with the reset widths, so
    // a first run shows every column; the file is written on the first change.
    applySettings(kResetGridSettings);
}

bool MainFinder::Form_Load(const StartupEnvironment& environment) {
    useFolders(environment);
    setUpControls();
    if (!checkRaceStore()) return false;
    // The program's own files go to the user's data folder beside a store kept elsewhere; a
    // folder that cannot be made is reported by the first file that cannot be written.
    if (perUserFolder() && !storeInProgramFolder()) (void)base::makeDataFolder(programFolder());
    if (!std::filesystem::exists(environment.breedingFile)) {
        for (auto* option : {&optsire, &optdamsire, &optdamdamsire, &crosses}) option->enabled = false;
    }
    msfgridgetsettings();
    lblprogress.caption = readOnlyNote(raceStorePath());
    return true;
}

void MainFinder::setUpControls() {
    leftTwips = 10;
    topTwips = 10;
    hideProgenyControls();
    layOutProgenyRateGrid(MSFSRGrid);
    layOutProgenySpeedGrid(MSFmaxgrid);
    lblinjurytest.caption = "Injury &Exclusion:\rIgnore races slower than ...";
    layOutAverageSpeedGrid(MSFSGrid);
    layOutMaxSpeedGrid(MSFWGrid);
    layOutColourKey(MSFColorGridKey);
    MSFlexGrid1.setFont(MSFlexGrid1.fontName(), 7);
    msfgridcaption();
}

void MainFinder::hideProgenyControls() {
    for (auto* control : {&chk2yo, &lblnum, &txtnum, &lblfastest}) control->visible = false;
    MSFSRGrid.setVisible(false);
    MSFmaxgrid.setVisible(false);
}

// The race store must stand in the program's folder and be a race store; either failure
// ends the program before the window shows, and the file is never changed. An installed
// program instead offers to create a missing store in the user's data folder, but not in
// place of a store beside the program that has gone since the program found it.
bool MainFinder::checkRaceStore() {
    const std::string path = raceStorePath();
    if (!std::filesystem::exists(path)) {
        if (perUserFolder() && storeInProgramFolder()) return offerEmptyRaceStore(dialogs(), programFolder(), path);
        dialogs().message(
            "Please restart this program after you have successfully saved or moved the horses.mdb "
            "file to the SAME directory in which this program is located.",
            base::kAppTitle);
        return false;
    }
    if (const auto problem = store::raceStoreProblem(path)) {
        dialogs().message("The race database " + path + " cannot be used:\r" + *problem +
                              "\r\rThe program will close now; the file has not been changed.",
                          base::kAppTitle);
        return false;
    }
    return true;
}

void MainFinder::msfgridcaption() {
    for (int c = 0; c < base::horse_column::kCount && c < MSFlexGrid1.cols(); ++c)
        MSFlexGrid1.setText(0, c, kColumns[static_cast<std::size_t>(c)].caption);
}

void MainFinder::msfgridgetsettings() {
    if (programFolder().empty()) return;
    const auto file = readSettingsFile(settingsPath());
    if (file.state == SettingsFileState::Missing) return;
    const auto settings = file.state == SettingsFileState::Readable ? parseGridSettings(file.text) : std::nullopt;
    if (!settings) {
        // Empty, or not a file this program wrote: the reset values, written anew. A file
        // that cannot be replaced (a folder in its place) is reported by the next save, after
        // a search or a change of the columns, not while the window starts.
        MSFlexGrid1.setCol(0);
        applySettings(kResetGridSettings);
        (void)writeSettingsFile(settingsPath(), currentSettings());
        return;
    }
    applySettings(*settings);
}

void MainFinder::applySettings(const GridSettings& settings) {
    for (int c = 0; c < base::horse_column::kCount && c < MSFlexGrid1.cols(); ++c)
        MSFlexGrid1.setColumnWidth(c, settings.widths[static_cast<std::size_t>(c)]);
    MSFlexGrid1.setBackColour(static_cast<base::Colour>(static_cast<std::uint32_t>(settings.background)));
}

GridSettings MainFinder::currentSettings() const {
    GridSettings settings;
    for (int c = 0; c < base::horse_column::kCount; ++c) {
        const int width = c < MSFlexGrid1.cols() ? MSFlexGrid1.columnWidth(c) : 0;
        settings.widths[static_cast<std::size_t>(c)] =
            static_cast<std::int16_t>(std::min(width, static_cast<int>(std::numeric_limits<std::int16_t>::max())));
    }
    settings.background = static_cast<std::int32_t>(MSFlexGrid1.backColour());
    return settings;
}

void MainFinder::showHorseLayout() {
    MSFSRGrid.setVisible(false);
    MSFSGrid.setVisible(true);
    MSFWGrid.setVisible(true);
    for (auto* control : {&fraspeedstats, &framaxspeedstats, &lblinjurytest, &txtinjury}) control->visible = true;
    MSFlexGrid1.setCols(base::horse_column::kCount);
    msfgridgetsettings();
    MSFmaxgrid.setVisible(false);
    lblfastest.visible = false;
    cmdprint.enabled = true;
    cmdprintpreview.enabled = true;  // the preview shows what printing would print
}

void MainFinder::showProgenyLayout() {
    // Saved while the grid still has the horse layout's widths, which showHorseLayout()
    // reads back.
    msfgridsavesettings();
    MSFSRGrid.setVisible(true);
    MSFSGrid.setVisible(false);
    MSFWGrid.setVisible(false);
    for (auto* control : {&fraspeedstats, &framaxspeedstats, &lblinjurytest, &txtinjury}) control->visible = false;
    MSFmaxgrid.setVisible(true);
    lblfastest.visible = true;
    MSFlexGrid1.setCols(base::progeny_column::kCount);
    cmdprint.enabled = false;
    cmdprintpreview.enabled = false;
}

void MainFinder::msfgridsavesettings() {
    if (!MSFSGrid.visible() || programFolder().empty()) return;
    const auto error = writeSettingsFile(settingsPath(), currentSettings());
    // A folder the user may not write to would otherwise repeat the box at every search.
    if (error && !settingsWriteFailureReported_) {
        settingsWriteFailureReported_ = true;
        dialogs().message("The grid settings could not be saved.\r" + *error, base::kAppTitle);
    }
}

void MainFinder::msfgridreset_click() {
    MSFlexGrid1.setCol(0);
    applySettings(kResetGridSettings);
    msfgridsavesettings();
}

void MainFinder::msfgridback_Click() {
    MSFlexGrid1.setBackColour(MSFlexGrid1.backColour() == base::kSystem3DLight ? base::kSystemWindowBackground
                                                                               : base::kSystem3DLight);
    if (!MSFmaxgrid.visible()) msfgridsavesettings();
}

void MainFinder::selectSearchKind(base::Control& option) {
    for (auto* each : {&opthorse, &optowner, &optrace, &optsire, &optdamsire, &optdamdamsire})
        each->checked = each == &option;
}

std::vector<std::pair<std::string_view, base::Control*>> MainFinder::controls() {
    return {{"frasearchcriteria", &frasearchcriteria},
            {"chkowner", &chkowner},
            {"cmdspecial", &cmdspecial},
            {"txtfirstweek", &txtfirstweek},
            {"txtlastweek", &txtlastweek},
            {"lblfirstweek", &lblfirstweek},
            {"lbllastweek", &lbllastweek},
            {"frahorsesorowners", &frahorsesorowners},
            {"opthorse", &opthorse},
            {"optowner", &optowner},
            {"optrace", &optrace},
            {"optsire", &optsire},
            {"optdamsire", &optdamsire},
            {"optdamdamsire", &optdamdamsire},
            {"txtnum", &txtnum},
            {"lblnum", &lblnum},
            {"Frame2", &Frame2},
            {"txthorse", &txthorse},
            {"txtid", &txtid},
            {"chkname", &chkname},
            {"chkid", &chkid},
            {"lblname", &lblname},
            {"lblid", &lblid},
            {"chk2yo", &chk2yo},
            {"cmdgethorse", &cmdgethorse},
            {"frainfo", &frainfo},
            {"framaxspeedstats", &framaxspeedstats},
            {"fraspeedstats", &fraspeedstats},
            {"txtinjury", &txtinjury},
            {"lblinjurytest", &lblinjurytest},
            {"lblfastest", &lblfastest},
            {"lblprogress", &lblprogress},
            {"filemenu", &filemenu},
            {"cmdimportdata", &cmdimportdata},
            {"cmdremoverace", &cmdremoverace},
            {"cmdbackup", &cmdbackup},
            {"cmdrestore", &cmdrestore},
            {"cmdprint", &cmdprint},
            {"cmdprintpreview", &cmdprintpreview},
            {"ExportText", &ExportText},
            {"cmdexit", &cmdexit},
            {"Utilitiesmenu", &Utilitiesmenu},
            {"helpmenu", &helpmenu},
            {"cmdguide", &cmdguide},
            {"cmdabout", &cmdabout},
            {"datecalculator", &datecalculator},
            {"cmdcompact", &cmdcompact},
            {"edittracks", &edittracks},
            {"speedchart", &speedchart},
            {"findhorses", &findhorses},
            {"watchlist", &watchlist},
            {"crosses", &crosses},
            {"classpars", &classpars},
            {"datecalc", &datecalc},
            {"bar1", &bar1},
            {"getlineage", &getlineage},
            {"listhorse", &listhorse},
            {"listrace", &listrace},
            {"listowner", &listowner},
            {"listfilter", &listfilter},
            {"comparehorses", &comparehorses},
            {"watchhorse", &watchhorse},
            {"watchstable", &watchstable},
            {"msfgridreset", &msfgridreset},
            {"msfgridback", &msfgridback}};
}

std::vector<std::pair<std::string_view, base::GridModel*>> MainFinder::grids() {
    return {{"MSFlexGrid1", &MSFlexGrid1}, {"MSFSRGrid", &MSFSRGrid}, {"MSFmaxgrid", &MSFmaxgrid},
            {"MSFWGrid", &MSFWGrid},       {"MSFSGrid", &MSFSGrid},   {"MSFColorGridKey", &MSFColorGridKey}};
}

}  // namespace shell
