// SPDX-License-Identifier: MIT
// The breeding file opened for reading piece by piece, with the message for one that cannot be read.
#pragma once

#include "progeny/text_lines.h"

#include <cstdio>
#include <memory>
#include <string>

namespace progeny {

// The breeding file, open for reading from its start. It is read piece by piece while
// the search goes, never held whole, and a file that shrinks meanwhile only ends early.
class BreedingFile : public TextSource {
public:
    // Nothing when `path` names no regular file that can be opened for reading (a FIFO
    // or device is refused at once); `why` then says why not.
    static std::unique_ptr<BreedingFile> open(const std::string& path, std::string& why);

    // What the user is told when the file at `path` cannot be read, and why on a line
    // of its own.
    static std::string unreadable(const std::string& path, const std::string& why);

    std::size_t read(char* into, std::size_t size) override;

private:
    struct Close {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    BreedingFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}

    std::string path_;
    std::unique_ptr<std::FILE, Close> file_;
};

}  // namespace progeny
