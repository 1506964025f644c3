# Sourced by every script that plays a real program on a private X server
# (the Linux program, bare or under a window manager, or Zarnik.exe under
# Wine): starts it, finds its controls (the layout in pixels at the DPI under
# test), reads the board off the screen and knows what it should show (the
# board reference and the layout tool, in the folder ZARNIK_TEST_TOOLS).
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/xsession.sh"
tools=${ZARNIK_TEST_TOOLS:?the folder of the test tools}
wm=""

# eventually COMMAND...: retries it for up to 20 s, for a busy machine.
eventually() { for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done; return 1; }

# A real window manager on the display (openbox), as on a desktop; what it
# keeps of its own goes in the scratch folder. It is ready once it has framed
# a window already there (one mapped while it starts can stay unmanaged).
start_wm() {
    xmessage -title zarnik-wm-probe ready 2>/dev/null &
    local probe=$!
    eventually eval 'xwininfo -name zarnik-wm-probe 2>/dev/null | grep -q IsViewable' || fail "no probe window"
    HOME=$tmp XDG_CONFIG_HOME=$tmp/.config XDG_CACHE_HOME=$tmp/.cache XDG_DATA_HOME=$tmp/.local \
        openbox >"$tmp/openbox.log" 2>&1 &
    pids+=($!) && wm=openbox
    eventually eval 'xprop -name zarnik-wm-probe _NET_FRAME_EXTENTS 2>/dev/null | grep -q =' ||
        fail "openbox did not start: $(cat "$tmp/openbox.log")"
    kill "$probe" && wait "$probe" 2>/dev/null || true
}

# start_game linux ZARNIK SCALE | wine ZARNIK.EXE DPI PREFIX [WINDOWS_VERSION]
# Starts the program (the Linux one under the command in the array wrapper,
# if set) and waits for its window; sets kind, dpi, window, zarnik_pid,
# X Y WIDTH HEIGHT (the client area on the screen), the texts a player meets
# by the layout tool's keys ("Caption", "Name 3", ...) and starts the record
# of presses since the last new game.
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
        # The Windows version Wine reports, as winecfg -v sets it.
        wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "${5:-win10}" /f \
            >/dev/null 2>&1 || fail "cannot set the Windows version"
        wine "$2" 2>"$tmp/stderr" &
    fi
    zarnik_pid=$!
    pids+=("$zarnik_pid")
    read_layout "$dpi"
    eventually main_window || fail "no window appeared: $(cat "$tmp/stderr")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    presses=()
}
# read_layout DPI [X Y]: the controls' rectangles at DPI, with the client
# area's top-left corner at X, Y of the window pixels are read from (0, 0
# unless given), every text the layout tool prints, the caption, and where
# screen_board looks.
read_layout() {
    declare -gA rects texts
    local line key rest x y w h k
    while IFS= read -r line; do
        key=${line%% *} rest=${line#* }
        case $key in
        Command1 | Command2)
            [ "$key" = Command1 ] && key=${rest%% *} rest=${rest#* }
            read -r x y w h <<<"$rest"
            rects[$key]="$((x + ${2:-0})) $((y + ${3:-0})) $w $h" ;;
        Client) rects[$key]=$rest ;;
        Name) texts["Name ${rest%% *}"]=${rest#* } ;;
        *) texts[$key]=$rest ;;
        esac
    done < <("$tools/zarnik_layout_pixels" "$1")
    caption=${texts[Caption]}
    board_points=()  # the middle of each cell
    for k in $(seq 0 24); do board_points+=($(centre "$k")); done
}
# The program's windows with the caption: the main one, and the cleared
# message when it is up. (A window manager's own windows come and go
# meanwhile, which can end a search with BadWindow; hence the retries.)
captioned() { xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null; }
main_window() { window=$(captioned | head -1) && [ -n "$window" ]; }
message_box() { captioned | grep -vx "$window" | head -1 || true; }
box_is() {  # box_is up|down
    if [ "$1" = up ]; then box=$(message_box) && [ -n "$box" ]; else [ -z "$(message_box)" ]; fi
}
wait_for_box() { eventually box_is "$1" || fail "the cleared message did not go $1"; }
# "x y width height" of a window's frame as the window manager reports it.
# (xwininfo, as xdotool gives a framed window's position as its frame's.)
frame() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 }
        /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
    IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# rect CONTROL: "left top width height" in the client area, for a cell by its
# number, Command2 or Client (the client area's size only).
rect() { echo "${rects[$1]}"; }
# at CONTROL DX DY: the point DX, DY pixels into the control, in the window.
at() { local l t w h; read -r l t w h <<<"${rects[$1]}"; echo $((l + $2)) $((t + $3)); }
centre() { local l t w h; read -r l t w h <<<"${rects[$1]}"; echo $((l + w / 2)) $((t + h / 2)); }

# "R,G,B" of each point given (X Y X Y ...) of the window, one per line.
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
    pixels "${board_points[@]}" | awk -F, '{ printf ($1 == 255 && $2 < 160) ? "x" : ($1 < 200 && $2 > $1) ? "o" : "?" }'
}
# Waits until the screen shows the board that the presses since the last new
# game make by the reference, which the program reaches once it has caught up.
expect_board() {  # expect_board WHAT
    want=$("$tools/zarnik_board_reference" "${presses[@]}")
    shows_want() { seen=$(screen_board) && [ "$seen" = "$want" ]; }
    eventually shows_want || fail "$1: the screen shows $seen, expected $want"
}
clearing_presses() { "$tools/zarnik_board_reference" --solve "${presses[@]}"; }

# click CONTROL...: real clicks at the controls' centres, each recorded.
click() {
    local c
    for c in "$@"; do
        xdotool mousemove --window "$window" $(centre "$c") click --delay 0 1
        if [ "$c" = Command2 ]; then presses=(); else presses+=("$c"); fi
    done
}
# click_each CONTROL...: one at a time, each once the screen shows what the
# last did, as a player clicks (openbox on a busy machine can lose one of a burst).
click_each() { local c; for c in "$@"; do expect_board "before clicking $c" && click "$c"; done; }
# key KEY...: real key presses; the caller records what they press.
key() {
    [ "$kind" = wine ] && xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key --delay 20 "$@"
}

# Closes the window as a player does, with Alt+F4 (to Wine, or to the window
# manager, which asks the program), and expects a clean exit. A bare X
# server has nobody to ask: there the program is ended as a session ends it.
close_game() {
    if [ "$kind$wm" = linux ]; then kill -TERM "$zarnik_pid"; else key alt+F4; fi
    gone() { ! ps -o stat= -p "$zarnik_pid" | grep -qv Z; }  # exited, if not yet waited for
    eventually gone || fail "still running after its window was closed"
    local status=0
    wait "$zarnik_pid" || status=$?
    ((status == 0)) || fail "exit status $status after closing: $(cat "$tmp/stderr")"
}
