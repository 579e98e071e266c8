// SPDX-License-Identifier: MIT
#include "progeny/breeding_file.h"

#include "shell/regular_file.h"

#include <unistd.h>

#include <stdexcept>

namespace progeny {

std::unique_ptr<BreedingFile> BreedingFile::open(const std::string& path) {
    if (path.empty()) return nullptr;
    shell::FileProblem problem = shell::FileProblem::None;
    const int fd = shell::openRegularFile(path, problem);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<BreedingFile>(new BreedingFile(path, file));
}

std::string BreedingFile::unreadable(const std::string& path) {
    return "The breeding file " + path + " could not be read.  Check the breeding.txt file.";
}

std::size_t BreedingFile::read(char* into, std::size_t size) {
    const std::size_t count = std::fread(into, 1, size, file_.get());
    if (count == 0 && std::ferror(file_.get())) throw std::runtime_error(unreadable(path_));
    return count;
}

}  // namespace progeny
