#!/usr/bin/env bash
# Kills imports (bulk and single-week), first syncs of a results folder, week removals, compactions, watch list changes,
# searches that build dropped search indexes again, backups and restores, all of one race
# store, at random moments, and after each kill checks that the store is whole:
#   - the engine's integrity check passes and harrowdex-cli still lists the weeks and the
#     watch list;
#   - every week in the store holds exactly the races and runs of its results file (a
#     week is stored whole or not at all);
#   - a search restores any search index that a killed bulk import or sync left dropped;
#   - a killed backup's file is not there or is whole (integrity check, every week whole);
#     only temporary files ("<file>.<n>.tmp") may be left beside it;
#   - a killed restore (from a backup of the store made a few operations before, whose
#     weeks differ) leaves the store with exactly its weeks before or the backup's, and
#     the store saved before the restore, if there, whole.
# With Xvfb and xdotool at hand the window is open on the same store throughout, and one
# operation in seven puts another store in its place instead of killing anything: the
# window searches, another program writes a week, and then a backup is copied over the
# store, moved in under its name, or the store is removed and made anew with makedb. The
# store must then hold exactly the backup's weeks, and still after the window's next search.
# Usage: kill-at-random.sh [KILLS] [SECONDS]   (defaults: 60 kills, at most 900 s)
# Prints one line per kill and the totals; exits 1 on the first store that is not whole.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
kills_wanted="${1:-60}"
seconds="${2:-900}"
cli="$build/harrowdex-cli"
command -v sqlite3 >/dev/null || { echo "kill-at-random.sh needs the sqlite3 shell" >&2; exit 2; }
# The shell waits for another program's lock (the open window's among them), as ours do.
sqlite3() { command sqlite3 -cmd ".timeout 5000" "$@"; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
first=100
weeks=30
"$build/harrowdex-generate-results" --out "$work" --first-week "$first" --weeks "$weeks" --seed 7 >/dev/null
files=()
for ((week = first; week < first + weeks; ++week)); do files+=("$work/raceout$week.txt"); done
# The same files as a results folder, for the syncs.
mkdir "$work/folder"
ln "${files[@]}" "$work/folder/"

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

# Why the store or backup at $1 is not whole; nothing when it is.
not_whole() {
  local integrity
  integrity="$(sqlite3 -readonly "$1" "PRAGMA integrity_check" 2>&1)"
  if [[ "$integrity" != ok ]]; then
    echo "integrity check: $integrity"
    return
  fi
  week_counts "$1" | grep -vxFf "$work/reference.counts" >"$work/partial" || true
  [[ -s "$work/partial" ]] && echo "weeks stored in part (week|races|runs): $(tr '\n' ' ' <"$work/partial")"
  return 0
}

# The store lives beside a copy of the window program, which keeps its store beside itself.
mkdir "$work/program"
store="$work/program/horses.mdb"
"$cli" makedb "$store" >/dev/null
"$cli" import --db "$store" --yes "${files[@]:0:10}" 2>/dev/null
# The backup a replacement puts in place: the first five weeks, with no log beside it.
"$cli" makedb "$work/backup.mdb" >/dev/null
"$cli" import --db "$work/backup.mdb" --yes "${files[@]:0:5}" 2>/dev/null
week_counts "$work/backup.mdb" >"$work/backup.counts"
# What the killed backups write, and the backup of an earlier state the restores read.
mkdir "$work/backups"
backup_file="$work/backups/killed.mdb"
earlier_backup() {
  "$cli" backup --db "$store" "$work/earlier.mdb" >/dev/null
  week_counts "$work/earlier.mdb" >"$work/earlier.counts"
}
earlier_backup

# The window, open on the store under a virtual display, when the tools are there.
window=""
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && [[ -x "$build/harrowdex" ]]; then
  cp "$build/harrowdex" "$work/program/"
  display=":$((80 + RANDOM % 9))"
  Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
  sleep 1
  DISPLAY="$display" HOME="$work" "$work/program/harrowdex" >/dev/null 2>&1 &
  app=$!
  for _ in $(seq 50); do
    window=$(DISPLAY="$display" xdotool search --name "^Harrowdex v" 2>/dev/null | head -1) && [[ -n "$window" ]] && break
    sleep 0.2
  done
fi

# A search in the window by one horse's name, as a player types it.
window_search() {
  local name
  name="$(sqlite3 -readonly "$store" "SELECT hname FROM tblhorsedata ORDER BY random() LIMIT 1" 2>/dev/null)"
  DISPLAY="$display" xdotool windowfocus --sync "$window" key ctrl+f ctrl+a type --delay 5 "${name:-Zz}"
  DISPLAY="$display" xdotool key Return
  sleep 0.5
}

# Another store put in the place of the one the window has searched, after another
# program wrote to it: the three ways a player restores a backup or starts anew.
replace_store() {
  window_search
  "$cli" import --db "$store" --yes "$work/raceout$(random_week).txt" >/dev/null 2>&1 || true
  sleep 4  # a player's restore comes later than the window's idle spell
  case $((RANDOM % 3)) in
    0) operation="replacement (backup copied over the store)"
       cp "$work/backup.mdb" "$store" ;;
    1) operation="replacement (backup moved in under the store's name)"
       cp "$work/backup.mdb" "$work/program/restored.tmp"
       mv "$work/program/restored.tmp" "$store" ;;
    2) operation="replacement (store removed and made anew)"
       rm -f "$store"
       "$cli" makedb "$store" >/dev/null
       "$cli" import --db "$store" --yes "${files[@]:0:5}" >/dev/null 2>&1 ;;
  esac
  for look in "before" "after"; do
    [[ "$look" == after ]] && window_search
    if ! week_counts "$store" | cmp -s - "$work/backup.counts"; then
      echo "$operation: the store does not hold the backup's weeks $look the window's next search:" \
           "$(week_counts "$store" | tr '\n' ' ')" >&2
      exit 1
    fi
  done
}

