// SPDX-License-Identifier: MIT
// Any bytes given to the results reader must end in rows or a ResultsFileError: never a
// crash, a hang, another exception or a read outside the buffer.
#include "import/race_conditions_classifier.h"
#include "import/results_file_error.h"
#include "import/results_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the end.
    const auto bytes = std::make_unique<char[]>(size);
    std::copy(data, data + size, bytes.get());
    import::RaceConditionsClassifier classifier;
    try {
        import::ResultsReader reader(std::string_view(bytes.get(), size), classifier);
        reader.firstRaceNumber();
        while (const auto race = reader.nextRace()) {
            // A race holds exactly the runner blocks that its count announced.
            if (race->runners.size() != static_cast<std::size_t>(std::max(race->race.size, 0))) __builtin_trap();
        }
    } catch (const import::ResultsFileError&) {
        // A file that cannot be read is a normal outcome.
    }
    return 0;
}
