// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace lineage {

// The HTTP client that fetches a horse page (the main window's `Inet`). The window's
// client keeps the window painting while it waits; the command line tool's blocks.
class PageFetcher {
public:
    virtual ~PageFetcher() = default;
    // GET `url`: the whole body of a successful answer, or nothing when the connection,
    // the server or the time-out failed the transfer.
    virtual std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) = 0;
};

}  // namespace lineage
