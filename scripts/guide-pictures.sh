#!/usr/bin/env bash
# Makes every picture of the player's guide into docs/guide/pictures/ (or DIR):
#   guide-pictures.sh [DIR]
# from the demo season ending on a fixed day, so that the same build gives the same
# pictures: the built window program runs under a virtual display with that day as today,
# and xdotool drives it as a player would. Needs xvfb, imagemagick and xdotool.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HARROWDEX_BUILD_DIR:-$root/build}"
pictures="$(realpath -m "${1:-$root/docs/guide/pictures}")"
day=2026-12-08 week=10367  # week W is the day 35997 + W counted from 30 December 1899
mkdir -p "$pictures"

work="$(mktemp -d)"
display=":$((90 + RANDOM % 9))"
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# A copy of the program with the demo store beside it keeps its files there, away from the
# user's own; HOME is the work folder so that nothing of the user's is read either.
cp "$build/harrowdex" "$work/"
ln -s "$root/docs/guide" "$work/guide"
HARROWDEX_DEMO_LAST_WEEK=$week HARROWDEX_BUILD_DIR="$build" "$root/scripts/make-demo-store.sh" "$work/horses.mdb" >/dev/null
cli() { "$build/harrowdex-cli" "$@" --db "$work/horses.mdb" >/dev/null; }
cli watch --add-horse 5065388 --note "Claim at 20,000 if he runs on turf again" --today $day
cli watch --add-stable "Rowe & Crane" --note "Their turf sprinters" --today $day

export DISPLAY="$display" HOME="$work"
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
"$work/harrowdex" --breeding "$work/demo/breeding.txt" --today $day >/dev/null 2>&1 &
app=$!

# The shown window whose title is exactly TITLE.
window() { xdotool search --sync --onlyvisible --name "^$(sed 's/[?.*+()]/\\&/g' <<<"$1")\$" | head -1; }
# Keys (xdotool key names) to window WINDOW, after giving it the focus.
keys() {
  local target="$1"
  shift
  xdotool windowfocus --sync "$target" key --delay 80 "$@"
  sleep 0.6
}
typed() { xdotool type --delay 25 "$1"; sleep 0.6; }
# Saves the window WINDOW as NAME.png, without the dates a PNG file would carry.
save() {
  import -window "$2" -strip -define png:exclude-chunks=date,time "$pictures/$1.png"
  echo "Saved $pictures/$1.png"
}
# Saves the screen's part under WINDOW, pop-up lists that stand over it included.
saveScreenPart() {
  eval "$(xdotool getwindowgeometry --shell "$2")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip -define png:exclude-chunks=date,time \
      "$pictures/$1.png"
  echo "Saved $pictures/$1.png"
}
# Closes the small window WINDOW as Escape does.
closeWindow() { keys "$1" Escape; }

main=$(xdotool search --sync --onlyvisible --name '^Harrowdex v[0-9.]+$' | head -1)
sleep 1
keys "$main" ctrl+f; typed "Swift Baron"; keys "$main" Return; sleep 1
save main-window "$main"

keys "$main" alt+u s; chart=$(window "Speed Chart"); sleep 1
save speed-chart "$chart"; closeWindow "$chart"

keys "$main" alt+u w; watched=$(window "Watch List")
save watch-list "$watched"; closeWindow "$watched"

keys "$main" alt+u p; pars=$(window "Class Pars")
keys "$pars" alt+i; typed 5065388; keys "$pars" Return; sleep 1
save class-pars "$pars"; closeWindow "$pars"

keys "$main" alt+u h; finder=$(window "Find Horses")
keys "$finder" alt+f; sleep 1
save find-horses "$finder"
# The first two horses found, picked with the mouse, side by side.
xdotool mousemove --window "$finder" 60 305 click 1 mousemove --window "$finder" 60 321 keydown ctrl click 1 keyup ctrl
keys "$finder" alt+c; comparison=$(window "Compare Horses")
save compare-horses "$comparison"; closeWindow "$comparison"; closeWindow "$finder"

keys "$main" alt+u r; crosses=$(window "Crosses")
keys "$crosses" alt+s; typed "Painted Diamond"; keys "$crosses" Return; sleep 1
save crosses "$crosses"; closeWindow "$crosses"

keys "$main" alt+u d; calculator=$(window "Date Calculator")
typed $week; keys "$calculator" Return
save date-calculator "$calculator"; closeWindow "$calculator"

keys "$main" alt+u e; tracks=$(window "Edit Tracks")
save edit-tracks "$tracks"; closeWindow "$tracks"

keys "$main" alt+f e; removal=$(window "Remove Which Week of Data?")
save remove-data "$removal"; closeWindow "$removal"

keys "$main" alt+m; stables=$(window "Special Stable Search")
typed "Rowe & Crane"; keys "$stables" Tab; typed "Crane Stables"
save special-stable "$stables"; closeWindow "$stables"

keys "$main" alt+w ctrl+f; typed "Rowe & Crane"; keys "$main" Return; sleep 1
save stable-listing "$main"

keys "$main" alt+o ctrl+f; typed "Swift B"; sleep 1
saveScreenPart name-offers "$main"
keys "$main" Escape

keys "$main" F1; guide=$(window "Player's Guide")
keys "$guide" ctrl+f; typed "claiming tag"
save guide-window "$guide"
