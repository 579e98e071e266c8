// SPDX-License-Identifier: MIT
// Which page of the guide F1 opens in each window of the program.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace guide {

// Each small window's object name and its page in the guide.
const std::vector<std::pair<std::string_view, std::string_view>>& windowPages();

// The page for the window named `objectName`: its own, or the contents for the main
// window and any other.
std::string_view pageForWindow(std::string_view objectName);

}  // namespace guide
