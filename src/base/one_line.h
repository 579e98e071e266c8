// SPDX-License-Identifier: MIT
// A file name or path as it is shown on a line of output or of the status text.
#pragma once

#include <string>
#include <string_view>

namespace base {

// `name` with every control character written as an escape (line feed "\n", carriage
// return "\r", tab "\t", any other "\xHH"), so that a name holding one never breaks the
// line it is shown on or passes for a line of its own. Other bytes are kept as they are.
std::string oneLine(std::string_view name);

}  // namespace base
