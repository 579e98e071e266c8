#!/usr/bin/env bash
# Checks that the C++ lines a change touches follow .clang-format. The change is the work
# since the branch left main (or, on main, since the last commit) plus what is not yet
# committed; HARROWDEX_FORMAT_BASE names another starting point. Untouched lines are left
# alone, so older code need not be reformatted. A copy of the files without a git
# repository (as CI tests) has no change to check.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1 || [[ "$(git rev-parse --show-toplevel)" != "$root" ]]; then
  echo "check-format: no git repository here; the format of changes is not checked"
  exit 0
fi

base="${HARROWDEX_FORMAT_BASE:-}"
if [[ -z "$base" ]]; then
  base="$(git merge-base HEAD main 2>/dev/null || true)"
  if [[ -z "$base" || "$base" == "$(git rev-parse HEAD)" ]]; then
    base="$(git rev-parse --verify -q HEAD~1 || git rev-parse HEAD)"
  fi
fi

problems="$(git diff -U0 -M --no-color "$base" -- '*.h' '*.cpp' | clang-format-diff -p1)"
if [[ -n "$problems" ]]; then
  echo "check-format: these changed lines differ from .clang-format (apply with" >&2
  echo "  git diff -U0 $base -- '*.h' '*.cpp' | clang-format-diff -p1 -i):" >&2
  echo "$problems" >&2
  exit 1
fi
echo "check-format: the changed lines follow .clang-format"
