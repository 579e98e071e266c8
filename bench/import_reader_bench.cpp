// SPDX-License-Identifier: MIT
// Reading a results file from memory to rows, without the store: one sample week (20
// races, 122 runners) and a full-size week of 400 races and 4,000 runners made of the
// sample's races and runners under new race numbers. Goal: a week's text under 1 ms.

#include "import/race_conditions_classifier.h"
#include "import/results_reader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string sampleWeek() {
    const auto path = std::filesystem::path(HARROWDEX_SAMPLES_DIR) / "raceout312.txt";
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty()) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        result.push_back(text.substr(start, end - start));
    }
    return result;
}

// The sample's race records (second records kept whole, first records without their race
// number and runner count) and all its runner blocks, as lines.
struct SampleParts {
    std::vector<std::string> firstRecordTails;  // from the track name on, less the count
    std::vector<std::string> secondRecords;
    std::vector<std::string> runnerBlocks;      // two lines each, joined
};

SampleParts sampleParts(const std::string& week) {
    SampleParts parts;
    const auto all = lines(week);
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (all[i].starts_with('*')) continue;
        if (all[i].starts_with("312.")) {
            // 312.0501,"Harrow Downs","Turf","Firm",11,6,"2:16.22": drop number and count.
            const std::string& record = all[i];
            const std::size_t afterNumber = record.find(',');
            const std::size_t countAt = record.rfind(',', record.rfind(',') - 1);
            parts.firstRecordTails.push_back(record.substr(afterNumber, countAt - afterNumber) + ",%d" +
                                             record.substr(record.rfind(',')));
            parts.secondRecords.push_back(all[++i]);
        } else {
            parts.runnerBlocks.push_back(all[i] + "\r\n" + all[i + 1]);
            ++i;
        }
    }
    return parts;
}

std::string syntheticWeek(int races, int runnersPerRace) {
    const SampleParts parts = sampleParts(sampleWeek());
    std::string text = "\"Simulated racing results, week 312\"\r\n";
    std::size_t runner = 0;
    char buffer[64];
    for (int race = 0; race < races; ++race) {
        const std::size_t sample = static_cast<std::size_t>(race) % parts.secondRecords.size();
        std::snprintf(buffer, sizeof buffer, "*%05d\r\n312.%02d%02d", race + 1, 1 + race / 20, 1 + race % 20);
        text += buffer;
        std::snprintf(buffer, sizeof buffer, "%d", runnersPerRace);
        std::string tail = parts.firstRecordTails[sample];
        tail.replace(tail.find("%d"), 2, buffer);
        text += tail + "\r\n" + parts.secondRecords[sample] + "\r\n";
        for (int i = 0; i < runnersPerRace; ++i) {
            text += parts.runnerBlocks[runner++ % parts.runnerBlocks.size()] + "\r\n";
        }
    }
    return text + "*99999\r\n";
}

void readWeek(benchmark::State& state, const std::string& bytes) {
    std::size_t runners = 0;
    for (auto _ : state) {
        import::RaceConditionsClassifier classifier;
        import::ResultsReader reader(bytes, classifier);
        runners = 0;
        while (auto race = reader.nextRace()) runners += race->runners.size();
        benchmark::DoNotOptimize(runners);
    }
    state.counters["runners"] = static_cast<double>(runners);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * runners));
}

void BM_ReadSampleWeek(benchmark::State& state) { readWeek(state, sampleWeek()); }
BENCHMARK(BM_ReadSampleWeek)->Unit(benchmark::kMicrosecond);

void BM_ReadFullSizeWeek(benchmark::State& state) { readWeek(state, syntheticWeek(400, 10)); }
BENCHMARK(BM_ReadFullSizeWeek)->Unit(benchmark::kMicrosecond);

}  // namespace
