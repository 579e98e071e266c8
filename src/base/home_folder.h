// SPDX-License-Identifier: MIT
// The user's home folder, for the files the program keeps under it.
#pragma once

#include <string>

namespace base {

// `homeVariable` (the value of HOME) when it is an absolute path; otherwise, as when HOME
// is unset, the account's home from the password database, so that a relative HOME never
// puts the user's files below whatever folder the program was started in. Empty when
// neither is known.
std::string homeFolder(const char* homeVariable);
// The same for this process's HOME.
std::string homeFolder();

}  // namespace base
