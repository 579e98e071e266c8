// SPDX-License-Identifier: MIT
#include "progeny/breeding_file.h"

#include "base/regular_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace progeny {

std::unique_ptr<BreedingFile> BreedingFile::open(const std::string& path, std::string& why) {
    if (path.empty()) {
        why = "No breeding file is named.";
        return nullptr;
    }
    base::FileProblem problem = base::FileProblem::None;
    const int fd = base::openRegularFile(path, problem);
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (file) return std::unique_ptr<BreedingFile>(new BreedingFile(path, file));
    if (fd >= 0) ::close(fd);
    why = problem == base::FileProblem::Missing      ? "There is no such file."
          : problem == base::FileProblem::NotRegular ? "It is not a regular file."
                                                     : "It cannot be opened for reading.";
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
