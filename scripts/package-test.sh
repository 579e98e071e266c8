#!/usr/bin/env bash
# Tests the package as a player meets it. THIS INSTALLS HARROWDEX SYSTEM-WIDE with apt (and
# removes it again at the end): run it as root on a machine without a copy of your own
# installed, such as a fresh container. It builds the package, installs it, then as a new
# ordinary user with a fresh home: harrowdex-cli --version; a store made and filled in the
# per-user data folder with harrowdex-cli; the window under Xvfb, its first-start question
# answered Yes (on a second user without a store) and a search; then removes the package and
# checks that the programs are gone and the player's store is kept.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
[ "$(id -u)" -eq 0 ] || { echo "package-test: run as root (it installs with apt)" >&2; exit 1; }
if dpkg-query -W -f='${Status}' harrowdex 2>/dev/null | grep -q "install ok installed"; then
  echo "package-test: harrowdex is installed already; this test would remove it. Stopping." >&2
  exit 1
fi
echo "package-test: this installs the harrowdex package system-wide, tests it, and removes it."

DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xdotool imagemagick >/dev/null
deb="$("$root/scripts/package.sh" | tail -n 1)"
player="hdx-player-$$"
first="hdx-first-$$"
# The first display number no X server uses.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
display=":$number"
cleanup() {
  [ -n "${window:-}" ] && kill "$window" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "${weeks:-/nonexistent}"
  for user in "$player" "$first"; do
    if id "$user" >/dev/null 2>&1 && ! userdel -r "$user" 2>/dev/null && id "$user" >/dev/null 2>&1; then
      echo "package-test: the test user $user could not be removed" >&2
    fi
  done
  if dpkg-query -W -f='${Status}' harrowdex 2>/dev/null | grep -q " installed"; then
    apt-get purge -y -q harrowdex >/dev/null || true
  fi
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb"
for user in "$player" "$first"; do useradd --create-home --shell /bin/bash "$user"; done
# The command that runs the rest of its line as `user`, with a fresh environment of its own.
# No session bus: Qt would otherwise start one that outlives the window and keeps the user
# from being removed.
as_user() {
  run_as=(setpriv --reuid="$1" --regid="$1" --init-groups
          env -i HOME="/home/$1" USER="$1" PATH=/usr/bin:/bin DISPLAY="$display" DBUS_SESSION_BUS_ADDRESS=disabled:)
}
as() {
  as_user "$1"
  shift
  "${run_as[@]}" "$@"
}
# Starts the window as `user` in the background; setpriv and env exec it, so $window is the
# program itself.
start_window() {
  as_user "$1"
  "${run_as[@]}" harrowdex >/dev/null 2>&1 &
  window=$!
}
stop_window() {
  kill "$window" 2>/dev/null || true
  wait "$window" 2>/dev/null || true
  window=""
}
fail() { echo "package-test: FAILED: $*" >&2; exit 1; }

# The command line tool, on a store in the per-user data folder.
version="$(as "$player" harrowdex-cli --version)"
echo "$version"
[[ "$version" == "harrowdex-cli "* ]] || fail "harrowdex-cli --version says '$version'"
store="/home/$player/.local/share/harrowdex/horses.mdb"
as "$player" mkdir -p "/home/$player/.local/share/harrowdex"
as "$player" harrowdex-cli makedb "$store"
weeks="$(mktemp -d)"
chmod 755 "$weeks"
cp "$root"/tests/data/samples/raceout*.txt "$weeks"/
as "$player" harrowdex-cli import --yes "$weeks"/raceout*.txt || fail "import"
listed="$(as "$player" harrowdex-cli weeks)"
echo "$listed"
[ -n "$listed" ] || fail "no weeks in the per-user store"

x() { DISPLAY="$display" "$@"; }
# Waits up to ten seconds for a shown window whose title matches, and names it.
shown() {
  for _ in $(seq 50); do
    x xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep . && return 0
    sleep 0.2
  done
  return 1
}

# The window: a first start without a store asks, Yes creates it and shows the window.
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
start_window "$first"
question="$(shown "^Harrowdex$")" || fail "no first-start question"
x import -window root "$build/package-test-first-start.png"
# Yes is the question's default button; Return answers it (no window manager: focus by hand).
x xdotool windowfocus --sync "$question" key --clearmodifiers Return
shown "^Harrowdex v" >/dev/null || fail "the window did not open after Yes"
[ -f "/home/$first/.local/share/harrowdex/horses.mdb" ] || fail "Yes made no store"
stop_window

# The window over the filled store: a search by a horse's name, which writes the grid's
# settings into the player's data folder.
settings="/home/$player/.local/share/harrowdex/HarrowdexSettings.ini"
horse="$(as "$player" harrowdex-cli search --owner '*' --yes --format json |
  python3 -c 'import json, sys; print(json.load(sys.stdin)["grid"][1][0])')"
start_window "$player"
main="$(shown "^Harrowdex v")" || fail "the window did not open"
before="$(stat -c %y "$settings" 2>/dev/null || echo none)"
sleep 1
# Ctrl+F puts the cursor in the name box.
x xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+f type --delay 20 "$horse"
x xdotool key --clearmodifiers Return
sleep 2
x import -window root "$build/package-test-search.png"
[ "$(stat -c %y "$settings" 2>/dev/null || echo none)" != "$before" ] || fail "the search in the window wrote no settings"
echo "package-test: the window's search for '$horse' is in $build/package-test-search.png"
stop_window

# Removal: the programs go, the player's store stays.
apt-get remove -y -q harrowdex >/dev/null
[ ! -e /usr/bin/harrowdex ] && [ ! -e /usr/bin/harrowdex-cli ] || fail "programs left after removal"
[ -f "$store" ] || fail "the player's store went with the package"
echo "package-test: passed."
