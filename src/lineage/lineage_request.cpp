// SPDX-License-Identifier: MIT
#include "lineage/lineage_request.h"

#include "store/stored_name.h"

#include <cstdio>

namespace lineage {

namespace {

bool unreservedInQuery(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::string horsePageAddress(std::string_view server, std::string_view id) {
    while (!server.empty() && server.back() == '/') server.remove_suffix(1);
    std::string address = std::string(server) + std::string(kHorsePagePath);
    for (const char c : id) {
        if (unreservedInQuery(static_cast<unsigned char>(c))) {
            address += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            address += escaped;
        }
    }
    return address;
}

std::string connectionFailedMessage(const PageFetcher& Inet) {
    const std::string reason = Inet.failureReason();
    return kConnectionFailed + "\r" + (reason.empty() ? "The server's answer was empty." : reason);
}

std::string GetHTMLPage(PageFetcher& Inet, const std::string& URL) {
    return Inet.fetch(URL, kRequestTimeout).value_or(std::string());
}

bool sameHorse(std::string_view pageName, std::string_view gridName) {
    return pageName == gridName || store::storedHorseName(pageName) == gridName;
}

std::string lineageTitle(std::string_view name, std::string_view id) {
    return "Lineage of '" + std::string(name) + "'  (" + std::string(id) + ")";
}

}  // namespace lineage
