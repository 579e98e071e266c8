// SPDX-License-Identifier: MIT
// Rows written as CSV that a spreadsheet opens safely, and the "Export..." command that saves them.
#pragma once

#include <string>
#include <vector>

namespace base {

class GridModel;
class UserDialogs;

// Rows as CSV: a field holding a comma, a double quote or a line break is quoted (its
// quotes doubled), lines end in CR LF. Texts are written as they are (UTF-8), except that
// a text a spreadsheet would run as a formula (one beginning with =, +, -, @, a tab or a
// carriage return that is not a figure such as -50.0, +33.3% or $1,200) gets a leading '.
std::string csvText(const std::vector<std::vector<std::string>>& rows);

// Every cell of a grid, captions first, as CSV.
std::string gridCsv(const GridModel& grid);

// "Export...": asks for a file name and writes `csv` there, whole or not at all. A
// cancelled dialog writes nothing; a failed write is reported.
void exportCsv(UserDialogs& dialogs, const std::string& csv);

}  // namespace base
