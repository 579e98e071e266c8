// SPDX-License-Identifier: MIT
// A horse page request: the page's address on the web server and what the lineage window shows of the answer.
#pragma once

#include "lineage/horse_page_parser.h"
#include "lineage/page_fetcher.h"

#include <chrono>
#include <string>
#include <string_view>

namespace lineage {

// How long a page may take to arrive before the request counts as failed.
inline constexpr std::chrono::seconds kRequestTimeout{60};
// The horse page's path and query on the simulation's web server; the identifier follows.
inline constexpr std::string_view kHorsePagePath = "/hr/runtime/onehoss.asp?hossnum=";

inline const std::string kConnectionFailed =
    "Connection with Simulated Sports was not successful.  Please check your internet connection and try again.";

// What the lineage window shows after a request: its title line and the page's texts.
struct LineageInfo {
    std::string title;  // `lbllineage`
    HorsePage page;
};

// The address of a horse's page: the server's base address (a trailing "/" dropped), the
// path and the identifier as the grid shows it, leading zeros and all. Only characters
// that cannot stand in a query (blanks, "#", "&", non-ASCII, ...) are percent-encoded.
std::string horsePageAddress(std::string_view server, std::string_view id);

// The message for a page that did not come: the fixed text, then on a line of its own
// why, as far as `Inet` can tell.
std::string connectionFailedMessage(const PageFetcher& Inet);

// Fetches one page, fresh every time; empty when nothing was received.
std::string GetHTMLPage(PageFetcher& Inet, const std::string& URL);

// The identity check: the page's name against the grid's. The race store keeps the first
// 25 characters of a name, so a longer page name matches its first 25 characters too.
bool sameHorse(std::string_view pageName, std::string_view gridName);

// "Lineage of 'NAME'  (ID)".
std::string lineageTitle(std::string_view name, std::string_view id);

}  // namespace lineage
