// SPDX-License-Identifier: MIT
// The HTTP client that fetches a horse page, as the lookup sees it, and the most a page may hold.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace lineage {

// The most a page may hold: far beyond any horse page, yet a server that never ends its
// answer cannot fill the memory.
inline constexpr std::size_t kLargestPage = 16 * 1024 * 1024;

// The HTTP client that fetches a horse page (the main window's `Inet`). The window's
// client keeps the window painting while it waits; the command line tool's blocks.
class PageFetcher {
public:
    virtual ~PageFetcher() = default;
    // GET `url`: the whole body of a successful answer, or nothing when the connection,
    // the server or the time-out failed the transfer, or the body exceeded kLargestPage.
    virtual std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) = 0;
    // Why the last fetch gave nothing, one sentence for the user; empty when it gave a
    // page or the client cannot tell.
    virtual std::string failureReason() const { return {}; }
};

// The reasons both clients give in the same words.
std::string pageTooLargeReason();
std::string timedOutReason(std::chrono::milliseconds timeout);
std::string httpStatusReason(long status);

}  // namespace lineage
