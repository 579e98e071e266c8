// SPDX-License-Identifier: MIT
#include "store/stored_name.h"

#include "base/utf8_text.h"

namespace store {

std::string_view storedHorseName(std::string_view name) { return base::firstCharacters(name, kStoredNameCharacters); }

}  // namespace store
