// SPDX-License-Identifier: MIT
#include "import/folder_check_account.h"

#include "import/results_folder_setting.h"
#include "shell/read_only_note.h"
#include "shell/window_session.h"
#include "store/database.h"
#include "store/store_error.h"

namespace import {

bool FolderCheckAccount::tell(shell::WindowSession& session, const std::string& folder, const FolderCheck& result,
                              const std::string& problem, bool asked) {
    const std::string status = account(session, folder, result, problem, asked);
    if (!status.empty()) session.lblprogress.caption = shell::withReadOnlyNote(session, status);
    return problem.empty() && !result.imported.empty();
}

std::string FolderCheckAccount::account(shell::WindowSession& session, const std::string& folder,
                                        const FolderCheck& result, const std::string& problem, bool asked) {
    if (!problem.empty()) {
        if (problem == shownProblem_ && !asked) return "";
        shownProblem_ = problem;
        return unreadableFolderStatus(problem);
    }
    // The folder is back: a status text that still says it is gone says so no more.
    if (!shownProblem_.empty() &&
        session.lblprogress.caption == shell::withReadOnlyNote(session, unreadableFolderStatus(shownProblem_)))
        session.lblprogress.caption = shell::withReadOnlyNote(session, "");
    shownProblem_.clear();
    const std::string name = folderName(folder);
    std::string status = folderCheckStatus(result, name);
    if (status.empty() && asked) return nothingNewStatus(result, name);
    if (result.imported.empty()) return status;
    std::vector<int> weeks;
    for (const auto& file : result.imported) weeks.push_back(file.week);
    try {
        auto db = store::Database::open(session.raceStorePath(), store::Access::ReadOnly);
        const std::string summary = session.weeksImported(db, weeks);
        if (!summary.empty()) status += "\r" + summary;
    } catch (const store::StoreError&) {
        // The weeks are stored; only the watch list's line is missing.
    }
    return status;
}

}  // namespace import
