// SPDX-License-Identifier: MIT
// The main window as every command reaches it beside its controls: the user, the clock, the race store.
#pragma once

#include "base/calendar.h"
#include "base/control.h"
#include "base/user_dialogs.h"
#include "shell/results_folder_files.h"
#include "shell/store_follower.h"
#include "store/kept_connections.h"

#include <string>
#include <utility>
#include <vector>

namespace store {
class Database;
}  // namespace store

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

// What every command of the main window works with beside the controls it fills: the
// user's dialogs, the clock, the program's folder, the race store's path and the
// connections the searches keep, the breeding file, the state that follows the store,
// and the status line `lblprogress` that tells what a command did. A command that needs no
// more of the window (an import, a change of the watch list) takes only this.
class WindowSession {
public:
    explicit WindowSession(base::UserDialogs& dialogs) : dialogs_(dialogs) {}

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

    // The status line.
    base::Control lblprogress{""};

protected:
    // Start-up's folders: the program's, the breeding file's and the store's.
    void useFolders(const StartupEnvironment& environment);
    // The store stands in the program's folder (not one named apart from it).
    bool storeInProgramFolder() const { return raceStorePath_.empty(); }

private:
    base::UserDialogs& dialogs_;
    base::SystemClock systemClock_;
    const base::Clock* clock_ = &systemClock_;
    std::string programFolder_;
    bool perUserFolder_ = false;
    std::string raceStorePath_;
    std::string breedingFile_;
    std::vector<StoreFollower*> followers_;
    const ResultsFolderFiles* resultsFolder_ = nullptr;
    store::KeptConnections readers_;
};

}  // namespace shell
