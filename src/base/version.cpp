// SPDX-License-Identifier: MIT
#include "base/version.h"

namespace base {

// Only this file sees the version, so that a new one rebuilds little.
const char* programVersion() { return HARROWDEX_VERSION; }

}  // namespace base
