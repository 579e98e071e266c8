// SPDX-License-Identifier: MIT
// The program's version, which the build alone sets.
#pragma once

namespace base {

// The program's version, as the project names it in CMakeLists.txt: the window's caption, both
// programs' --version and the package all show this one.
const char* programVersion();

}  // namespace base
