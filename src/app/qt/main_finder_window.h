// SPDX-License-Identifier: MIT
// The main window on screen: its controls, menus and grids, kept in step with the core's state.
#pragma once

#include "progeny/breeding_names.h"
#include "search/search_listing.h"
#include "shell/main_finder.h"
#include "shell/qt/backup_runner.h"
#include "shell/qt/main_window_view.h"
#include "watch/watch_state.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <string>

class QMenu;
class QAction;

namespace base {
class GridView;
}  // namespace base

namespace import {
class ResultsFolderWatch;
}  // namespace import

namespace app {

// The main window `frmmainfinder`: builds its controls with the program's names, shows
// the state that `MainFinder` keeps and forwards the user's events to its commands.
class MainFinderWindow : public QMainWindow, public shell::MainWindowView {
    Q_OBJECT
public:
    explicit MainFinderWindow(shell::MainFinder& finder, QWidget* parent = nullptr);
    ~MainFinderWindow() override;

    // The watch list's marks and who ran in the last import, which the listings show.
    const watch::WatchState& watching() const { return watching_; }

    // Brings every control, menu item and grid up to date with the core's state.
    void showState() override;
    QWidget& widget() override { return *this; }
    shell::MainListing& listing() override { return listing_; }
    // The same, painted at once: a long command's status text shows while it works.
    void repaintState();

    base::GridView* grid(const std::string& name) const;
    QMenu* popupMenu() const { return popmenu_; }

private:
    void createControls();
    void createGrids();
    void createMenus();
    // Keeps the results folder in step; its menu items go into the File menu.
    void watchResultsFolder();
    // Names every control for a screen reader, once the labels and frames show their captions.
    void nameControls();
    void connectControls();
    void connectCommands();
    void connectSearchPanel();
    // The names the name box offers as a name is typed.
    void offerNames();
    // Filters the keys typed into the box `name` through a core key filter.
    void filterKeys(const char* name, std::function<int(shell::MainFinder&, int)> filter);
    // Runs `command` when the menu item `name` is chosen.
    void onCommand(const char* name, std::function<void()> command);
    void placeInformationArea();
    void placeResultsGrid();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void openContextMenu(const QPoint& globalPos);
    // The guide at the page of the window that has the focus, or at its contents.
    void openGuide();
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Once the window is on the screen, so that the user sees the status text while
    // search indexes that an interrupted import left dropped are built again.
    void restoreSearchIndexesOnceShown();
    // Runs a core command, then shows the state it left.
    template <typename Command>
    void run(Command command);

    shell::MainFinder& finder_;
    search::SearchListing listing_{finder_};
    watch::WatchState watching_;
    QWidget* client_ = nullptr;
    QMenu* popmenu_ = nullptr;
    import::ResultsFolderWatch* resultsFolder_ = nullptr;
    shell::BackupRunner* backups_ = nullptr;
    std::map<std::string, base::GridView*> grids_;
    int shownWatchRevision_ = 0;  // of the watch list's marks the listings show
    progeny::BreedingNamesOfFile breedingNames_;  // read once for the offers of "S", "DS" and "DDS"
};

}  // namespace app
