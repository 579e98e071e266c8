// SPDX-License-Identifier: MIT
// Where the tests find their sample results files, breeding files and horse pages.
#pragma once

#include <string>

namespace testing_support {

// tests/data/samples of the source tree, as the build names it.
inline const std::string kSamplesDir = HARROWDEX_SAMPLES_DIR;

}  // namespace testing_support
