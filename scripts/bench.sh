#!/usr/bin/env bash
# Runs every benchmark on generated data and prints the table of README.md (medians of
# $HARROWDEX_BENCH_REPETITIONS runs, default 3): bench.sh [--decade] [BENCHMARK_FILTER]
# Makes (once) under build/bench-data/: a 600-week store, its breeding file, the 600
# weekly files it was made from, and a week the store does not hold. --decade adds the
# decade table: the same on 3,650 weeks (build/bench-data/decade/, about 12 GB with the
# working copies; made once, in about 10 minutes), each measure beside its 600-week figure.
# The backup's reference runs the sqlite3 shell, which scripts/install-deps.sh installs.
set -euo pipefail
decade=0
if [[ "${1:-}" == "--decade" ]]; then
  decade=1
  shift
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
data="${HARROWDEX_BENCH_DATA:-$build/bench-data}"
"$root/scripts/build.sh" >/dev/null
mkdir -p "$data"
if [ ! -e "$data/600.mdb" ]; then
  echo "Making the 600-week store (once; takes a few minutes)..."
  "$root/scripts/generate-store.sh" 600 "$data/600.mdb" 1
fi
# The weekly files and breeding file of the store: the same weeks and seed give the same horses.
if [ ! -e "$data/600-breeding.txt" ] || [ ! -e "$data/weeks/raceout699.txt" ]; then
  mkdir -p "$data/weeks"
  "$build/harrowdex-generate-results" --out "$data/weeks" --first-week 100 --weeks 600 --seed 1 \
    --breeding "$data/600-breeding.txt" >/dev/null
fi
if [ ! -e "$data/raceout900.txt" ]; then
  "$build/harrowdex-generate-results" --out "$data" --first-week 900 --weeks 1 --seed 7 >/dev/null
fi
export HARROWDEX_BENCH_STORE="$data/600.mdb" HARROWDEX_BENCH_WEEK="$data/raceout900.txt" \
  HARROWDEX_BENCH_BREEDING="$data/600-breeding.txt" HARROWDEX_BENCH_WEEKS="$data/weeks"
# glibc's malloc moves its trim and mmap thresholds after large frees, so without fixed
# ones a benchmark's figure would depend on what ran before it in the same process (a
# read after a listing gave its freed pages back and faulted them in again).
export GLIBC_TUNABLES="glibc.malloc.trim_threshold=67108864:glibc.malloc.mmap_threshold=33554432"
# The raw results stay beside the data, for bench_table.py to be run on again.
results="$build/bench-results"
mkdir -p "$results"
# Repetitions run in random order, so that a measure and its reference meet the same
# state of the machine's caches rather than always following each other.
common=(--benchmark_filter="${1:-.}" --benchmark_repetitions="${HARROWDEX_BENCH_REPETITIONS:-3}"
        --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true)
"$build/bench/harrowdex_bench" "${common[@]}" --benchmark_out="$results/core.json"
QT_QPA_PLATFORM=offscreen "$build/bench/harrowdex_window_bench" "${common[@]}" \
  --benchmark_out="$results/window.json"
echo
echo "On $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg):"
python3 "$root/scripts/bench_table.py" "$results/core.json" "$results/window.json"
((decade)) || exit 0

# The decade: 3,650 daily weeks from week 100, made as the 600 are, with seed 1.
decade_data="$data/decade"
mkdir -p "$decade_data"
if [ ! -e "$decade_data/3650.mdb" ]; then
  echo "Making the 3,650-week store (once; about 12 GB free are needed under $data)..."
  rm -rf "$decade_data/weeks"
  mkdir -p "$decade_data/weeks"
  "$build/harrowdex-generate-results" --out "$decade_data/weeks" --first-week 100 --weeks 3650 --seed 1 \
    --breeding "$decade_data/3650-breeding.txt" >/dev/null
  rm -f "$decade_data/3650.mdb.part"*
  "$build/harrowdex-cli" makedb "$decade_data/3650.mdb.part"
  # In week order, as generate-store.sh imports them.
  files=()
  for ((week = 100; week < 3750; ++week)); do files+=("$decade_data/weeks/raceout$week.txt"); done
  "$build/harrowdex-cli" import --db "$decade_data/3650.mdb.part" --yes "${files[@]}" 2>/dev/null
  mv "$decade_data/3650.mdb.part" "$decade_data/3650.mdb"
fi
if [ ! -e "$decade_data/raceout3800.txt" ]; then
  "$build/harrowdex-generate-results" --out "$decade_data" --first-week 3800 --weeks 1 --seed 7 >/dev/null
fi
export HARROWDEX_BENCH_STORE="$decade_data/3650.mdb" HARROWDEX_BENCH_WEEK="$decade_data/raceout3800.txt" \
  HARROWDEX_BENCH_BREEDING="$decade_data/3650-breeding.txt" HARROWDEX_BENCH_WEEKS="$decade_data/weeks" \
  HARROWDEX_BENCH_DECADE=1
# What the decade table measures; the imports into an empty store and the watch list,
# whose cost does not grow with the store, are measured on 600 weeks only. A measure
# over a minute (compaction) runs once.
quick='BM_(ImportWeekInto|RawInsert|Horse(Search|Query)|LargestOwner|Race(Search|Query)|Progeny(SireSearch|QueriesAlone)$|Crosses|ListWeeks|RemoveOneWeek|FindActive|CompareFour|ResultsFolder|(Horse|Owner|Sire)NameOffers|BreedingNamesRead|ClassPars|PlaceHorse|HeadToHead)'
"$build/bench/harrowdex_bench" "${common[@]/--benchmark_filter=*/--benchmark_filter=$quick}" \
  --benchmark_out="$results/decade-core.json"
"$build/bench/harrowdex_bench" --benchmark_filter='BM_Compact' --benchmark_out="$results/decade-compact.json"
QT_QPA_PLATFORM=offscreen "$build/bench/harrowdex_window_bench" \
  "${common[@]/--benchmark_filter=*/--benchmark_filter=BM_(Startup|WindowMemory)}" \
  --benchmark_out="$results/decade-window.json"
echo
echo "The decade table, beside the 600 weeks above:"
python3 "$root/scripts/bench_table.py" --decade "$results/core.json" "$results/window.json" \
  -- "$results/decade-core.json" "$results/decade-compact.json" "$results/decade-window.json"
