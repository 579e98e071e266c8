// SPDX-License-Identifier: MIT
#pragma once

#include "shell/main_finder.h"

#include <string>

namespace shell {

// "Help / About": the version, and the race store and folder of files in use.
std::string aboutText(const MainFinder& finder);
void cmdabout_Click(MainFinder& finder);

}  // namespace shell
