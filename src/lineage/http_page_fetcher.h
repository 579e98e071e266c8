// SPDX-License-Identifier: MIT
#pragma once

#include "lineage/page_fetcher.h"

namespace lineage {

// A blocking HTTP/1.1 GET over plain TCP, for the command line tool, which has no event
// loop to keep alive while it waits. Only "http://host[:port]/..." addresses are served
// (no TLS, no proxy, no redirects); the time-out bounds the whole transfer, connection
// included, though not the host name's lookup.
class HttpPageFetcher : public PageFetcher {
public:
    std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) override;
};

}  // namespace lineage
