#!/bin/bash
# The real program under load on a private X server: 1,000 random clicks,
# keys and new games sent at full speed in bursts, the screen read back
# against the board reference after every burst.
#   load_on_xvfb.sh ZARNIK      (ZARNIK_SEED replays a run)
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"
seed=${ZARNIK_SEED:-1}
RANDOM=$seed
echo "seed $seed (replay with ZARNIK_SEED=$seed)"
start_xvfb
start_game linux "$1" 1
expect_board "at start"

# A burst starts a new game only as its first event and presses at most ten
# distinct cells; no ten distinct presses cancel out (the fewest that do are
# twelve), so a press lost or sent to the wrong cell anywhere in a burst
# shows on the board read after it: every event is checked. The script
# follows the focus as the program moves it: Tab walks the cells then the
# new-game button (25), and a click focuses what it clicks. A press that
# would clear the board becomes a Tab, so the message never comes up here.
focus=0 sent=0 bursts=0 last_key=""
board_after() { "$tools/zarnik_board_reference" "${presses[@]}" "$@"; }
tab() {  # tab Tab|shift+Tab
    events+=(key --delay 0 "$1")
    if [ "$1" = Tab ]; then focus=$(((focus + 1) % 26)); else focus=$(((focus + 25) % 26)); fi
}
while ((sent < 1000)); do
    events=() pressed=" "
    if ((RANDOM % 8 == 0)); then
        events+=(mousemove --window "$window" $(centre Command2) click --delay 0 1) presses=() focus=25
    fi
    while ((${#events[@]} < 60 && $(wc -w <<<"$pressed") < 10)); do
        r=$((RANDOM % 100)) k=$((RANDOM % 25))
        ((r >= 50)) && k=$focus  # a key press on the focused button
        if ((r >= 50 && r < 70)); then
            tab $( ((r < 60)) && echo Tab || echo shift+Tab)
        elif ((k == 25)) || [[ $pressed == *" $k "* ]] || [ "$(board_after "$k")" = xxxxxxxxxxxxxxxxxxxxxxxxx ]; then
            tab Tab
        elif ((r < 50)); then
            events+=(mousemove --window "$window" $(centre "$k") click --delay 0 1) presses+=("$k") focus=$k pressed+="$k "
        else
            # Qt on X takes a key released and pressed again within the same
            # millisecond for auto-repeat, which presses nothing; no hand is
            # that fast, so the same key never comes twice in a row here.
            last_key=$([ "$last_key" = space ] && echo Return || echo space)
            events+=(key --delay 0 "$last_key") presses+=("$k") pressed+="$k "
        fi
    done
    xdotool "${events[@]}"
    sent=$((sent + $(grep -c -E '^(click|key)$' < <(printf '%s\n' "${events[@]}"))))
    bursts=$((bursts + 1))
    expect_board "after burst $bursts ($sent events in all): ${events[*]}"
done
[ -z "$(message_box)" ] || fail "a message box came up during the bursts"
echo "$sent events in $bursts bursts, each burst checked on the screen"

kill -0 "$zarnik_pid" || fail "the program has gone: $(cat "$tmp/stderr")"
