// SPDX-License-Identifier: MIT
// A file's size as the status texts give it.
#pragma once

#include <cstdint>
#include <string>

namespace base {

// "512 KB", "3.4 MB", "1.2 GB": one decimal from a megabyte on.
std::string sizeText(std::int64_t bytes);

}  // namespace base
