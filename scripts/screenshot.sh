#!/usr/bin/env bash
# Takes a screenshot of the main window under a virtual display:
#   screenshot.sh OUT.png [HORSE]
# With HORSE, types that name into the name box and presses Enter first. Needs xvfb,
# imagemagick and xdotool; uses the race store beside the built program.
#   screenshot.sh --guide [DIR]
# makes every picture of the player's guide instead (scripts/guide-pictures.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-}" = --guide ]; then
  shift
  exec "$root/scripts/guide-pictures.sh" "$@"
fi
build="${HARROWDEX_BUILD_DIR:-$root/build}"
out="${1:?usage: screenshot.sh OUT.png [HORSE]}"
horse="${2:-}"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" "$build/harrowdex" >/dev/null 2>&1 &
app=$!
sleep "${HARROWDEX_SCREENSHOT_DELAY:-2}"
window=$(DISPLAY="$display" xwininfo -root -tree | awk '/"Harrowdex v[0-9.]+"/ {print $1; exit}')
if [ -n "$horse" ]; then
  # The name box has the focus after start-up only when clicked; Ctrl+F puts the cursor there.
  DISPLAY="$display" xdotool windowfocus --sync "$window" key ctrl+f type --delay 20 "$horse"
  DISPLAY="$display" xdotool key Return
  sleep 1
fi
DISPLAY="$display" import -window "${window:-root}" -frame "$out"
echo "Saved $out"
