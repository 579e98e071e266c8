#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz/) and runs each for SECONDS seconds
# (default 30), starting from its seed corpus in tests/fuzz/corpus/<name>/. Fails on the
# first crash; the crashing input is left in build-fuzz/artifacts/ to become a golden case.
set -euo pipefail
seconds="${1:-30}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${HARROWDEX_JOBS:-2}"

# The library's own checks (an index past the end of a string or vector) count as crashes too.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DHARROWDEX_FUZZ=ON \
    -DHARROWDEX_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-D_GLIBCXX_ASSERTIONS" >/dev/null

targets=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

mkdir -p "$build/artifacts"
for target in "${targets[@]}"; do
    name="${target%_fuzz}"
    seeds="$root/tests/fuzz/corpus/$name"
    work="$build/corpus/$name"  # what the fuzzer finds stays out of the source tree
    mkdir -p "$work" "$seeds"
    echo "== $target: ${seconds}s"
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 "$work" "$seeds"
done
