// SPDX-License-Identifier: MIT
#include "shell/base/program_folder.h"

namespace shell {

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

}  // namespace shell
