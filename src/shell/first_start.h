// SPDX-License-Identifier: MIT
// The installed program's first start: the offer of an empty race store in the user's data folder.
#pragma once

#include "base/user_dialogs.h"

#include <string>

namespace shell {

// The first start of an installed program, with no race store in the user's data folder
// yet: asks whether to create an empty one there, and on Yes creates the folder (and those
// above it that are missing, each the user's alone) and the store (as makedb does). False
// on No, or when it cannot be created (the user has been told why); the program then ends.
bool offerEmptyRaceStore(base::UserDialogs& dialogs, const std::string& folder, const std::string& storePath);

}  // namespace shell