random_week() { echo $((first + RANDOM % weeks)); }

# Starts one operation in the background; its pid in $pid, its name in $operation, and
# in $latest the longest it may run before the kill (milliseconds).
start_operation() {
  case $((RANDOM % 9)) in
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
    6) operation="bulk sync"
       # Into a store emptied as another tool would empty it (no week counts as removed by
       # the player), so that the sync fills it in the import's bulk load.
       sqlite3 "$store" "DELETE FROM tblhorsedata; DELETE FROM tblraces"
       "$cli" sync --db "$store" --quiet "$work/folder" >/dev/null 2>&1 &
       latest=2500 ;;
    7) operation="backup"
       # Half of them over the backup of an earlier kill or run.
       ((RANDOM % 2)) && rm -f "$backup_file"
       "$cli" backup --db "$store" "$backup_file" >/dev/null 2>&1 &
       latest=150 ;;
    8) operation="restore"
       # The backup must differ from the store, so that a mix of the two would show.
       if week_counts "$store" | cmp -s - "$work/earlier.counts"; then
         if [[ -s "$work/earlier.counts" ]]; then
           "$cli" remove-weeks --db "$store" "$(head -1 "$work/earlier.counts" | cut -d'|' -f1)" >/dev/null 2>&1
         else
           "$cli" import --db "$store" --yes "$work/raceout$(random_week).txt" >/dev/null 2>&1
         fi
       fi
       week_counts "$store" >"$work/old.counts"
       "$cli" restore --db "$store" "$work/earlier.mdb" --yes >/dev/null 2>&1 &
       latest=350 ;;
  esac
  pid=$!
}

