// SPDX-License-Identifier: MIT
#include "import/results_file_source.h"

#include "import/race_conditions_classifier.h"
#include "import/results_reader.h"
#include "base/regular_file.h"

#include <zip.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

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

using OpenEntry = std::unique_ptr<zip_file_t, decltype(&zip_fclose)>;

OpenEntry openEntry(zip_t* archive, zip_uint64_t entry) {
    OpenEntry file(zip_fopen_index(archive, entry, 0), &zip_fclose);
    if (!file) throw UnreadableFile(std::string("The archive cannot be unpacked: ") + zip_strerror(archive));
    return file;
}

bool holdsResults(zip_t* archive, zip_uint64_t entry) {
    const std::string start = readEntry(openEntry(archive, entry).get(), kResultsHeadingBytes);
    RaceConditionsClassifier classifier;
    return ResultsReader(start, classifier).inResultsLayout();
}

// "a.pdf", "a.pdf and b.doc", "a.pdf, b.doc and 3 more files".
std::string entryNames(const std::vector<std::string>& names) {
    if (names.empty()) return "nothing";
    if (names.size() == 1) return names[0];
    if (names.size() == 2) return names[0] + " and " + names[1];
    return names[0] + ", " + names[1] + " and " + std::to_string(names.size() - 2) + " more files";
}

// The archive's first entry in the layout of a results file, its text files first; a
// player's archive may hold a readme or a picture beside the week's results. Only the
// first few are looked at, so that a large archive of other things costs little.
zip_uint64_t chooseEntry(zip_t* archive) {
    constexpr int kMostLooks = 16;
    int looks = 0;
    const auto count = static_cast<zip_uint64_t>(std::max<zip_int64_t>(zip_get_num_entries(archive, 0), 0));
    std::vector<std::string> names;
    for (zip_uint64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, i, 0);
        names.emplace_back(name ? name : "");
    }
    for (const bool text : {true, false}) {
        for (zip_uint64_t i = 0; i < count; ++i)
            if (isTextName(names[i]) == text && looks++ < kMostLooks && holdsResults(archive, i)) return i;
    }
    throw UnreadableFile("The archive holds no results file (it holds " + entryNames(names) + ").");
}

// The results text of an open archive; with a `start`, only that many bytes of it.
std::string readResultsEntry(zip_t* archive, std::optional<std::size_t> start) {
    return readEntry(openEntry(archive, chooseEntry(archive)).get(), start);
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
