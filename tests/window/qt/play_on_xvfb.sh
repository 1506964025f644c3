#!/bin/bash
# Plays the real program on a private X server with real pointer and key
# events, reading the screen back to judge the cells by colour:
#   play_on_xvfb.sh ZARNIK LAYOUT_PIXELS WM_CLOSE SCALE
set -euo pipefail

zarnik=$1 layout_pixels=$2 wm_close=$3 scale=$4
. "$(dirname "$0")/../../support/xsession.sh"
fail() { echo "FAIL (scale $scale): $*" >&2; exit 1; }
start_xvfb

# Where things are, in screen pixels, from the program's own layout data.
declare -A rect
while read -r name a b c d e; do
    if [ "$name" = Command1 ]; then rect[$a]="$b $c $d $e"; else rect[$name]="$a $b $c $d"; fi
done < <("$layout_pixels")
[ "${#rect[@]}" -eq 27 ] || fail "cannot read the layout from $layout_pixels"

QT_SCALE_FACTOR=$scale "$zarnik" 2>"$tmp/stderr" &
zarnik_pid=$!
pids+=("$zarnik_pid")
window=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$zarnik_pid" --name "^Zarnik$" | head -1)
[ -n "$window" ] || fail "no window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r client_w client_h <<<"${rect[Client]}"
[ "$WIDTH" -eq $((client_w * scale)) ] && [ "$HEIGHT" -eq $((client_h * scale)) ] ||
    fail "window is ${WIDTH}x$HEIGHT"
dx=$(((1280 - WIDTH) / 2 - X)) dy=$(((1024 - HEIGHT) / 2 - Y))
[ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] || fail "window at $X,$Y is not centred"

snap() { xwd -root -silent | convert xwd:- "$tmp/shot.png"; }
# Screen point of logical pixel (dx, dy) inside a control.
at() {
    local left top w h
    read -r left top w h <<<"${rect[$1]}"
    echo $((X + (left + $2) * scale)) $((Y + (top + $3) * scale))
}
centre() {
    local left top w h
    read -r left top w h <<<"${rect[$1]}"
    at "$1" $((w / 2)) $((h / 2))
}
# "R G B" of each screen point given, one line each, from the last snap.
pixels() {
    local format=""
    while [ $# -gt 0 ]; do
        format+="%[fx:int(255*p{$1,$2}.r+.5)] %[fx:int(255*p{$1,$2}.g+.5)] %[fx:int(255*p{$1,$2}.b+.5)]\n"
        shift 2
    done
    convert "$tmp/shot.png" -format "$format" info:
}
# The board as a player sees it: o for a pale teal tile, x for a red one.
board() {
    local points=() k
    for k in $(seq 0 24); do points+=($(centre "$k")); done
    pixels "${points[@]}" | awk '{
        if ($2 == $3 && $1 < $2 && $1 > 100) printf "o";
        else if ($1 == 255 && $2 == $3 && $2 < 160) printf "x";
        else printf "?" }'
}
expect_board() { snap; local seen; seen=$(board); [ "$seen" = "$1" ] || fail "$2: board $seen, expected $1"; }
all_start=ooooooooooooooooooooooooo
all_turned=xxxxxxxxxxxxxxxxxxxxxxxxx
# The board after pressing cells from a new game, by the rule itself.
after() {
    local b=(1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1) k n out=""
    for k in "$@"; do
        for n in $k $((k - 5)) $((k + 5)); do [ $n -ge 0 ] && [ $n -lt 25 ] && b[n]=$((1 - b[n])); done
        [ $((k % 5)) -ne 0 ] && b[k - 1]=$((1 - b[k - 1]))
        [ $((k % 5)) -ne 4 ] && b[k + 1]=$((1 - b[k + 1]))
    done
    for k in $(seq 0 24); do out+=$([ "${b[k]}" = 1 ] && echo o || echo x); done
    echo "$out"
}
focus_dots() { pixels $(at "$1" 4 4) $(at "$1" 5 4) | tr '\n' ' '; }

# Opens on a new game with the dotted focus frame on the first cell.
expect_board $all_start "at start"
[ "$(focus_dots 0)" = "0 0 0 255 255 255 " ] || fail "no focus frame on cell 0: $(focus_dots 0)"

# Holding the mouse on a cell sinks it and shows its white face; letting go
# turns it and its neighbours red; held again, the face is red.
xdotool mousemove $(centre 12) mousedown 1
snap
[ "$(pixels $(at 12 2 2))" = "255 255 255" ] || fail "pressed start face: $(pixels $(at 12 2 2))"
xdotool mouseup 1
expect_board "$(after 12)" "after clicking 12"
xdotool mousedown 1
snap
[ "$(pixels $(at 12 2 2))" = "255 0 0" ] || fail "pressed turned face: $(pixels $(at 12 2 2))"
xdotool mouseup 1
expect_board $all_start "after clicking 12 twice"

# The keyboard: Tab moves the focus on, Space and Return press.
xdotool key Tab
xdotool key space
expect_board "$(after 13)" "after Tab, Space"
snap
[ "$(focus_dots 13)" = "0 0 0 255 255 255 " ] || fail "no focus frame on cell 13"
xdotool key Return
expect_board $all_start "after Return"

# Clearing the board brings up the message over the all-red board.
for k in 0 1 5 6 8 9 12 13 14 16 17 18 21 22; do xdotool mousemove $(centre "$k") click 1; done
expect_board "$(after 0 1 5 6 8 9 12 13 14 16 17 18 21 22)" "one press before clearing"
xdotool mousemove $(centre 24) click 1
box=""
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name '^Zarnik$' | grep -vx "$window" | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "no message box after clearing"
snap
for k in 0 4 20 24; do
    [ "$(board | cut -c$((k + 1)))" = x ] || fail "cell $k not red behind the message"
done
# The box is modal: a click on the board does nothing.
xdotool mousemove $(centre 20) click 1
xdotool key Return
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Zarnik$' | grep -qvx "$window" || break
    sleep 0.05
done
xdotool search --onlyvisible --name '^Zarnik$' | grep -qvx "$window" && fail "Return left the box up"
expect_board $all_turned "after dismissing the message"

# The new-game button starts over.
xdotool mousemove $(centre Command2) click 1
expect_board $all_start "after the new-game button"

# Closing the window ends the program, cleanly.
"$wm_close" "$window"
for _ in $(seq 100); do kill -0 "$zarnik_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$zarnik_pid" 2>/dev/null && fail "still running after closing its window"
status=0
wait "$zarnik_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s "$tmp/stderr" ] || fail "wrote to stderr: $(cat "$tmp/stderr")"
echo "played at scale $scale"
