#!/usr/bin/env bash
# Builds Harrowdex with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (or $HARROWDEX_SANITIZE_BUILD_DIR) and runs the whole test suite there:
#   sanitize.sh [ctest args]
# Any undefined behaviour, and any index past the end of a string or container (the
# library's own checks), ends the test that met it, so a finding fails the run instead of
# scrolling past in the log. Not part of CI: the extra build takes far longer than the tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_SANITIZE_BUILD_DIR:-$root/build-asan}"
jobs="${HARROWDEX_JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -G Ninja -DHARROWDEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=undefined -D_GLIBCXX_ASSERTIONS" >/dev/null
cmake --build "$build" -j "$jobs"

# Leaks are checked too, at the end of each test.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
