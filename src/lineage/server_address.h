// SPDX-License-Identifier: MIT
// The address of the simulation's web server, from HarrowdexServer.txt beside the program or the built-in one.
#pragma once

#include <string>

namespace lineage {

// The optional file in the program's folder that names the simulation's web server.
inline constexpr const char* kServerFile = "HarrowdexServer.txt";

// The base address (scheme, host and port) of the simulation's web server: the first line
// of `kServerFile` in `programFolder` (with its trailing separator), blanks around it
// dropped; the address set when the program was built when the file is missing or its
// first line is empty.
std::string serverAddress(const std::string& programFolder);

// The address set when the program was built.
std::string defaultServerAddress();

}  // namespace lineage
