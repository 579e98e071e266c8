#!/usr/bin/env bash
# Kills imports (bulk and single-week), week removals, compactions, watch list changes and
# searches that build dropped search indexes again, all of one race store, at random
# moments, and after each kill checks that the store is whole:
#   - the engine's integrity check passes and harrowdex-cli still lists the weeks and the
#     watch list;
#   - every week in the store holds exactly the races and runs of its results file (a
#     week is stored whole or not at all);
#   - a search restores any search index that a killed bulk import left dropped.
# Usage: kill-at-random.sh [KILLS] [SECONDS]   (defaults: 60 kills, at most 900 s)
# Prints one line per kill and the totals; exits 1 on the first store that is not whole.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
kills_wanted="${1:-60}"
seconds="${2:-900}"
cli="$build/harrowdex-cli"
command -v sqlite3 >/dev/null || { echo "kill-at-random.sh needs the sqlite3 shell" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
first=100
weeks=30
"$build/harrowdex-generate-results" --out "$work" --first-week "$first" --weeks "$weeks" --seed 7 >/dev/null
files=()
for ((week = first; week < first + weeks; ++week)); do files+=("$work/raceout$week.txt"); done

# Races and runs of each week, as "week|races|runs" lines.
week_counts() {
  sqlite3 -readonly "$1" "
    WITH w(week) AS (SELECT DISTINCT CAST(racenum AS INTEGER) FROM tblraces
                     UNION SELECT DISTINCT CAST(racenum AS INTEGER) FROM tblhorsedata)
    SELECT week, (SELECT count(*) FROM tblraces WHERE racenum > week AND racenum < week + 1),
           (SELECT count(*) FROM tblhorsedata WHERE racenum > week AND racenum < week + 1)
    FROM w ORDER BY week"
}
search_indexes() {
  sqlite3 -readonly "$1" "SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND name IN
    ('ix_tblraces_racenum', 'ix_tblhorsedata_racenum', 'ix_tblhorsedata_hname_newest',
     'ix_tblhorsedata_hid_form', 'ix_tblhorsedata_oname_newest', 'ix_statecodes_num')"
}

"$cli" makedb "$work/reference.mdb" >/dev/null
"$cli" import --db "$work/reference.mdb" --yes "${files[@]}" 2>/dev/null
week_counts "$work/reference.mdb" >"$work/reference.counts"

store="$work/horses.mdb"
"$cli" makedb "$store" >/dev/null
"$cli" import --db "$store" --yes "${files[@]:0:10}" 2>/dev/null

random_week() { echo $((first + RANDOM % weeks)); }

# Starts one operation in the background; its pid in $pid, its name in $operation, and
# in $latest the longest it may run before the kill (milliseconds).
start_operation() {
  case $((RANDOM % 6)) in
    0) operation="bulk import"
       # Into a nearly empty store, so that the name, number and owner indexes are dropped
       # for the load and built at its end.
       "$cli" remove-weeks --db "$store" $(sqlite3 -readonly "$store" \
         "SELECT DISTINCT CAST(racenum AS INTEGER) FROM tblraces") >/dev/null 2>&1 || true
       "$cli" import --db "$store" --yes "${files[@]}" >/dev/null 2>&1 &
       latest=2500 ;;
    1) operation="import"
       "$cli" import --db "$store" --yes "$work/raceout$(random_week).txt" >/dev/null 2>&1 &
       latest=400 ;;
    2) operation="removal"
       "$cli" remove-weeks --db "$store" $(sqlite3 -readonly "$store" \
         "SELECT DISTINCT CAST(racenum AS INTEGER) FROM tblraces ORDER BY random() LIMIT 2") >/dev/null 2>&1 &
       latest=300 ;;
    3) operation="compaction"
       "$cli" compact --db "$store" >/dev/null 2>&1 &
       latest=600 ;;
    4) operation="watch change"
       local hid
       hid="$(sqlite3 -readonly "$store" "SELECT hid FROM tblhorsedata ORDER BY random() LIMIT 1")"
       if ((RANDOM % 2)) && [[ -n "$hid" ]]; then
         "$cli" watch --db "$store" --add-horse "$hid" --note "watched before kill $kills" >/dev/null 2>&1 &
       else
         "$cli" watch --db "$store" --remove-horse "${hid:-1}" >/dev/null 2>&1 &
       fi
       latest=200 ;;
    5) operation="index restoration"
       # As a killed bulk import leaves them; the search builds them again.
       sqlite3 "$store" "DROP INDEX IF EXISTS ix_tblhorsedata_hname_newest;
         DROP INDEX IF EXISTS ix_tblhorsedata_hid_form; DROP INDEX IF EXISTS ix_tblhorsedata_oname_newest"
       "$cli" search --db "$store" --horse 'A*' --yes >/dev/null 2>&1 &
       latest=800 ;;
  esac
  pid=$!
}

kills=0
finished=0
restored=0
deadline=$((SECONDS + seconds))
while ((kills < kills_wanted && SECONDS < deadline)); do
  start_operation
  delay=$((RANDOM % latest))
  sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
  if kill -KILL "$pid" 2>/dev/null; then
    wait "$pid" 2>/dev/null || true
    kills=$((kills + 1))
    outcome="killed"
  else
    wait "$pid" 2>/dev/null || true
    finished=$((finished + 1))
    continue
  fi
  # The search is the first program to open the store after the kill: it rolls an
  # unfinished transaction back and must restore what a killed bulk import dropped (the
  # week listing below would restore the indexes too).
  before="$(search_indexes "$store")"
  "$cli" search --db "$store" --horse 'A*' --yes >/dev/null 2>&1 || true
  after="$(search_indexes "$store")"
  if [[ "$after" != 6 ]]; then
    echo "kill $kills ($operation): a search left $after of the 6 search indexes" >&2
    exit 1
  fi
  listing="$("$cli" weeks --db "$store" 2>&1)" || [[ "$listing" == "No races in the database.  Action cancelled." ]] || {
    echo "kill $kills ($operation): the store cannot be listed: $listing" >&2
    exit 1
  }
  "$cli" watch --db "$store" >/dev/null 2>"$work/watch.err" || {
    echo "kill $kills ($operation): the watch list cannot be read: $(cat "$work/watch.err")" >&2
    exit 1
  }
  integrity="$(sqlite3 -readonly "$store" "PRAGMA integrity_check")"
  if [[ "$integrity" != ok ]]; then
    echo "kill $kills ($operation): integrity check: $integrity" >&2
    exit 1
  fi
  week_counts "$store" | grep -vxFf "$work/reference.counts" >"$work/partial" || true
  if [[ -s "$work/partial" ]]; then
    echo "kill $kills ($operation): weeks stored in part (week|races|runs): $(tr '\n' ' ' <"$work/partial")" >&2
    exit 1
  fi
  [[ "$before" != 6 ]] && restored=$((restored + 1))
  echo "kill $kills: $operation $outcome; store whole$([[ "$before" != 6 ]] && echo ", search indexes restored")"
done
echo "$kills kills, $kills stores whole, $restored times the search indexes restored;" \
     "$finished operations ended before their kill; $SECONDS s"
((kills > 0))
