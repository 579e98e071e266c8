// SPDX-License-Identifier: MIT
#include "search/csv_text.h"

#include "base/atomic_file.h"
#include "base/user_dialogs.h"

namespace search {

namespace {

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string csvText(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += ',';
            text += csvField(row[i]);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace search

namespace search {

void exportCsv(base::UserDialogs& dialogs, const std::string& csv) {
    const auto path = dialogs.chooseFileToSave({"Export", "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"});
    if (!path) return;
    if (const auto problem = base::writeFileAtomically(*path, csv)) dialogs.message(*problem, base::kAppTitle);
}

}  // namespace search
