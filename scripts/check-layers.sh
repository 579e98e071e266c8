#!/usr/bin/env bash
# Checks that the folders keep the layers apart: Qt only in qt/ folders, SQLite only in the
# race store, the program's sources never leaning on the command-line tool, and no folder
# of src/ including from a floor above its own or from another folder of its floor. Prints
# each offending include and fails when there is one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

qt_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]+|Qt[A-Za-z]+/[^>"]*|q[a-z_]+\.h)[>"]'
qt_folder_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*/)?qt/'
sqlite_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]sqlite3\.h[>"]'
cli_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*/)?cli/'

failed=0
# Lists the lines of the files given on standard input that match the pattern.
offenders() {
  local rule="$1" pattern="$2"
  local hits
  hits="$(xargs -r grep -HnE "$pattern" || true)"
  if [[ -n "$hits" ]]; then
      echo "check-layers: $rule" >&2
      sed 's/^/  /' <<<"$hits" >&2
      failed=1
  fi
}

sources() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) | sort; }

# Each check reads its file list from a redirection, not a pipe, so that it can mark the failure.
outside_qt="$(sources src cli tools | grep -v '/qt/')"
offenders "Qt outside a qt/ folder" "$qt_include" <<<"$outside_qt"
offenders "a qt/ header outside a qt/ folder" "$qt_folder_include" <<<"$outside_qt"
offenders "sqlite3.h outside src/store/" "$sqlite_include" < <(sources src cli tools | grep -v '^src/store/')
offenders "src/ including from cli/" "$cli_include" < <(sources src)

# The floors of the house, from the ground up: a folder may include itself and the floors
# below it, never a folder beside it, so no two folders lean on each other. The searches
# stand above the other subsystems: GO! runs the progeny search and the finder marks the
# watched horses, while the others list in the main window through shell/main_listing.h.
declare -A floor=([base]=1 [store]=2 [shell]=3 [import]=4 [progeny]=4 [lineage]=4 [output]=4 [watch]=4 [guide]=4
                  [search]=5 [app]=6)
include_folder='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z_]+)/'
while IFS= read -r file; do
  top="${file#src/}"
  top="${top%%/*}"
  own="${floor[$top]:-}"
  if [[ -z "$own" ]]; then
    echo "check-layers: $file is in src/$top/, which is no floor of the house" >&2
    failed=1
    continue
  fi
  while IFS=: read -r line text; do
    [[ "$text" =~ $include_folder ]] || continue
    included="${BASH_REMATCH[1]}"
    theirs="${floor[$included]:-}"
    [[ -z "$theirs" ]] && continue
    if ((theirs > own)) || { ((theirs == own)) && [[ "$included" != "$top" ]]; }; then
      echo "check-layers: a folder including one above it or beside it ($top includes $included)" >&2
      echo "  $file:$line:$text" >&2
      failed=1
    fi
  done < <(grep -nE "$include_folder" "$file" || true)
done < <(sources src)

if ((failed)); then
  exit 1
fi
echo "check-layers: the layers are in order"
