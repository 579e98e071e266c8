// SPDX-License-Identifier: MIT
// "Help / About": the version, and the race store and folder of files the window uses.
#pragma once

#include "shell/main_finder.h"

#include <string>

namespace shell {

// The About box's text; cmdabout_Click shows it.
std::string aboutText(const MainFinder& finder);
void cmdabout_Click(MainFinder& finder);

}  // namespace shell
