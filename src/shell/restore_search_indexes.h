// SPDX-License-Identifier: MIT
// Rebuilds the search indexes that an interrupted import left dropped, before the next search.
#pragma once

#include "shell/window_session.h"

namespace store {
class Database;
}

namespace shell {

// The status text while the search indexes are built again.
inline constexpr const char* kRestoringIndexes = "Restoring the search indexes ...\r\rThis may take a minute.";

// Builds again the search indexes of the window's race store that an import killed in
// the middle of a bulk load left dropped, with the busy pointer and a status text;
// `reader` is an open connection to the store to look with. Searches are right without
// the indexes, only slower, so a store that cannot be written now (read-only, or busy
// beyond the time-out) is searched as it is and tried again at the next search.
void restoreSearchIndexes(WindowSession& window, store::Database& reader);
// The same, opening the store to look.
void restoreSearchIndexes(WindowSession& window);

}  // namespace shell
