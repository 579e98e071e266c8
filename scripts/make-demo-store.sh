#!/usr/bin/env bash
# Makes the demo season for trying the program out: make-demo-store.sh PATH
# A race store at PATH holding 52 generated weeks, and beside it in demo/ the weekly
# results files, the breeding file of the same horses and the page of every horse that
# ran (for harrowdex-page-server). A fixed seed gives every clone the same demo: the same
# horses, stables, races and pedigrees. Its weeks end with today's week, so that the recent
# wins and claiming tags of the statistics, which count back from today, show too;
# HARROWDEX_DEMO_LAST_WEEK fixes that last week instead (the guide's screenshots do).
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
# The program's week W is the day 35997 + W counted from 30 December 1899, which is the
# Unix epoch's day 25569 before it.
today=${HARROWDEX_DEMO_LAST_WEEK:-$(( $(date -u -d "$(date +%F)" +%s) / 86400 + 25569 - 35997 ))}
echo "Making the demo season (52 weeks, the last of them today's, $today)..."
"$build/harrowdex-generate-results" --out "$work/demo/weeks" --first-week $((today - 51)) --weeks 52 \
  --races-per-week 200 --horses 4000 --owners 400 --stallions 100 --seed 2026 \
  --breeding "$work/demo/breeding.txt" --pages "$work/demo/pages" --tracks "$work/demo/tracks.txt" |
  sed "s#$work/demo#$demo#g"
"$build/harrowdex-cli" makedb "$work/horses.mdb"
"$build/harrowdex-cli" import --quiet --db "$work/horses.mdb" "$work/demo/weeks"/raceout*.txt
# The track list, so that the listings show each race's track code.
while read -r number code; do
  "$build/harrowdex-cli" tracks --db "$work/horses.mdb" --add "$number" "$code" >/dev/null
done <"$work/demo/tracks.txt"
rm -rf "$demo"
mv "$work/demo" "$demo"
mv "$work/horses.mdb" "$store"
elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
printf 'Made the demo race store %s and its breeding file and horse pages in %s (%d.%03d s)\n' \
  "$store" "$demo" $((elapsed / 1000)) $((elapsed % 1000))
