# Sourced by every script that plays a real program on a private X server,
# the Linux program or Zarnik.exe under Wine: one way to start it, to find its
# controls (the layout in pixels at the DPI under test), to read the board off
# the screen, and to know what it should show (the board reference).
# ZARNIK_TEST_TOOLS names the folder of zarnik_board_reference,
# zarnik_layout_pixels and zarnik_wm_close.
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/xsession.sh"
tools=${ZARNIK_TEST_TOOLS:?the folder of the test tools}

# start_game linux ZARNIK SCALE | wine ZARNIK.EXE DPI PREFIX
# Starts the program (the Linux one under the command in the array wrapper,
# if set) and waits for its window; sets kind, dpi, window, zarnik_pid,
# X Y WIDTH HEIGHT (the client area on the screen) and starts the record of
# presses since the last new game.
start_game() {
    kind=$1
    if [ "$kind" = linux ]; then
        dpi=$((96 * $3))
        QT_SCALE_FACTOR=$3 ${wrapper[@]+"${wrapper[@]}"} "$2" 2>"$tmp/stderr" &
    else
        dpi=$3
        start_wine "$4"
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1 || fail "cannot set the DPI"
        wine "$2" 2>"$tmp/stderr" &
    fi
    zarnik_pid=$!
    pids+=("$zarnik_pid")
    layout=$("$tools/zarnik_layout_pixels" "$dpi")
    caption=$(awk '$1 == "Caption" {print $2}' <<<"$layout")
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" | head -1)
    [ -n "$window" ] || fail "no window appeared: $(cat "$tmp/stderr")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    presses=()
}

# rect CONTROL: "left top width height" in the client area, for a cell by its
# number, Command2 or Client (the client area's size only).
rect() { awk -v c="$1" '$1 == "Command1" && $2 == c {print $3, $4, $5, $6} $1 == c {print $2, $3, $4, $5}' <<<"$layout"; }
# at CONTROL DX DY: the point DX, DY pixels into the control, in the window.
at() { local l t w h; read -r l t w h <<<"$(rect "$1")"; echo $((l + $2)) $((t + $3)); }
centre() { local l t w h; read -r l t w h <<<"$(rect "$1")"; at "$1" $((w / 2)) $((h / 2)); }

# "R,G,B" of each point given (X Y X Y ...) of the window, one per line, as
# the screen shows it.
pixels() {
    local format=""
    while [ $# -gt 0 ]; do
        format+="%[fx:int(255*p{$1,$2}.r+.5)],%[fx:int(255*p{$1,$2}.g+.5)],%[fx:int(255*p{$1,$2}.b+.5)] "
        shift 2
    done
    xwd -id "$window" -silent | convert xwd:- -format "$format" info: | tr ' ' '\n' | grep .
}
# The board as the screen shows it, cell 0 first: o where the middle of a
# tile is pale teal, x where it is red, ? for anything else.
screen_board() {
    local points=() k
    for k in $(seq 0 24); do points+=($(centre "$k")); done
    pixels "${points[@]}" | awk -F, '{ printf ($1 == 255 && $2 < 160) ? "x" : ($1 < 200 && $2 > $1) ? "o" : "?" }'
}
# Waits until the screen shows the board that the presses since the last new
# game make by the reference, which the program reaches once it has caught up.
expect_board() {  # expect_board WHAT
    local want seen _
    want=$("$tools/zarnik_board_reference" "${presses[@]}")
    for _ in $(seq 100); do
        seen=$(screen_board)
        [ "$seen" = "$want" ] && return 0
        sleep 0.05
    done
    fail "$1: the screen shows $seen, expected $want"
}
clearing_presses() { "$tools/zarnik_board_reference" --solve "${presses[@]}"; }

# click CONTROL...: real clicks at the controls' centres, each recorded.
click() {
    local c
    for c in "$@"; do
        xdotool mousemove --window "$window" $(centre "$c") click 1
        if [ "$c" = Command2 ]; then presses=(); else presses+=("$c"); fi
    done
}
# key KEY...: real key presses; the caller records what they press.
key() {
    [ "$kind" = wine ] && xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key --delay 20 "$@"
}

# The other window with the caption: the cleared message, if it is up.
message_box() { xdotool search --onlyvisible --name "^$caption\$" | grep -vx "$window" | head -1 || true; }
wait_for_box() {  # wait_for_box up|down
    local _
    for _ in $(seq 100); do
        if [ "$1" = up ]; then [ -n "$(message_box)" ] && return 0; else [ -z "$(message_box)" ] && return 0; fi
        sleep 0.05
    done
    fail "the cleared message did not go $1"
}

# Closes the window as a player does, and expects a clean exit.
close_game() {
    if [ "$kind" = linux ]; then "$tools/zarnik_wm_close" "$window"; else key alt+F4; fi
    timeout 15 tail --pid="$zarnik_pid" -f /dev/null || fail "still running after its window was closed"
    local status=0
    wait "$zarnik_pid" || status=$?
    ((status == 0)) || fail "exit status $status after closing: $(cat "$tmp/stderr")"
}
