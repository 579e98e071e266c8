// SPDX-License-Identifier: MIT
#include "shell/read_only_note.h"

#include "store/database.h"

namespace shell {

std::string readOnlyNote(const std::string& storePath) {
    const auto reason = store::readOnlyReason(storePath);
    if (!reason) return "";
    return "The race store is open read-only: " + *reason + ".\rSearches work; imports and other changes do not.";
}

std::string withReadOnlyNote(const WindowSession& finder, const std::string& status) {
    const std::string note = readOnlyNote(finder.raceStorePath());
    if (note.empty() || status.empty()) return status + note;
    return status + "\r" + note;
}

}  // namespace shell
