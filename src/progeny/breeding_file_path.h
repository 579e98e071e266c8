// SPDX-License-Identifier: MIT
// Where the program looks for the breeding file on each platform.
#pragma once

#include <string>

namespace progeny {

// The fixed place of the breeding file: "C:\enr\breeding.txt" on Windows, elsewhere
// enr/breeding.txt in the user's home folder.
std::string breedingFilePath();

}  // namespace progeny
