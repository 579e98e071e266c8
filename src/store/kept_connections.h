// SPDX-License-Identifier: MIT
// The read-only connections a window searches its race store through, kept from one search to the next.
#pragma once

#include "store/database.h"
#include "store/second_connection.h"

#include <filesystem>
#include <memory>

namespace store {

// The two connections a search reads through: one on the searching thread and one beside
// it, for reading ahead.
struct ReadingConnections {
    explicit ReadingConnections(const std::filesystem::path& path)
        : here(Database::open(path, Access::ReadOnly)), beside(path) {}
    Database here;
    SecondConnection beside;
};

// The reading connections of one store, kept while the file is the one they opened and
// nothing but SQLite changed it: a file made again or moved in under the same name, or
// written over by another tool, gets new ones, so that nothing read before is taken for
// the new file's content. Used by one thread, like the `here` connection.
class KeptConnections {
public:
    // The connections to the store at `path`, kept or opened now; throws a StoreError as
    // Database::open does.
    ReadingConnections& to(const std::filesystem::path& path);

private:
    // What tells one file and its content apart from another without reading it.
    struct FileStamp {
        std::uintmax_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> stampOf(const std::filesystem::path& path);

    std::unique_ptr<ReadingConnections> kept_;
    std::filesystem::path path_;
    FileStamp stamp_;
};

}  // namespace store
