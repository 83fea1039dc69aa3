#!/usr/bin/env bash
# Takes docs/screenshot.png, the picture in the README: the real program on a virtual X display
# with the openbox window manager, its main window maximised, with every calculator open on the
# help book's worked examples. It drives the program as a user would, with the mouse and the
# keyboard (xdotool), and photographs the screen (ImageMagick's import).
#
# Usage: scripts/screenshot.sh [PROGRAM]     (by default the staged build of `make build`)
# Needs the packages xvfb, openbox, xdotool, x11-utils and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --on-display ]]; then
  program=$(realpath "${1:-build/stage/bin/motoreckon}")
  for tool in xvfb-run openbox xdotool xwininfo xprop import; do
    command -v "$tool" >/dev/null || {
      echo "$0: $tool is missing; install xvfb openbox xdotool x11-utils imagemagick" >&2
      exit 1
    }
  done
  [[ -x "$program" ]] || { echo "$0: no program $program; run make build first" >&2; exit 1; }
  exec xvfb-run -a -s "-screen 0 1280x770x24" "$0" --on-display "$program" docs/screenshot.png
fi
program=$2
picture=$3

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
openbox >/dev/null 2>&1 &
pids+=($!)
# A window mapped before the window manager runs is not managed: wait until openbox announces
# itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break
  sleep 0.1
done
"$program" >/dev/null 2>&1 &
pids+=($!)
frame=$(xdotool search --sync --onlyvisible --name '^MDIForm1$' | head -n 1)
sleep 1

# Double-clicking the title bar maximises the frame.
top=$(xwininfo -id "$frame" | awk '/Absolute upper-left Y/ {print $4}')
xdotool mousemove 500 $((top - 10)) click --repeat 2 --delay 100 1
sleep 1

# Opens a calculator: click Formulas, then walk its menus with the arrow keys.
open() {
  xdotool mousemove --window "$frame" 35 10 click 1
  sleep 0.5
  xdotool key "$@" Return
  sleep 1.5
}
# Types each value into the focused box and moves on to the next one.
fill() {
  for value in "$@"; do
    xdotool type --delay 60 "$value"
    xdotool key Tab
  done
}

open Down Right                                     # Engine > Size & Compression Ratio
fill 4 3.48 8 64 8 5
xdotool key Return
displacement=$(xdotool search --sync --onlyvisible --name '^Displacement and Compression' |
  head -n 1)
open Down Down Right                                # Carburator > Carburator Sizing
fill 6000 350 85
xdotool key alt+c
open Down Down Down Down Right                      # MPH, RPM & Gears > MPH
fill 3000 3.73 1 26
xdotool key alt+c
open Down Down Down Down Right Down                 # MPH, RPM & Gears > RPM
fill 60 3.73 1 26
xdotool key alt+c
open Down Down Down Right Down                      # !/4 Mile ET and MPH > HP by MPH
xdotool key alt+w                                   # the Weight box; MPH follows it
fill 3200 100
xdotool key alt+c
# The displacement window is a window of its own, below the frame since the frame was last used.
xdotool windowmove "$displacement" 840 350 windowactivate "$displacement"
sleep 1

import -window root "$picture"
echo "$picture"
