// SPDX-License-Identifier: MIT
// The generator's one source of chance: whole-number draws from a seeded engine, the same on every machine.
#pragma once

#include "vocabulary.h"

#include <cstdint>
#include <numeric>
#include <random>
#include <span>
#include <string_view>

namespace generator {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // 0 to n - 1 without modulo bias: draws in the engine's incomplete last cycle are redrawn.
    std::uint64_t below(std::uint64_t n) {
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
        std::uint64_t value = engine_();
        while (value >= limit) value = engine_();
        return value % n;
    }
    int between(int low, int high) { return low + static_cast<int>(below(std::uint64_t(high - low) + 1)); }
    bool perMille(int chance) { return below(1000) < static_cast<std::uint64_t>(chance); }
    std::string_view pick(Words words) { return words[below(words.size())]; }
    std::size_t weighted(std::span<const int> weights) {
        int draw = between(1, std::accumulate(weights.begin(), weights.end(), 0));
        std::size_t index = 0;
        while (draw > weights[index]) draw -= weights[index++];
        return index;
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace generator
