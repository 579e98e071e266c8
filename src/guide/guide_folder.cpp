// SPDX-License-Identifier: MIT
#include "guide/guide_folder.h"

#include "base/program_folder.h"

#include <filesystem>

namespace guide {

std::vector<std::string> guideFolderCandidates(const std::string& programFolder) {
    const std::string program = base::withTrailingSeparator(programFolder);
    const auto installed = std::filesystem::path(program).parent_path().parent_path() / "share" / "harrowdex" / "guide";
    return {program + "guide/", base::withTrailingSeparator(installed.lexically_normal().string()),
            kInstalledGuideFolder};
}

std::optional<std::string> findGuideFolder(const std::string& programFolder) {
    for (const auto& folder : guideFolderCandidates(programFolder))
        if (std::error_code error; std::filesystem::is_regular_file(folder + kContentsPage, error)) return folder;
    return std::nullopt;
}

std::string missingGuideMessage(const std::string& programFolder) {
    std::string places;
    for (const auto& folder : guideFolderCandidates(programFolder)) places += "\n" + folder;
    return "The player's guide cannot be found. It was looked for in:" + places +
           "\n\nReinstall the package, or keep the guide/ folder beside the program.";
}

}  // namespace guide
