#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the window's tests run headless),
# after a short run of every fuzz target ($HARROWDEX_FUZZ_SECONDS each, default 10).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
# The quick checks first: the layers' includes and the layout of the changed lines.
"$root/scripts/check-layers.sh"
"$root/scripts/check-format.sh"
"$root/scripts/build.sh"
"$root/scripts/fuzz.sh" "${HARROWDEX_FUZZ_SECONDS:-10}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
