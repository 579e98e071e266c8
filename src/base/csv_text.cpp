// SPDX-License-Identifier: MIT
#include "base/csv_text.h"

#include "base/atomic_file.h"
#include "base/grid_model.h"
#include "base/user_dialogs.h"

#include <string_view>

namespace base {

namespace {

// A figure as the tables show it: a sign, a dollar sign, digits with thousands commas and
// a decimal point, a percent sign (-50.0, +33.3%, $1,200).
bool isFigure(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '$') text.remove_prefix(1);
    if (!text.empty() && text.back() == '%') text.remove_suffix(1);
    bool digit = false;
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') digit = true;
        else if (c == '.' && !point) point = true;
        else if (c != ',' || point) return false;
    }
    return digit;
}

// A spreadsheet takes a cell beginning like this for a formula and runs it; a name or
// note that a results file or a user gave so is kept as text by a leading apostrophe.
std::string withoutFormula(const std::string& text) {
    if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos || isFigure(text))
        return text;
    return "'" + text;
}

std::string csvField(const std::string& cell) {
    const std::string text = withoutFormula(cell);
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

void exportCsv(UserDialogs& dialogs, const std::string& csv) {
    const auto path = dialogs.chooseFileToSave({"Export", "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*"});
    if (!path) return;
    if (const auto problem = writeFileAtomically(*path, csv)) dialogs.message(*problem, kAppTitle);
}

std::string gridCsv(const GridModel& grid) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.cols(); ++c) rows.back().push_back(grid.text(r, c));
    }
    return csvText(rows);
}

}  // namespace base
