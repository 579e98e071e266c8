#!/usr/bin/env bash
# Makes a race store of made-up weeks for benchmarks and scale tests:
#   generate-store.sh WEEKS OUT_DB [SEED]
# Writes WEEKS weekly results files (from week $HARROWDEX_FIRST_WEEK on, default 100) into a
# temporary folder, makes the store OUT_DB and imports the files into it in week order.
# The same WEEKS, SEED and first week always give the same store contents.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
usage="usage: generate-store.sh WEEKS OUT_DB [SEED]"
weeks="${1:-}"
store="${2:-}"
seed="${3:-1}"
first="${HARROWDEX_FIRST_WEEK:-100}"
if [[ $# -lt 2 || $# -gt 3 || -z "$store" ]]; then
  echo "$usage" >&2
  exit 2
fi
if [[ ! "$weeks" =~ ^[1-9][0-9]*$ || ! "$seed" =~ ^[0-9]+$ || ! "$first" =~ ^[0-9]+$ ]]; then
  echo "$usage (WEEKS, SEED and HARROWDEX_FIRST_WEEK are whole numbers)" >&2
  exit 2
fi
# Checked before the files are written, which takes a while; makedb refuses it too.
if [[ -e "$store" ]]; then
  echo "$store already exists; choose a new file for the race store" >&2
  exit 1
fi

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$build/harrowdex-generate-results" --out "$folder" --first-week "$first" --weeks "$weeks" --seed "$seed"

# In week order, as the files would be chosen one week after another.
files=()
for ((week = first; week < first + weeks; ++week)); do
  files+=("$folder/raceout$week.txt")
done
"$build/harrowdex-cli" makedb "$store"
# The import's progress (a line per file) goes to a log that is shown only on failure.
if ! "$build/harrowdex-cli" import --db "$store" --yes "${files[@]}" 2>"$folder/import.log"; then
  tail -n 5 "$folder/import.log" >&2
  echo "The import into $store did not complete; it holds the weeks imported before the failure" >&2
  exit 1
fi
echo "Made the race store $store: weeks $first to $((first + weeks - 1)), seed $seed"
