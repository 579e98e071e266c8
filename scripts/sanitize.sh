#!/usr/bin/env bash
# Builds Harrowdex with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (or $HARROWDEX_SANITIZE_BUILD_DIR) and runs the whole test suite there:
#   sanitize.sh [ctest args]
# Any undefined behaviour ends the test that met it, so a finding fails the run instead of
# scrolling past in the log.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_SANITIZE_BUILD_DIR:-$root/build-asan}"
jobs="${HARROWDEX_JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -G Ninja -DHARROWDEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=undefined -D_GLIBCXX_ASSERTIONS" >/dev/null
cmake --build "$build" -j "$jobs"

# Leaks are checked too; the suppressions name only libraries outside the program.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
