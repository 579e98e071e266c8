#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (the window's tests run headless),
# after a short run of every fuzz target ($HARROWDEX_FUZZ_SECONDS each, default 10).
# From a git clone the build and the tests run in a copy of the clone's files under
# build/clone/, with nothing beside it, so that nothing outside the repository can take
# part; the copy keeps the files' times, so later runs build only what changed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
# The quick checks first: the layers' includes and the layout of the changed lines.
"$root/scripts/check-layers.sh"
"$root/scripts/check-format.sh"

if [ -z "${HARROWDEX_TEST_IN_PLACE:-}" ] && git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  copy="$build/clone"
  rm -rf "$copy/tree"
  mkdir -p "$copy/tree"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -xf - -C "$copy/tree"
  echo "Testing a copy of the clone's files in $copy/tree"
  HARROWDEX_TEST_IN_PLACE=1 HARROWDEX_BUILD_DIR="$copy/build" HARROWDEX_FUZZ_BUILD_DIR="$copy/build-fuzz" \
    exec "$copy/tree/scripts/test.sh"
fi

"$root/scripts/build.sh"
"$root/scripts/fuzz.sh" "${HARROWDEX_FUZZ_SECONDS:-10}"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
