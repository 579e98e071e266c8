// SPDX-License-Identifier: MIT
// One change of the watch list as one transaction of the window's race store, refused with a message or done.
#pragma once

#include "store/watch_tables.h"

#include <functional>
#include <optional>
#include <string>

namespace shell {
class WindowSession;
}  // namespace shell

namespace store {
class Database;
}  // namespace store

namespace watch {

// Runs `change` in one transaction of the window's store, making the list's tables on first
// use, and tells the window's followers (the marks) after it. The change answers the message
// that refuses it, or nothing when it is done. False when it was refused or failed, the
// user told why and the list unchanged.
bool changeWatchList(shell::WindowSession& window,
                     const std::function<std::optional<std::string>(store::Database&)>& change);

// When one watched now was added: today's day from the window's clock, the store's newest week.
store::WatchAdded addedNow(const shell::WindowSession& window, store::Database& db);

}  // namespace watch
