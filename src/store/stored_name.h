// SPDX-License-Identifier: MIT
// How much of a horse's name the race store keeps.
#pragma once

#include <cstddef>
#include <string_view>

namespace store {

// A horse's name is kept to its first 25 characters; an owner's name whole.
inline constexpr std::size_t kStoredNameCharacters = 25;

// A horse's name as the store keeps it, and as a search by name must ask for it: its first
// 25 characters, never cutting a character of several bytes.
std::string_view storedHorseName(std::string_view name);

}  // namespace store
