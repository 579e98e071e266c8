// SPDX-License-Identifier: MIT
#include "import/results_folder_setting.h"

#include "shell/base/atomic_file.h"
#include "shell/base/regular_file.h"

namespace import {

namespace {

// "10365", "10365 and 10366", "10364, 10365 and 10366".
std::string weekList(const std::vector<FolderFile>& files) {
    std::string list;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (k > 0) list += k + 1 == files.size() ? " and " : ", ";
        list += std::to_string(files[k].week);
    }
    return list;
}

void addLine(std::string& text, const std::string& line) {
    if (!text.empty()) text += '\r';
    text += line;
}

}  // namespace

std::string rememberedResultsFolder(const std::string& programFolder) {
    shell::FileContents file = shell::readRegularFile(programFolder + kResultsFolderFile, shell::kSideFileLimit);
    if (file.problem != shell::FileProblem::None) return "";
    std::string folder = file.bytes.substr(0, file.bytes.find_first_of("\r\n"));
    return folder;
}

std::optional<std::string> rememberResultsFolder(const std::string& programFolder, const std::string& folder) {
    return shell::writeFileAtomically(programFolder + kResultsFolderFile, folder.empty() ? "" : folder + "\n");
}

std::string folderCheckStatus(const FolderCheck& check, const std::string& folderName) {
    std::string text;
    if (!check.imported.empty()) {
        addLine(text, std::string(check.imported.size() == 1 ? "Imported week " : "Imported weeks ") +
                          weekList(check.imported) + " from " + folderName + ".");
    }
    for (const auto& failed : check.failed)
        addLine(text, "Import of " + failed.file + " was NOT completed.\r" + failed.reason);
    if (!check.storeProblem.empty()) addLine(text, check.storeProblem);
    return text;
}

}  // namespace import
