#!/bin/bash
# Makes the README's screenshot from the real program: a game in progress,
# played with real clicks on a private X server, the window's client area
# cut from the screen.
#   tools/screenshot.sh [ZARNIK [OUTPUT.png [SCALE]]]
# Defaults: build/zarnik, docs/screenshot.png, scale 1.
set -euo pipefail
cd "$(dirname "$0")/.."
zarnik=${1:-build/zarnik} out=${2:-docs/screenshot.png} scale=${3:-1}
[ -x "$zarnik" ] || { echo "screenshot.sh: no program at $zarnik (run make build)" >&2; exit 1; }
. tools/xsession.sh
start_xvfb
QT_SCALE_FACTOR=$scale "$zarnik" &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zarnik$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"

# A few moves from a new game, made from the keyboard (the focus starts on
# the first cell and Tab walks the cells in order), the focus left on the
# last one: cells 3, 6, 12, 13, 18 and 21.
for tabs in 3 3 6 1 5 3; do
    for _ in $(seq "$tabs"); do xdotool key Tab; done
    xdotool key space
done
# Read the screen until two readings agree, so the last repaint is in.
previous=""
for _ in $(seq 20); do
    xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$tmp/shot.png"
    sum=$(md5sum <"$tmp/shot.png")
    [ "$sum" = "$previous" ] && break
    previous=$sum
done
cp "$tmp/shot.png" "$out"
echo "wrote $out (${WIDTH}x$HEIGHT)"
