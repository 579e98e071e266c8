// SPDX-License-Identifier: MIT
// Keeps the main window's results folder in step, importing new results files on a thread of its own.
#pragma once

#include "import/folder_check_account.h"
#include "import/folder_week_files.h"
#include "import/results_folder.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <mutex>
#include <string>
#include <vector>

class QAction;
class QThread;

namespace shell {
class WindowSession;
class MainWindowView;
}  // namespace shell

namespace import {

// The results folder kept in step in the main window: "Results Folder..." chooses it
// (remembered beside the program), "Import New Results Now" checks it at once,
// and a watch on the folder, with a periodic check for what the watch misses, checks it at
// start-up and whenever files appear or change. A check runs on a thread of its own with
// a connection of its own, so the window stays usable and a search meanwhile lists the
// weeks committed so far; no dialog opens. The status text then tells what was done.
class ResultsFolderWatch : public QObject {
    Q_OBJECT
public:
    ResultsFolderWatch(shell::MainWindowView& window, shell::WindowSession& finder);
    ~ResultsFolderWatch() override;

    // The folder kept in step; empty when none is chosen.
    const std::string& folder() const { return folder_; }
    // Keeps `folder` in step from now on, remembers it beside the program and checks it.
    void useFolder(const std::string& folder);
    // Checks the folder once: now, or as soon as the running check has ended.
    void checkNow();
    // "Results &Folder..." and "Import &New Results Now", for the program's assembly to
    // place in the File menu.
    const std::vector<QAction*>& menuItems() const { return menuItems_; }

signals:
    // A check has ended and the window shows what it did.
    void checked();
    // A check imported weeks, which an open week list should show.
    void weeksImported();

private:
    void makeMenuItems();
    // "Import New Results Now": a check whose account is given even when nothing is new.
    void checkAsked();
    void chooseFolder();
    void watchFolder();
    void startCheck();
    void checkEnded();
    void showCheck();
    // The status text of a check that fills the store, as far as it has come.
    void showFill();

    shell::MainWindowView& window_;
    shell::WindowSession& finder_;
    std::string folder_;
    FolderWeekFiles weekFiles_;  // the folder as the window's removal of weeks reads it
    std::string checkedFolder_;  // the folder of the last check started
    QFileSystemWatcher watcher_;
    QTimer periodic_;  // for changes that the watch misses, and a folder that comes back
    QTimer soon_;      // gathers a burst of changes; waits for a file being written to settle
    QTimer fillShown_;  // shows a filling check's progress while it runs
    std::vector<QAction*> menuItems_;
    QAction* checkAction_ = nullptr;
    QThread* thread_ = nullptr;
    bool checkAgain_ = false;
    bool showPending_ = false;  // a check has ended, its account waits for a dialog to close
    bool askPending_ = false;   // the player asked for a check that has not started yet
    bool checkAsked_ = false;   // the running (or last) check was asked for by the player
    // Touched by the running check only, and between checks by the window's thread.
    FolderMemory memory_;
    FolderCheck result_;
    std::string folderProblem_;
    FolderCheckAccount account_;
    // A filling check's progress: written by its thread, shown by the window's.
    std::mutex fillMutex_;
    std::string fillText_;
    std::string fillShownText_;  // the window's thread only
};

}  // namespace import
