#!/usr/bin/env bash
# Installs what is missing, builds, makes a demo race store beside the program when there
# is none, and starts the window.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ ! -e "$build/horses.mdb" ]; then
  "$root/scripts/make-demo-store.sh" "$build/horses.mdb"
fi
exec "$build/harrowdex"
