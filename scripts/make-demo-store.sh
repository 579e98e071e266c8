#!/usr/bin/env bash
# Makes a race store for trying the program out, holding the sample weeks when they are
# there (../shared/samples, or $HARROWDEX_SAMPLES_DIR): make-demo-store.sh PATH
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
samples="${HARROWDEX_SAMPLES_DIR:-$root/../shared/samples}"
store="${1:?usage: make-demo-store.sh PATH}"
"$build/harrowdex-cli" makedb "$store"
shopt -s nullglob
weeks=("$samples"/raceout*.txt)
if [ ${#weeks[@]} -eq 0 ]; then
  echo "Made an empty race store $store (no sample weeks found in $samples)"
  exit 0
fi
"$build/harrowdex-cli" import --db "$store" "${weeks[@]}" 2>/dev/null
echo "Made the demo race store $store with the sample weeks"
