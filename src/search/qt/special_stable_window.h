// SPDX-License-Identifier: MIT
// The special stable search window on screen: four stable boxes and the saved sets of names.
#pragma once

#include "search/special_stable.h"

#include <QWidget>

namespace shell {
class MainWindowView;
}  // namespace shell

namespace search {

// The special stable search window `frmstable`: four stable boxes and the saved sets,
// forwarded to `SpecialStable`. It never blocks the main window; one is open at a time,
// and it is deleted once "Search!" or "Cancel" has closed it.
class SpecialStableWindow : public QWidget {
    Q_OBJECT
public:
    SpecialStableWindow(shell::MainFinder& finder, shell::MainWindowView& mainWindow);

    // "Multi.": the open window brought to the front, or a new one with the saved sets.
    static SpecialStableWindow* cmdspecial_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder);

private:
    void createControls();
    void createSavedSets();
    void showState();
    // Runs one of the window's events, then shows what it left here and in the main
    // window, and closes when the event closed the window.
    template <typename Event>
    void handle(Event event);

    SpecialStable search_;
    shell::MainWindowView& mainWindow_;
};

}  // namespace search
