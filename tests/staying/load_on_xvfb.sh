#!/bin/bash
# The real program under a burst of real input on a private X server: 1,000
# random pointer clicks and keys sent at full speed, then the screen read
# back against the board this script works out by the rule; then a burst of
# new games, and clicks into the board while the cleared message is up.
#   load_on_xvfb.sh ZARNIK      (ZARNIK_SEED replays a run)
set -euo pipefail
zarnik=$1
. "$(dirname "$0")/../support/xsession.sh"
seed=${ZARNIK_SEED:-1}
RANDOM=$seed
echo "seed $seed (replay with ZARNIK_SEED=$seed)"

start_xvfb
start_zarnik
mask=$all_start
expect_board "at start"

# The script tracks the focus as the program moves it: it starts on cell 0,
# Tab walks cells 0 to 24 then the new-game button (25), and a click gives
# the clicked button the focus. A press that would clear the board becomes
# a Tab instead, so the message never comes up in the burst.
focus=0
events=()
tab() { events+=(key --delay 0 Tab) focus=$(((focus + 1) % 26)); }
# Qt on X takes a key released and pressed again within the same millisecond
# for auto-repeat, which presses nothing; no hand is that fast, so the same
# press key never comes twice in a row here.
press_key() {
    local key=$1
    ((${#events[@]})) && [ "${events[${#events[@]} - 1]}" = "$key" ] && key=$([ "$key" = space ] && echo Return || echo space)
    events+=(key --delay 0 "$key")
}
for _ in $(seq "${ZARNIK_EVENTS:-1000}"); do
    r=$((RANDOM % 100)) before=$mask
    if ((r < 50)); then
        k=$((RANDOM % 25))
        press "$k"
        if ((mask == 0)); then mask=$before; tab; else events+=(mousemove $(cell_xy "$k") click --delay 0 1) focus=$k; fi
    elif ((r < 52)); then
        events+=(mousemove $(command2_xy) click --delay 0 1) focus=25 mask=$all_start
    elif ((r < 66)); then
        tab
    elif ((r < 80)); then
        events+=(key --delay 0 shift+Tab) focus=$(((focus + 25) % 26))
    else
        if ((focus == 25)); then mask=$all_start; else press "$focus"; fi
        if ((mask == 0)); then mask=$before; tab; else press_key $(((r % 2)) && echo space || echo Return); fi
    fi
done
# End on a key press, so the board read back also proves where the focus is.
while :; do
    before=$mask
    if ((focus == 25)); then mask=$all_start; else press "$focus"; fi
    ((mask != 0)) && break
    mask=$before
    tab
done
press_key space
start=$(date +%s%N)
xdotool "${events[@]}"
expect_board "after 1,000 events"
echo "1,000 events played and checked in $((($(date +%s%N) - start) / 1000000)) ms"
[ -z "$(message_box)" ] || fail "a message box came up during the burst"

# Fifty new games as fast as the pointer goes.
events=(mousemove $(command2_xy))
for _ in $(seq 50); do events+=(click --delay 0 1); done
xdotool "${events[@]}"
mask=$all_start
expect_board "after 50 new games"

# Clear the board; while the message is up the board takes no clicks.
for k in 0 1 5 6 8 9 12 13 14 16 17 18 21 22 24; do xdotool mousemove $(cell_xy "$k") click 1; press "$k"; done
wait_for_box up
# Only where the box does not cover the board, so every click lands on it.
box=$(message_box)
eval "$(xdotool getwindowgeometry --shell "$box" | sed "s/^/box_/")"
bx=$box_X by=$box_Y bw=$box_WIDTH bh=$box_HEIGHT
clicked=0
for k in $(seq 0 24) new-game; do
    read -r x y <<<"$([ "$k" = new-game ] && command2_xy || cell_xy "$k")"
    ((x < bx || x >= bx + bw || y < by || y >= by + bh)) || continue
    xdotool mousemove "$x" "$y" click 1
    clicked=$((clicked + 1))
done
((clicked >= 20)) || fail "the box covers all but $clicked buttons"
xdotool key Return
wait_for_box down
expect_board "after clicks while the message was up"
[ "$(shown)" = xxxxxxxxxxxxxxxxxxxxxxxxx ] || fail "the board was not cleared"
kill -0 "$zarnik_pid" || fail "the program has gone: $(cat "$tmp/stderr")"
echo "passed"
