// SPDX-License-Identifier: MIT
#include "progeny/breeding_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace progeny {

std::unique_ptr<BreedingFile> BreedingFile::open(const std::string& path, std::string& why) {
    std::error_code error;
    if (path.empty()) {
        why = "No breeding file is named.";
    } else if (!std::filesystem::exists(path, error)) {
        why = "There is no such file.";
    } else if (!std::filesystem::is_regular_file(path, error)) {
        why = "It is not a regular file.";
    } else if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        return std::unique_ptr<BreedingFile>(new BreedingFile(path, file));
    } else {
        why = std::string(std::strerror(errno)) + ".";
    }
    return nullptr;
}

std::string BreedingFile::unreadable(const std::string& path, const std::string& why) {
    return "The breeding file " + path + " could not be read.  Check the breeding.txt file." +
           (why.empty() ? "" : "\r" + why);
}

std::size_t BreedingFile::read(char* into, std::size_t size) {
    const std::size_t count = std::fread(into, 1, size, file_.get());
    if (count == 0 && std::ferror(file_.get())) throw std::runtime_error(unreadable(path_, std::strerror(errno)));
    return count;
}

}  // namespace progeny
