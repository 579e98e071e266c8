#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo season beside the program when there is
# no race store, and starts the window. With the demo: its breeding file when the user has
# none at the fixed place, and its horse pages served on 127.0.0.1 for the lineage lookup
# (while the window is open) unless the user's own HarrowdexServer.txt names a server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ ! -e "$build/horses.mdb" ]; then
  "$root/scripts/make-demo-store.sh" "$build/horses.mdb"
fi

demo="$build/demo"
arguments=()
if [ ! -e "${HOME:-.}/enr/breeding.txt" ] && [ -e "$demo/breeding.txt" ]; then
  arguments+=(--breeding "$demo/breeding.txt")
fi

# The server file is the demo's when it is the copy of the demo's own record of it.
server_file="$build/HarrowdexServer.txt"
record="$demo/HarrowdexServer.txt"
if [ -d "$demo/pages" ] && { [ ! -e "$server_file" ] || cmp -s "$server_file" "$record"; }; then
  rm -f "$record.new"
  "$build/harrowdex-page-server" --pages "$demo/pages" --address-file "$record.new" >/dev/null &
  server=$!
  trap 'kill "$server" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [ -e "$record.new" ] || ! kill -0 "$server" 2>/dev/null && break
    sleep 0.1
  done
  if [ -e "$record.new" ]; then
    mv "$record.new" "$record"
    cp "$record" "$server_file"
    echo "Serving the demo's horse pages at $(cat "$record")"
  else
    echo "The demo's page server did not start; \"Get Lineage Info.\" will find no server" >&2
  fi
fi
"$build/harrowdex" "${arguments[@]}"
