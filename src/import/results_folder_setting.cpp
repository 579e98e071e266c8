// SPDX-License-Identifier: MIT
#include "import/results_folder_setting.h"

#include "import/import_driver.h"
#include "base/atomic_file.h"
#include "base/one_line.h"
#include "base/regular_file.h"

#include <filesystem>

namespace import {

namespace {

// "10365", "10365 and 10366", "10360, 10362 and 10366"; three or more weeks in a row as
// one range, "10300 to 10366", so a first check of a full folder still reads in one line.
std::string weekList(const std::vector<FolderFile>& files) {
    std::vector<int> weeks;  // the files come oldest week first; a week may have two
    for (const auto& file : files)
        if (weeks.empty() || weeks.back() != file.week) weeks.push_back(file.week);
    std::vector<std::string> parts;
    for (std::size_t k = 0; k < weeks.size();) {
        std::size_t end = k + 1;
        while (end < weeks.size() && weeks[end] == weeks[end - 1] + 1) ++end;
        if (end - k >= 3) {
            parts.push_back(std::to_string(weeks[k]) + " to " + std::to_string(weeks[end - 1]));
        } else {
            for (std::size_t j = k; j < end; ++j) parts.push_back(std::to_string(weeks[j]));
        }
        k = end;
    }
    std::string list;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) list += k + 1 == parts.size() ? " and " : ", ";
        list += parts[k];
    }
    return list;
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void addLine(std::string& text, const std::string& line) {
    if (!text.empty()) text += '\r';
    text += line;
}

}  // namespace

std::string rememberedResultsFolder(const std::string& programFolder) {
    base::FileContents file = base::readRegularFile(programFolder + kResultsFolderFile, base::kSideFileLimit);
    if (file.problem != base::FileProblem::None) return "";
    std::string folder = file.bytes.substr(0, file.bytes.find_first_of("\r\n"));
    return folder;
}

std::optional<std::string> rememberResultsFolder(const std::string& programFolder, const std::string& folder) {
    return base::writeFileAtomically(programFolder + kResultsFolderFile, folder.empty() ? "" : folder + "\n");
}

std::string folderName(const std::string& folder) {
    const std::string name = std::filesystem::path(folder).filename().string();
    return name.empty() ? folder : name;
}

std::string folderCheckStatus(const FolderCheck& check, const std::string& folderName) {
    std::string text;
    if (!check.imported.empty()) {
        const std::string weeks = weekList(check.imported);
        const bool one = weeks.find_first_not_of("0123456789") == std::string::npos;
        addLine(text,
                (one ? "Imported week " : "Imported weeks ") + weeks + " from " + base::oneLine(folderName) + ".");
    }
    for (const auto& file : check.imported)
        if (file.racesLeftOut > 0) addLine(text, racesLeftOutLine(file.file, file.racesLeftOut));
    for (const auto& failed : check.failed)
        addLine(text, "Import of " + base::oneLine(failed.file) + " was NOT completed.\r" + failed.reason);
    for (const auto& file : check.unreadable)
        addLine(text,
                "Could not read " + base::oneLine(file.file) + "; it is read again at every check.\r" + file.reason);
    if (!check.storeProblem.empty()) addLine(text, check.storeProblem);
    return text;
}

std::string nothingNewStatus(const FolderCheck& check, const std::string& folderName) {
    std::vector<FolderFile> removed;
    std::size_t stored = 0;
    for (const auto& file : check.skipped) {
        if (file.reason == kRemovedByPlayer) removed.push_back(file);
        else ++stored;
    }
    std::vector<std::string> parts;
    if (stored > 0) parts.push_back(counted(stored, "results file stored already", "results files stored already"));
    if (!removed.empty()) {
        const std::string weeks = weekList(removed);
        const bool one = weeks.find_first_not_of("0123456789") == std::string::npos;
        parts.push_back((one ? "week " : "weeks ") + weeks + " removed by you");
    }
    if (!check.waiting.empty())
        parts.push_back(counted(check.waiting.size(), "file still being written", "files still being written"));
    std::string text = "Nothing new in " + base::oneLine(folderName);
    // Files known to fail, or to be no results files, wait silently for a change.
    if (parts.empty()) return text + ".";
    text += ": ";
    for (std::size_t k = 0; k < parts.size(); ++k) text += (k == 0 ? "" : "; ") + parts[k];
    return text + ".";
}

std::string fillingStatus(const FillProgress& progress, const std::string& folderName) {
    return "Filling the race store from " + folderName + ": week " + std::to_string(progress.week) + ", file " +
           std::to_string(progress.import.step + 1) + " of " + std::to_string(progress.import.steps) + "...";
}

std::string unreadableFolderStatus(const std::string& problem) {
    return problem +
           "\rIt is looked for every 15 seconds and kept in step again once it is back; \"File / Results "
           "Folder...\" chooses another.";
}

}  // namespace import
