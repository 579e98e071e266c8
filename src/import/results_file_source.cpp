// SPDX-License-Identifier: MIT
#include "import/results_file_source.h"

#include "base/regular_file.h"

#include <zip.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace import {

namespace {

// Larger than any week's results; guards against a file, or an archive's entry, too
// large to hold in memory.
constexpr std::size_t kLargestEntry = 512ull * 1024 * 1024;

bool isZipArchive(const std::string& bytes) { return bytes.rfind("PK\x03\x04", 0) == 0; }

bool isTextName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0;
}

// Why the system refused a file, as the last failed call left it.
FileAccessError accessError(int error) {
    return FileAccessError("The file cannot be read: " + std::string(std::strerror(error)) + ".");
}

std::string readWholeFile(const std::string& path) {
    base::FileContents file = base::readRegularFile(path, kLargestEntry);
    const int error = errno;
    switch (file.problem) {
    case base::FileProblem::None:
        return std::move(file.bytes);
    case base::FileProblem::Missing:
        throw UnreadableFile("The file cannot be opened: " + std::string(std::strerror(ENOENT)) + ".");
    case base::FileProblem::NotRegular:
    case base::FileProblem::TooLarge:
        throw UnreadableFile("The file " + base::describe(file.problem) + ", so it holds no results.");
    case base::FileProblem::Unreadable:
        break;
    }
    throw accessError(error);
}

// The entry read in pieces up to its end, whatever size the archive claims for it:
// libzip compares the checksum only once the end has been read. With a `start`, only
// that many bytes of it are read.
std::string readEntry(zip_file_t* file, std::optional<std::size_t> start = std::nullopt) {
    std::string text;
    char piece[65536];
    for (;;) {
        if (start && text.size() >= *start) return text.substr(0, *start);
        const zip_int64_t count = zip_fread(file, piece, sizeof piece);
        if (count == 0) return text;
        if (count < 0) {
            const std::string reason = zip_error_strerror(zip_file_get_error(file));
            throw UnreadableFile("The archive is damaged: " + reason);
        }
        if (text.size() + static_cast<std::size_t>(count) > kLargestEntry)
            throw UnreadableFile("The archive holds a results text larger than any week's.");
        text.append(piece, static_cast<std::size_t>(count));
    }
}

zip_int64_t chooseEntry(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count == 1) return 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name && isTextName(name)) return i;
    }
    return -1;
}

// The results text of an open archive; with a `start`, only that many bytes of it.
std::string readResultsEntry(zip_t* archive, std::optional<std::size_t> start) {
    const zip_int64_t entry = chooseEntry(archive);
    if (entry < 0) throw UnreadableFile("The archive holds no results text file.");
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(entry), 0), &zip_fclose);
    if (!file) throw UnreadableFile(std::string("The archive cannot be unpacked: ") + zip_strerror(archive));
    return readEntry(file.get(), start);
}

std::string readFromArchive(std::string bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr, &zip_discard);
    if (!archive) {
        if (source) zip_source_free(source);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw UnreadableFile("The archive cannot be read: " + reason);
    }
    zip_error_fini(&error);
    return readResultsEntry(archive.get(), std::nullopt);
}

// The first `count` bytes of a regular file, or fewer when it is shorter.
std::string readFileStart(const std::string& path, std::size_t count) {
    base::FileProblem problem = base::FileProblem::None;
    const int fd = base::openRegularFile(path, problem);
    if (fd < 0 && problem == base::FileProblem::Unreadable) throw accessError(errno);
    if (fd < 0) throw UnreadableFile("The file " + base::describe(problem) + ".");
    std::string bytes(count, '\0');
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t read = ::read(fd, bytes.data() + filled, count - filled);
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0) break;
        filled += static_cast<std::size_t>(read);
    }
    ::close(fd);
    bytes.resize(filled);
    return bytes;
}

}  // namespace

std::string readResultsFile(const std::string& path) {
    std::string bytes = readWholeFile(path);
    if (!isZipArchive(bytes)) return bytes;
    return readFromArchive(std::move(bytes));
}

std::string readResultsFileStart(const std::string& path, std::size_t count) {
    std::string bytes = readFileStart(path, count);
    if (!isZipArchive(bytes)) return bytes;
    // Only the archive's directory and the start of its entry are read: a Downloads folder
    // may hold large archives of other things.
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(path.c_str(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive) throw UnreadableFile("The archive cannot be read.");
    return readResultsEntry(archive.get(), count);
}

}  // namespace import
