// SPDX-License-Identifier: MIT
// Names shown with each word capitalised, whatever their case in the results files.
#pragma once

#include <string>
#include <string_view>

namespace base {

// Names as the program shows them: in every word (a run of characters between blanks)
// the first letter upper case and the rest lower case, so RAPID WATER and rapid water
// both show as Rapid Water and o'brien as O'brien. Only ASCII letters change; the other
// bytes of UTF-8 text stay as they are, so no character is ever split.
// Changes the text it is given, so that a caller done with its text hands it over.
std::string capitaliseWords(std::string text);

}  // namespace base
