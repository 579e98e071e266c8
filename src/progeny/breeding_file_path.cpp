// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_path.h"

#include "base/home_folder.h"
#include "base/program_folder.h"

namespace progeny {

std::string breedingFilePath() {
#ifdef _WIN32
    return "C:\\enr\\breeding.txt";
#else
    const std::string home = base::homeFolder();
    return (home.empty() ? std::string("./") : base::withTrailingSeparator(home)) + "enr/breeding.txt";
#endif
}

}  // namespace progeny
