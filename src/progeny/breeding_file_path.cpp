// SPDX-License-Identifier: MIT
#include "progeny/breeding_file_path.h"

#include <cstdlib>

namespace progeny {

std::string breedingFilePath() {
#ifdef _WIN32
    return "C:\\enr\\breeding.txt";
#else
    const char* home = std::getenv("HOME");
    std::string folder = home && *home ? home : ".";
    if (folder.back() != '/') folder += '/';
    return folder + "enr/breeding.txt";
#endif
}

}  // namespace progeny
