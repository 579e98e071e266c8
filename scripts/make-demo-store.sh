#!/usr/bin/env bash
# Makes a race store for trying the program out, holding the sample weeks:
#   make-demo-store.sh PATH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
samples="${HARROWDEX_SAMPLES_DIR:-$root/../shared/samples}"
store="${1:?usage: make-demo-store.sh PATH}"
"$build/harrowdex-cli" makedb "$store"
"$build/harrowdex-cli" import --db "$store" "$samples"/raceout*.txt 2>/dev/null
echo "Made the demo race store $store with the sample weeks"
