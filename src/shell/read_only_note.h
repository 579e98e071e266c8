// SPDX-License-Identifier: MIT
// The status text's note that the race store is open read-only.
#pragma once

#include "shell/window_session.h"

#include <string>

namespace shell {

// The note, with the reason the store cannot be written; empty while it can be.
std::string readOnlyNote(const std::string& storePath);

// `status` as a check made without the user (the results folder's) shows it: followed by
// the read-only note while the store is read-only, so that no such check hides the note.
std::string withReadOnlyNote(const WindowSession& finder, const std::string& status);

}  // namespace shell
