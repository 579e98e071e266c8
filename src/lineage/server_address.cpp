// SPDX-License-Identifier: MIT
#include "lineage/server_address.h"

#include "base/regular_file.h"

#ifndef HARROWDEX_DEFAULT_SERVER
#define HARROWDEX_DEFAULT_SERVER "http://localhost"
#endif

namespace lineage {

std::string defaultServerAddress() { return HARROWDEX_DEFAULT_SERVER; }

std::string serverAddress(const std::string& programFolder) {
    // Anything but a small regular file is not one a user wrote: the default stands.
    const auto file = base::readRegularFile(programFolder + kServerFile, base::kSideFileLimit);
    std::string line = file.bytes.substr(0, file.bytes.find('\n'));
    // A file saved by a Windows editor ends its line in a carriage return, perhaps after
    // a byte order mark.
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return defaultServerAddress();
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace lineage
