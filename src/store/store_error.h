// SPDX-License-Identifier: MIT
// The errors of the race store, worded for the user, with the file's name and the engine's reason.
#pragma once

#include <stdexcept>
#include <string>

namespace store {

// A failure of the race store, worded for the user: every message names the file and,
// where the database engine said why, its own words. Commands show what() as it is.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const std::string& message) : std::runtime_error(message) {}
};

// The store could not grow: its disk (or the temporary folder) is full. Nothing of the
// failed transaction was stored; freeing room is the cure.
class NoRoomError : public StoreError {
public:
    using StoreError::StoreError;
};

}  // namespace store
