#!/usr/bin/env bash
# Runs the benchmarks on generated data: bench.sh [BENCHMARK_FILTER]
# Makes (once) a 600-week store, its breeding file and a separate week file under
# build/bench-data/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
data="${HARROWDEX_BENCH_DATA:-$build/bench-data}"
"$root/scripts/build.sh" >/dev/null
mkdir -p "$data"
if [ ! -e "$data/600.mdb" ]; then
  echo "Making the 600-week store (once; takes a few minutes)..."
  "$root/scripts/generate-store.sh" 600 "$data/600.mdb" 1
fi
# The breeding file of the store's horses: the same weeks and seed give the same horses.
if [ ! -e "$data/600-breeding.txt" ]; then
  weeks="$(mktemp -d)"
  "$build/harrowdex-generate-results" --out "$weeks" --first-week 100 --weeks 600 --seed 1 \
    --breeding "$data/600-breeding.txt" >/dev/null
  rm -rf "$weeks"
fi
if [ ! -e "$data/raceout900.txt" ]; then
  "$build/harrowdex-generate-results" --out "$data" --first-week 900 --weeks 1 --seed 7 >/dev/null
fi
HARROWDEX_BENCH_STORE="$data/600.mdb" HARROWDEX_BENCH_WEEK="$data/raceout900.txt" \
HARROWDEX_BENCH_BREEDING="$data/600-breeding.txt" \
  "$build/bench/harrowdex_bench" --benchmark_filter="${1:-.}" --benchmark_repetitions="${HARROWDEX_BENCH_REPETITIONS:-1}"
