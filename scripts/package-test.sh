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
display=":$((90 + $$ % 9))"
cleanup() {
  [ -n "${window:-}" ] && kill "$window" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "${weeks:-/nonexistent}"
  for user in "$player" "$first"; do id "$user" >/dev/null 2>&1 && userdel -r "$user" 2>/dev/null || true; done
  dpkg-query -W harrowdex >/dev/null 2>&1 && apt-get remove -y -q harrowdex >/dev/null || true
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb"
for user in "$player" "$first"; do useradd --create-home --shell /bin/bash "$user"; done
# Runs a command as `user` with a fresh environment of its own (setpriv execs it, so $! of a
# background run is the program itself).
as() {
  local user="$1"
  shift
  setpriv --reuid="$user" --regid="$user" --init-groups \
    env -i HOME="/home/$user" USER="$user" PATH=/usr/bin:/bin DISPLAY="$display" "$@"
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

# The window: a first start without a store asks, Yes creates it and shows the window.
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
as "$first" harrowdex &
window=$!
for _ in $(seq 50); do DISPLAY="$display" xdotool search --name "^Harrowdex$" >/dev/null 2>&1 && break; sleep 0.2; done
questions="$(DISPLAY="$display" xdotool search --name "^Harrowdex$")" || fail "no first-start question"
# Yes is the question's default button; Return answers it (no window manager: focus by hand).
for question in $questions; do
  DISPLAY="$display" xdotool windowfocus --sync "$question" key --clearmodifiers Return 2>/dev/null || true
done
for _ in $(seq 50); do DISPLAY="$display" xdotool search --name "Harrowdex v" >/dev/null 2>&1 && break; sleep 0.2; done
DISPLAY="$display" xdotool search --name "Harrowdex v" >/dev/null || fail "the window did not open after Yes"
[ -f "/home/$first/.local/share/harrowdex/horses.mdb" ] || fail "Yes made no store"
kill "$window"
wait "$window" 2>/dev/null || true

# The window over the filled store: a search by a horse's name.
as "$player" harrowdex &
window=$!
for _ in $(seq 50); do DISPLAY="$display" xdotool search --name "Harrowdex v" >/dev/null 2>&1 && break; sleep 0.2; done
main="$(DISPLAY="$display" xdotool search --name "Harrowdex v" | head -1)" || fail "the window did not open"
horse="$(as "$player" harrowdex-cli search --owner '*' --yes --format json |
  python3 -c 'import json, sys; print(json.load(sys.stdin)["grid"][1][0])')"
DISPLAY="$display" xdotool windowfocus --sync "$main" type --delay 20 "$horse"
DISPLAY="$display" xdotool key --clearmodifiers Return
sleep 2
DISPLAY="$display" import -window root "$build/package-test-search.png"
echo "package-test: the search for '$horse' is in $build/package-test-search.png"
kill "$window"
wait "$window" 2>/dev/null || true

# Removal: the programs go, the player's store stays.
apt-get remove -y -q harrowdex >/dev/null
[ ! -e /usr/bin/harrowdex ] && [ ! -e /usr/bin/harrowdex-cli ] || fail "programs left after removal"
[ -f "$store" ] || fail "the player's store went with the package"
echo "package-test: passed."
