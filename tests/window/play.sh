#!/bin/bash
# Plays a real program with real pointer and key input on a private X server,
# reading the board off the screen after every step:
#   play.sh linux ZARNIK SCALE          the Linux program at a Qt scale factor
#   play.sh wine ZARNIK.EXE DPI PREFIX  Zarnik.exe under Wine at a DPI
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"
trap 'echo "(playing $1 at $3)" >&2' ERR
start_xvfb
start_game "$@"
read -r client_w client_h <<<"$(rect Client)"
[ "$WIDTH $HEIGHT" = "$client_w $client_h" ] || fail "client area ${WIDTH}x$HEIGHT, expected ${client_w}x$client_h"
# Without a window manager the client area is where the program put its frame.
dx=$(((1280 - WIDTH) / 2 - X)) dy=$(((1024 - HEIGHT) / 2 - Y))
[ "$kind" = wine ] || { [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ]; } || fail "not centred: $X,$Y"
expect_board "at start"

# The keyboard: the focus starts on cell 0; Space and Return press, Tab and
# Shift+Tab follow the tab order, Tab from the last cell reaches the new-game
# button.
key space; presses+=(0); expect_board "Space on cell 0"
key Tab Return; presses+=(1); expect_board "Tab, Return"
key shift+Tab shift+Tab space; presses=(); expect_board "Space on the new-game button after Shift+Tab twice"
# The arrows move within the grid and stop at its edges: from the new-game
# button Up to the middle of the bottom row, Left twice (once too many) to
# its start, Up to row 4; Down twice to the new-game button and Up again.
key Up Left Left Left Up space; presses+=(15); expect_board "Space after Up, Left three times, Up"
key Down Down Up Right Return; presses+=(23); expect_board "Return after Down twice, Up, Right"
# The focus ring: black on the focused cell, three pixels in at 96 DPI.
ring() { pixels $(at "$1" $((4 * dpi / 96)) $((28 * dpi / 96))); }
[ "$(ring 23)" = 0,0,0 ] && [ "$(ring 22)" != 0,0,0 ] || fail "no focus ring on cell 23 alone: $(ring 23), $(ring 22)"

# Held down, a cell sinks and shows its face (white while pale); let go, it
# and its neighbours turn.
if ((dpi % 96 == 0)); then
    s=$((dpi / 96))
    xdotool mousemove --window "$window" $(centre 12) mousedown 1
    sleep 0.3
    [ "$(pixels $(at 12 $((2 * s)) $((2 * s))))" = 255,255,255 ] || fail "no white face on the held cell"
    xdotool mouseup 1
    presses+=(12)
    expect_board "after holding cell 12"
fi

# Every cell by mouse, in a shuffled order, each judged on its own.
for k in $(shuf -i 0-24 --random-source=<(yes)); do
    click "$k"
    expect_board "after clicking cell $k"
done
# A fast second or third click arrives as a double click; each still moves.
xdotool mousemove --window "$window" $(centre 7) click --repeat 3 --delay 80 1
presses+=(7 7 7)
expect_board "after a triple click on cell 7"

# A clear from a new game: the message comes up over the all-red board, holds
# off clicks on the board while it is up, and leaves the board as it was.
click Command2
expect_board "after the new-game button"
click $(clearing_presses)
wait_for_box up
box=$(message_box)
xdotool windowmove "$box" $((X + WIDTH + 8)) 100  # aside, so every cell shows
expect_board "under the cleared message"
[ "$(screen_board)" = xxxxxxxxxxxxxxxxxxxxxxxxx ] || fail "the clearing presses did not clear"
xdotool mousemove --window "$window" $(centre 6) click 1
[ "$kind" = wine ] && xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_for_box down
expect_board "after the message, with a click on the board while it was up"

close_game
[ "$kind" = wine ] || [ ! -s "$tmp/stderr" ] || fail "wrote to stderr: $(cat "$tmp/stderr")"
echo "played $1 at $3: $((${#presses[@]})) presses into the last game"
