#!/usr/bin/env bash
# Makes the demo season for trying the program out: make-demo-store.sh PATH
# A race store at PATH holding 52 generated weeks, and beside it in demo/ the weekly
# results files, the breeding file of the same horses and the page of every horse that
# ran (for harrowdex-page-server). A fixed seed gives every clone the same demo.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
store="${1:?usage: make-demo-store.sh PATH}"
if [ -e "$store" ]; then
  echo "$store already exists; the demo is made only where no race store is" >&2
  exit 1
fi
demo="$(dirname "$store")/demo"
started=$(date +%s%N)
# Made aside and moved into place whole, so a failure leaves no half demo behind.
work="$(mktemp -d "$(dirname "$store")/demo.XXXXXX")"
trap 'rm -rf "$work"' EXIT
echo "Making the demo season (52 weeks)..."
"$build/harrowdex-generate-results" --out "$work/demo/weeks" --first-week 600 --weeks 52 \
  --races-per-week 200 --horses 4000 --owners 400 --stallions 100 --seed 2026 \
  --breeding "$work/demo/breeding.txt" --pages "$work/demo/pages" | sed "s#$work/demo#$demo#g"
"$build/harrowdex-cli" makedb "$work/horses.mdb"
"$build/harrowdex-cli" import --quiet --db "$work/horses.mdb" "$work/demo/weeks"/raceout*.txt
rm -rf "$demo"
mv "$work/demo" "$demo"
mv "$work/horses.mdb" "$store"
elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
printf 'Made the demo race store %s and its breeding file and horse pages in %s (%d.%03d s)\n' \
  "$store" "$demo" $((elapsed / 1000)) $((elapsed % 1000))
