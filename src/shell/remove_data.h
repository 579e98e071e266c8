// SPDX-License-Identifier: MIT
// The removal dialog's state: the stored weeks, and removing the selected ones all together or not at all.
#pragma once

#include "base/control.h"
#include "base/list_box.h"
#include "shell/main_finder.h"
#include "store/removed_weeks.h"

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// The removal dialog `frmremovedata` as state: the weeks of the race store, newest
// first, of which the user selects those to remove. The window shows it and forwards
// the two buttons; it is closed (and forgotten) after either of them.
class RemoveData {
public:
    static constexpr const char* kCaption = "Remove Which Week of Data?";
    static constexpr int kClientWidth = 3495;   // twips
    static constexpr int kClientHeight = 3825;  // twips

    explicit RemoveData(MainFinder& window) : window_(window) {}

    // "Remove Data": after the user's Yes, deletes the runners and races of every
    // selected week, all together or (on a failure, which is reported) none of them.
    // True when the selected weeks were removed.
    bool cmdremove_Click();
    // The selection changed: `lblfolder` tells which selected weeks have their file in
    // the results folder (that file is then not imported again unless it changes).
    void lstweeks_Click();
    // "Cancel": closes the dialog; nothing is removed.
    void cmdcancel_Click();
    // Whether a button has closed the dialog.
    bool closed() const { return closed_; }

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::ListBox lstweeks{true};
    base::Control cmdremove{"Remove Data"};
    base::Control cmdcancel{"Cancel"};
    base::Control lblfolder{""};
    bool visible = true;

private:
    friend std::unique_ptr<RemoveData> cmdremoverace_Click(MainFinder& window);
    bool removeSelectedWeeks();
    void close();

    MainFinder& window_;
    bool closed_ = false;
    std::vector<store::WeekFile> folderFiles_;  // the results folder's files when the dialog opened
};

// "R&emove Race Data": the removal dialog over the store's weeks, or nothing when the
// store holds no races or cannot be read (the user has been told).
std::unique_ptr<RemoveData> cmdremoverace_Click(MainFinder& window);

// The entry of week `week` in the dialog's list.
std::string weekEntry(int week);

}  // namespace shell
