#!/bin/bash
# Plays a real program with real input, judging the screen after every step:
#   play.sh linux ZARNIK SCALE [openbox] | wine ZARNIK.EXE DPI PREFIX
# Under openbox also what a window manager shows: the frames centred, the
# message's whole title, WM_CLASS as ZARNIK_DESKTOP_ENTRY names it.
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"
trap 'echo "(playing $1 at $3 ${4:-})" >&2' ERR
start_xvfb
[ "${4:-}" = openbox ] && start_wm
start_game "$@"
[ "$WIDTH $HEIGHT" = "${rects[Client]}" ] || fail "client area $WIDTH $HEIGHT, expected ${rects[Client]}"
# "x y w h" $1 centred on $2.
centred() {
    local a b
    read -r -a a <<<"$1" && read -r -a b <<<"$2"
    local dx=$((2 * a[0] + a[2] - 2 * b[0] - b[2])) dy=$((2 * a[1] + a[3] - 2 * b[1] - b[3]))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]
}
if [ -n "$wm" ]; then
    main=$(frame "$window")
    centred "$main" "$(xprop -root _NET_WORKAREA | cut -d= -f2 | tr -d , | cut -d' ' -f2-5)" || fail "frame $main not centred"
    class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
    grep -qx "StartupWMClass=$class" "$ZARNIK_DESKTOP_ENTRY" || fail "WM_CLASS $class is not the desktop entry's"
    # Full screen would leave the fixed board in a corner of a black screen.
    wmctrl -i -r "$window" -b add,fullscreen
    back() { ! xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN && [ "$(frame "$window")" = "$main" ]; }
    sleep 0.3 && eventually back || fail "full screen was not turned down: $(frame "$window")"
elif [ "$kind" = linux ]; then  # the client area stands where the program put its frame
    centred "$X $Y $WIDTH $HEIGHT" "0 0 1280 1024" || fail "not centred: $X,$Y"
fi
expect_board "at start"
# Raised buttons, lit from the top left: the first cell's outer left edge
# lighter than any tile, the last column's outer right edge darker.
read -r _ _ w h <<<"${rects[4]}"
shade() { pixels $(at "$@") | awk -F, '{print $1 + $2 + $3}'; }
(($(shade 0 0 $((h / 2))) > 600 && $(shade 4 $((w - 1)) $((h / 2))) < 400)) || fail "the cells are not raised"

# The focus starts on cell 0; Tab goes on from the last cell to the new game.
key space; presses+=(0); expect_board "Space on cell 0"
key Tab Return; presses+=(1); expect_board "Tab, Return"
key shift+Tab shift+Tab space; presses=(); expect_board "Space on the new-game button after Shift+Tab twice"
# The arrows stop at the grid's edges; Up from the new game to the bottom
# row's middle, Down from the bottom row to the new game.
key Up Left Left Left Up space; presses+=(15); expect_board "Space after Up, Left three times, Up"
key Down Down Up Right Return; presses+=(23); expect_board "Return after Down twice, Up, Right"
ring() { pixels $(at "$1" $((4 * dpi / 96)) $((28 * dpi / 96))); }
[ "$(ring 23)" = 0,0,0 ] && [ "$(ring 22)" != 0,0,0 ] || fail "no focus ring on cell 23 alone: $(ring 23), $(ring 22)"

# Held down, a cell sinks and shows its white face; let go, it turns.
if ((dpi % 96 == 0)); then
    s=$((dpi / 96))
    xdotool mousemove --window "$window" $(centre 12) mousedown 1
    sleep 0.3
    [ "$(pixels $(at 12 $((2 * s)) $((2 * s))))" = 255,255,255 ] || fail "no white face on the held cell"
    xdotool mouseup 1
    presses+=(12)
    expect_board "after holding cell 12"
fi

for k in $(shuf -i 0-24 --random-source=<(yes)); do
    click "$k"
    expect_board "after clicking cell $k"
done
# A fast second or third click arrives as a double click; each still moves.
xdotool mousemove --window "$window" $(centre 7) click --repeat 3 --delay 80 1
presses+=(7 7 7)
expect_board "after a triple click on cell 7"

# A clear from a new game: the message holds off clicks on the board.
click Command2
expect_board "after the new-game button"
last=$(clearing_presses | awk '{print $NF}')
click_each $(clearing_presses)
wait_for_box up
if [ -n "$wm" ]; then
    centred "$(frame "$box")" "$main" || fail "the message's frame $(frame "$box") is not centred on $main"
    # As much title as the main window's: where a bar differs with it blanked.
    title_width() {
        local x y w h top
        read -r x y w h <<<"$(frame "$1")"
        top=$(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d, -f3 | tr -d ' ')
        bar() { import -silent -window root -crop "${w}x$top+$x+$y" +repage "$tmp/$1.png"; }
        blanked() {
            bar blank
            title=$(convert "$tmp/titled.png" "$tmp/blank.png" -compose difference -composite \
                -threshold 10% -format '%@' info: 2>/dev/null | cut -dx -f1) && [ "$title" -gt 0 ]
        }
        bar titled
        xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME " "
        eventually blanked || title=0
        xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME "$caption"
        echo "$title"
    }
    full=$(title_width "$window") shown=$(title_width "$box")
    ((full > 0 && shown + 2 >= full)) || fail "the message shows $shown of the main window's $full title pixels"
fi
xdotool windowmove "$box" $((X + WIDTH + 8)) 100  # aside, so every cell shows
expect_board "under the cleared message"
[ "$(screen_board)" = xxxxxxxxxxxxxxxxxxxxxxxxx ] || fail "the clearing presses did not clear"
for k in $(seq 0 24) Command2; do xdotool mousemove --window "$window" $(centre "$k") click --delay 0 1; done
# A click on the blocked board may take the focus for a moment; Qt gives it back.
[ "$kind" = wine ] && xdotool windowfocus --sync "$box" 2>/dev/null ||
    eventually eval '[ "$(xdotool getwindowfocus)" = "$box" ]' || fail "the message did not get the focus back"
xdotool key Return
wait_for_box down
expect_board "after the message, with a click on every button while it was up"
key space; presses+=("$last"); expect_board "Space after the message"
# Return held with key repeat on, as on any desktop: one move, and the message
# waits for a fresh press. (Wine focuses its box; Qt's waits for a window manager.)
xset r on
xdotool keydown Return; presses+=("$last")
wait_for_box up
[ "$kind" = linux ] && xdotool windowfocus --sync "$box"
sleep 1.5 && xdotool keyup Return && sleep 0.3
box_is up || fail "a held Return closed the cleared message"
xdotool key Return
wait_for_box down
expect_board "after Return held on the clearing move, and pressed again"

close_game
[ "$kind" = wine ] || [ ! -s "$tmp/stderr" ] || fail "wrote to stderr: $(cat "$tmp/stderr")"
echo "played $1 at $3 ${4:-}: ${#presses[@]} presses into the last game"
