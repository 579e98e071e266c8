// SPDX-License-Identifier: MIT
// Texts of the results files counted and cut by character, whether they are UTF-8 or older Latin-1 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// Character-wise views of the results file's texts. The files are UTF-8, so a character
// is a code point and a cut never splits one; a text that is not valid UTF-8 counts each
// of its bytes as a character instead.

bool isValidUtf8(std::string_view text);
// The text as it is when it is valid UTF-8; otherwise each of its bytes read as a Latin-1
// character, as older files were written. Every text the import stores passes here, so
// the store holds UTF-8 only and each byte of such a text stays one character.
std::string utf8Text(std::string_view text);
std::size_t characterCount(std::string_view text);
// The first `count` characters (the whole text when it is shorter).
std::string_view firstCharacters(std::string_view text, std::size_t count);
// The text after its first `count` characters (empty when it is shorter).
std::string_view withoutFirstCharacters(std::string_view text, std::size_t count);
// The text before its last `count` characters (empty when it is shorter).
std::string_view withoutLastCharacters(std::string_view text, std::size_t count);
// The text's first character by its first byte alone, whatever follows: that byte and the
// continuation bytes it announces, as many of them as follow it. A one-character field
// so keeps a whole character, and never stray bytes after it.
std::string_view leadingCharacter(std::string_view text);

}  // namespace base
