// SPDX-License-Identifier: MIT
// The command line tool's blocking HTTP client for horse pages, through libcurl.
#pragma once

#include "lineage/page_fetcher.h"

namespace lineage {

// A blocking HTTP GET through libcurl, for the command line tool, which has no event loop
// to keep alive while it waits. It serves "http://" and "https://" addresses without a
// user name, follows redirects as the window's client does, uses no proxy (nor does the
// window's), and ends the transfer at the time-out or once the body exceeds kLargestPage.
class HttpPageFetcher : public PageFetcher {
public:
    std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) override;
    std::string failureReason() const override { return failure_; }

private:
    std::string failure_;
};

}  // namespace lineage