# After a killed backup: its file is not there or is whole, and beside it are only
# temporary files, which are counted and removed. Sets $also.
check_killed_backup() {
  backups_killed=$((backups_killed + 1))
  local file left=0 problem
  for file in "$work/backups"/*; do
    [[ -e "$file" && "$file" != "$backup_file" ]] || continue
    if [[ "$file" != "$backup_file".*.tmp* ]]; then
      echo "$step ($operation): a file other than a temporary one left beside the backup: $file" >&2
      exit 1
    fi
    left=$((left + 1))
    rm -f "$file"
  done
  temporaries=$((temporaries + left))
  if [[ -e "$backup_file" ]]; then
    problem="$(not_whole "$backup_file")"
    if [[ -n "$problem" ]]; then
      echo "$step ($operation): the backup is not whole: $problem" >&2
      exit 1
    fi
    also="; backup whole"
  else
    also="; no backup"
  fi
  ((left)) && also+=", temporary files left: $left"
  return 0
}

# After a killed restore: the store holds its weeks before it or the backup's, and the
# store saved before it, if there, is whole. Sets $also.
check_killed_restore() {
  restores_killed=$((restores_killed + 1))
  local problem saved="$store.before-restore"
  if week_counts "$store" | cmp -s - "$work/old.counts"; then
    restores_old=$((restores_old + 1))
    also="; the old weeks"
  elif week_counts "$store" | cmp -s - "$work/earlier.counts"; then
    also="; the backup's weeks"
  else
    echo "$step ($operation): the store holds neither its old weeks ($(tr '\n' ' ' <"$work/old.counts"))" \
         "nor the backup's ($(tr '\n' ' ' <"$work/earlier.counts")): $(week_counts "$store" | tr '\n' ' ')" >&2
    exit 1
  fi
  if [[ -e "$saved" ]]; then
    problem="$(not_whole "$saved")"
    if [[ -n "$problem" ]]; then
      echo "$step ($operation): the store saved before the restore is not whole: $problem" >&2
      exit 1
    fi
    also+=", the saved store whole"
  fi
  local left
  left=$(find "$(dirname "$store")" -maxdepth 1 -name "$(basename "$saved").*.tmp*" | wc -l)
  temporaries=$((temporaries + left))
  ((left)) && also+=", temporary files left: $left"
  rm -f "$saved".*.tmp*
}

kills=0
finished=0
backups_killed=0
temporaries=0
restores_killed=0
restores_old=0
restored=0
replaced=0
deadline=$((SECONDS + seconds))
while ((kills < kills_wanted && SECONDS < deadline)); do
  if [[ -n "$window" ]] && ((RANDOM % 7 == 0)); then
    replace_store
    replaced=$((replaced + 1))
    step="replacement $replaced"
    outcome="with the window open"
  else
    start_operation
    delay=$((RANDOM % latest))
    sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
    if ! kill -KILL "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null || true
      finished=$((finished + 1))
      continue
    fi
    wait "$pid" 2>/dev/null || true
    kills=$((kills + 1))
    step="kill $kills"
    outcome="killed"
  fi
  # The search is the first program to open the store after the kill: it rolls an
  # unfinished transaction back and must restore what a killed bulk import dropped (the
  # week listing below would restore the indexes too).
  before="$(search_indexes "$store")"
  "$cli" search --db "$store" --horse 'A*' --yes >/dev/null 2>&1 || true
  after="$(search_indexes "$store")"
  if [[ "$after" != 6 ]]; then
    echo "$step ($operation): a search left $after of the 6 search indexes" >&2
    exit 1
  fi
  listing="$("$cli" weeks --db "$store" 2>&1)" || [[ "$listing" == "No races in the database.  Action cancelled." ]] || {
    echo "$step ($operation): the store cannot be listed: $listing" >&2
    exit 1
  }
  "$cli" watch --db "$store" >/dev/null 2>"$work/watch.err" || {
    echo "$step ($operation): the watch list cannot be read: $(cat "$work/watch.err")" >&2
    exit 1
  }
  problem="$(not_whole "$store")"
  if [[ -n "$problem" ]]; then
    echo "$step ($operation): $problem" >&2
    exit 1
  fi
  [[ "$before" != 6 ]] && restored=$((restored + 1))
  also=""
  case "$operation" in
    backup) check_killed_backup ;;
    restore) check_killed_restore ;;
  esac
  echo "$step: $operation $outcome; store whole$([[ "$before" != 6 ]] && echo ", search indexes restored")$also"
  # Now and then the restores' backup is made anew, so that they meet other weeks.
  if ((RANDOM % 4 == 0)); then earlier_backup; fi
done
echo "$kills kills, $kills stores whole, $restored times the search indexes restored;" \
     "$backups_killed backups killed, each whole or not there;" \
     "$restores_killed restores killed ($restores_old left the old weeks, the others the backup's);" \
     "$temporaries temporary files left by them;" \
     "$replaced stores replaced with the window open, each whole;" \
     "$finished operations ended before their kill; $SECONDS s"
((kills > 0))
