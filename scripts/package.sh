#!/usr/bin/env bash
# Builds the Debian package of Harrowdex with CPack into build/package/ (or
# $HARROWDEX_BUILD_DIR/package/) and names it; install it with `apt install ./FILE.deb`.
# Arguments go to the configuration (scripts/build.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$@"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
rm -rf "$build/package/_CPack_Packages"
ls "$build"/package/harrowdex_*.deb
