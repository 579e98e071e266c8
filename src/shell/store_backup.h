// SPDX-License-Identifier: MIT
// "Back Up Race Store..." and "Restore Race Store...": the race store kept in files of its own.
#pragma once

#include "store/race_store_backup.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace shell {

class MainFinder;
class WindowSession;

// One backup of the window's race store: chosen on the window's thread, run on any thread
// (the window runs it on one of its own, so that searches and imports go on meanwhile),
// and told on the window's thread.
class BackupJob {
public:
    BackupJob(std::filesystem::path store, std::filesystem::path target, bool replace)
        : store_(std::move(store)), target_(std::filesystem::absolute(target)), replace_(replace) {}

    // Makes the backup; on any thread, once. `progressed` is called on that thread as the
    // copy goes on.
    void run(const std::function<void()>& progressed = {});
    // Asks a running backup to stop soon; nothing is then left behind.
    void stop() { stop_ = true; }
    // "Backing up the race store ... 45%", while it runs.
    std::string progressText() const;
    // Once run: the status text says where it went, how large it is and how many weeks it
    // holds, or the user is told why there is none. True when it was made.
    // `afterFailure` ends the message of a failure.
    bool tell(WindowSession& window, const std::string& afterFailure = {}) const;

    const std::filesystem::path& target() const { return target_; }
    // What the backup holds, once made.
    const std::optional<store::BackupContents>& made() const { return made_; }

private:
    std::filesystem::path store_;
    std::filesystem::path target_;
    bool replace_;
    std::atomic<int> percent_{0};
    std::atomic<bool> stop_{false};
    std::optional<store::BackupContents> made_;
    std::string failure_;
};

// "&Back Up Race Store...": the file to back up to, asked for with today's dated file in
// the store's "backups" folder offered; nothing when the user cancels.
std::unique_ptr<BackupJob> cmdbackup_Click(WindowSession& window);
// A backup to today's dated file, as a removal makes one first.
std::unique_ptr<BackupJob> datedBackup(WindowSession& window);
// Runs `job` on the window's thread, its progress in the status text, then tells it as
// BackupJob::tell does; true when made.
bool backUpNow(WindowSession& window, BackupJob& job, const std::string& afterFailure = {});

// The question a removal of weeks asks after its own.
inline constexpr const char* kBackUpFirstQuestion = "Back up the race store first?";

// "Rest&ore Race Store...": asks for a backup file, then restores from it as below. The
// listing of the store as it was no longer stands: the results and statistics grids
// are emptied after a restore.
bool cmdrestore_Click(MainFinder& window);
// Checks the backup at `file` (a file that cannot be restored is refused with a message
// that says why), shows what it holds and asks; after Yes, saves the store as it is and
// restores it from the backup. The window's followers are told; the status text says
// what was restored. What the restored store holds; nothing when it was not restored.
std::optional<store::BackupContents> restoreFrom(WindowSession& window, const std::filesystem::path& file);

}  // namespace shell
