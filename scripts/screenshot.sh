#!/usr/bin/env bash
# Takes a screenshot of the main window under a virtual display: screenshot.sh OUT.png
# Needs xvfb and imagemagick; uses the race store beside the built program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
out="${1:?usage: screenshot.sh OUT.png}"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" "$build/harrowdex" >/dev/null 2>&1 &
app=$!
sleep "${HARROWDEX_SCREENSHOT_DELAY:-2}"
window=$(DISPLAY="$display" xwininfo -root -tree | awk '/"Harrowdex v4.31"/ {print $1; exit}')
DISPLAY="$display" import -window "${window:-root}" -frame "$out"
echo "Saved $out"
