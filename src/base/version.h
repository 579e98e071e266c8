// SPDX-License-Identifier: MIT
#pragma once

namespace base {

// The program's version, as the build names it ("4.31"): the window's caption, both
// programs' --version and the package all show this one.
const char* programVersion();

}  // namespace base
