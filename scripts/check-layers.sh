#!/usr/bin/env bash
# Checks that the folders keep the layers apart: Qt only in qt/ folders, SQLite only in the
# race store, and the program's sources never leaning on the command-line tool. Prints each
# offending include and fails when there is one.
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

if ((failed)); then
  exit 1
fi
echo "check-layers: the layers are in order"
