// SPDX-License-Identifier: MIT
// Any bytes in a chosen results file, a ZIP archive above all, must end in the results
// text or an UnreadableFile: never a crash, a hang, another exception or a read outside
// the buffer. Inputs that are no archive come back byte for byte.
#include "import/results_file_source.h"

#include "test_folder.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing_support::TestFolder folder;
    static const std::string path = (folder / "raceout.zip").string();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    testing_support::writeBytes(path, bytes);
    try {
        const std::string text = import::readResultsFile(path);
        if (!bytes.starts_with("PK\x03\x04") && text != bytes) __builtin_trap();
    } catch (const import::UnreadableFile&) {
        // An archive that cannot be unpacked is a normal outcome.
    }
    return 0;
}
