# For the scripts that play a real program on a private X server, judging the
# screen by the board reference and layout tool in the folder ZARNIK_TEST_TOOLS.
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/xsession.sh"
tools=${ZARNIK_TEST_TOOLS:?the folder of the test tools}
wm=""

# eventually COMMAND...: retries it for up to 20 s, for a busy machine.
eventually() { for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done; return 1; }

# openbox, its files in the scratch folder; ready once it has framed a window
# already there (one mapped while it starts can stay unmanaged).
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

# start_game linux ZARNIK SCALE | wine ZARNIK.EXE DPI PREFIX [WINDOWS_VERSION], the
# Linux one under the array wrapper if set; sets kind, dpi, window, zarnik_pid, X Y
# WIDTH HEIGHT (the client area) and presses, those since the last new game.
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
# read_layout DPI [X Y]: rects (the controls at DPI, the client area at X Y
# of the window read from), texts by the layout tool's keys ("Caption",
# "Name 3", ...), caption and board_points, where screen_board looks.
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
# The windows with the caption: the main one, then the cleared message. (A
# window manager's windows come and go, which can end a search with BadWindow.)
captioned() { xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null; }
main_window() { window=$(captioned | head -1) && [ -n "$window" ]; }
message_box() { captioned | grep -vx "$window" | head -1 || true; }
box_is() { if [ "$1" = up ]; then box=$(message_box) && [ -n "$box" ]; else [ -z "$(message_box)" ]; fi; }  # up|down
wait_for_box() { eventually box_is "$1" || fail "the cleared message did not go $1"; }
# "x y width height" of a window's frame (xwininfo: xdotool gives a framed
# window's position as its frame's).
frame() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 }
        /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
    IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# rects: "left top width height" of a cell by its number or Command2, "width
# height" of Client; at CONTROL DX DY: a point in a control.
at() { local l t w h; read -r l t w h <<<"${rects[$1]}"; echo $((l + $2)) $((t + $3)); }
centre() { local l t w h; read -r l t w h <<<"${rects[$1]}"; echo $((l + w / 2)) $((t + h / 2)); }

# "R,G,B" of each point given (X Y X Y ...) of the window, one per line.
pixels() {
    xwd -id "$window" -silent | convert xwd:- -format "$(printf '%%[hex:p{%s,%s}] ' "$@")" info: | tr ' ' '\n' |
        grep . | while read -r hex; do echo $((16#${hex:0:2})),$((16#${hex:2:2})),$((16#${hex:4:2})); done
}
# The board on the screen: o where a tile's middle is pale teal, x red, ? else.
screen_board() {
    pixels "${board_points[@]}" | awk -F, '{ printf ($1 == 255 && $2 < 160) ? "x" : ($1 < 200 && $2 > $1) ? "o" : "?" }'
}
# expect_board WHAT: waits for the board the presses make by the reference.
expect_board() {
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

# Alt+F4, to Wine or the window manager, and a clean exit; on a bare X server
# nobody would ask the program, so it is ended as a session ends it.
close_game() {
    if [ "$kind$wm" = linux ]; then kill -TERM "$zarnik_pid"; else key alt+F4; fi
    gone() { ! ps -o stat= -p "$zarnik_pid" | grep -qv Z; }  # exited, if not yet waited for
    eventually gone || fail "still running after its window was closed"
    local status=0
    wait "$zarnik_pid" || status=$?
    ((status == 0)) || fail "exit status $status after closing: $(cat "$tmp/stderr")"
}
