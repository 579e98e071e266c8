// SPDX-License-Identifier: MIT
#include "shell/remove_data.h"

#include "base/busy_pointer.h"
#include "base/one_line.h"
#include "shell/restore_search_indexes.h"
#include "shell/store_backup.h"
#include "store/database.h"
#include "store/race_weeks.h"
#include "store/removed_weeks.h"
#include "store/schema.h"
#include "store/store_error.h"
#include "store/transaction.h"

#include <charconv>

namespace shell {

namespace {

constexpr std::string_view kWeekPrefix = "Week ";

// The week of a list entry: the number after "Week ".
int entryWeek(const std::string& entry) {
    int week = 0;
    const std::string_view number = std::string_view(entry).substr(kWeekPrefix.size());
    std::from_chars(number.data(), number.data() + number.size(), week);
    return week;
}

std::vector<store::WeekFile> filesOfWeek(const std::vector<store::WeekFile>& files, int week) {
    std::vector<store::WeekFile> ofWeek;
    for (const auto& file : files)
        if (file.week == week) ofWeek.push_back(file);
    return ofWeek;
}

// "10361", "10361 and 10362", "10360, 10361 and 10362".
std::string joinedWeeks(const std::vector<int>& weeks) {
    std::string text;
    for (std::size_t k = 0; k < weeks.size(); ++k) {
        if (k > 0) text += k + 1 == weeks.size() ? " and " : ", ";
        text += std::to_string(weeks[k]);
    }
    return text;
}

}  // namespace

std::string weekEntry(int week) { return std::string(kWeekPrefix) + std::to_string(week); }

std::unique_ptr<RemoveData> cmdremoverace_Click(MainFinder& window) {
    base::BusyPointer busy(window.dialogs());
    std::vector<int> weeks;
    try {
        // Only read: the list needs no write, so it works on a full disk too.
        if (const auto problem = store::raceStoreProblem(window.raceStorePath())) throw store::StoreError(*problem);
        auto db = store::Database::open(window.raceStorePath(), store::Access::ReadOnly);
        // A store made elsewhere, or left by a killed import, may lack the race-number index
        // the listing relies on; it lists without it where the indexes cannot be built now.
        restoreSearchIndexes(window, db);
        weeks = store::raceWeeks(db);
    } catch (const store::StoreError& error) {
        window.dialogs().message(error.what(), base::kAppTitle);
        return nullptr;
    }
    if (weeks.empty()) {
        window.dialogs().message("No races in the database.  Action cancelled.", base::kAppTitle);
        return nullptr;
    }
    auto dialog = std::make_unique<RemoveData>(window);
    for (const int week : weeks) dialog->lstweeks.addItem(weekEntry(week));
    if (const ResultsFolderFiles* folder = window.resultsFolder()) dialog->folderFiles_ = folder->files();
    return dialog;
}

bool RemoveData::cmdremove_Click() {
    bool removed = false;
    std::string backedUp;  // the backup's status text, which stays after the removal
    if (window_.dialogs().askYesNo("Are you sure you wish to remove the selected week(s)?", base::kAppTitle)) {
        const bool backUpFirst =
            lstweeks.listIndex() && window_.dialogs().askYesNo(kBackUpFirstQuestion, base::kAppTitle);
        visible = false;
        if (!backUpFirst || backUpNow(window_, *datedBackup(window_), "\rNo week was removed.")) {
            if (backUpFirst) backedUp = window_.lblprogress.caption;
            window_.lblprogress.caption = "Please wait.\r\rRemoving Data.";
            window_.dialogs().repaintNow();
            removed = removeSelectedWeeks();
        }
    }
    close();
    window_.lblprogress.caption = backedUp;
    return removed;
}

bool RemoveData::removeSelectedWeeks() {
    if (!lstweeks.listIndex()) return true;
    base::BusyPointer busy(window_.dialogs());
    try {
        window_.releaseReaders();  // so that the removal's close removes the store's log
        auto db = store::openRaceStoreForWriting(window_.raceStorePath());
        store::Transaction transaction(db);
        for (std::size_t i = 0; i < lstweeks.listCount(); ++i)
            if (lstweeks.selected(i)) {
                const int week = entryWeek(lstweeks.list(i));
                store::deleteWeek(db, week);
                // The folder's checks leave the week out while its files there stay as they are.
                store::markWeekRemoved(db, week, filesOfWeek(folderFiles_, week));
            }
        transaction.commit();
        window_.storeChanged(db);  // the watch list's last runs may be gone with the weeks
        return true;
    } catch (const store::StoreError& error) {
        window_.dialogs().message(std::string(error.what()) + "\rNo week was removed.", base::kAppTitle);
        return false;
    }
}

void RemoveData::lstweeks_Click() {
    std::vector<int> weeks;
    std::vector<store::WeekFile> files;
    for (std::size_t i = 0; i < lstweeks.listCount(); ++i) {
        if (!lstweeks.selected(i)) continue;
        const auto ofWeek = filesOfWeek(folderFiles_, entryWeek(lstweeks.list(i)));
        if (ofWeek.empty()) continue;
        weeks.push_back(ofWeek.front().week);
        files.insert(files.end(), ofWeek.begin(), ofWeek.end());
    }
    if (weeks.empty()) lblfolder.caption.clear();
    else if (files.size() == 1)
        lblfolder.caption = "The file of week " + joinedWeeks(weeks) + ", " + base::oneLine(files.front().file) +
                            ", is in the results folder: removed, the week stays out until that file changes.";
    else if (weeks.size() == 1)
        lblfolder.caption = "Files of week " + joinedWeeks(weeks) +
                            " are in the results folder: removed, the week stays out until its files change.";
    else
        lblfolder.caption = "Files of weeks " + joinedWeeks(weeks) +
                            " are in the results folder: removed, those weeks stay out until their files change.";
}

void RemoveData::cmdcancel_Click() { close(); }

void RemoveData::close() {
    visible = false;
    closed_ = true;
    window_.lblprogress.caption.clear();
}

std::vector<std::pair<std::string_view, base::Control*>> RemoveData::controls() {
    return {{"cmdremove", &cmdremove}, {"cmdcancel", &cmdcancel}, {"lblfolder", &lblfolder}};
}

}  // namespace shell
