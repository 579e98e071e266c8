// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace progeny {

// The fixed place of the breeding file: "C:\enr\breeding.txt" on Windows, elsewhere
// enr/breeding.txt in the user's home folder.
std::string breedingFilePath();

}  // namespace progeny
