// SPDX-License-Identifier: MIT
#include "lineage/page_fetcher.h"

#include <cstdio>

namespace lineage {

std::string pageTooLargeReason() {
    return "The server's answer is larger than " + std::to_string(kLargestPage / (1024 * 1024)) +
           " MB; no horse page is that large.";
}

std::string timedOutReason(std::chrono::milliseconds timeout) {
    const auto seconds = std::chrono::duration_cast<std::chrono::duration<double>>(timeout).count();
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return "The server did not answer in full within " + std::string(text) + " seconds.";
}

std::string httpStatusReason(long status) {
    return "The server answered with status " + std::to_string(status) + " instead of the page.";
}

}  // namespace lineage
