// SPDX-License-Identifier: MIT
#include "base/program_folder.h"

namespace base {

std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

}  // namespace base
