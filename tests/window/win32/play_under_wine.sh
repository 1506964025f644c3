#!/bin/bash
# Plays Zarnik.exe under Wine on a private Xvfb display with real pointer and
# key events, reading the cells back by colour from the screen.
#
#   play_under_wine.sh prepare WORKDIR            fresh 64-bit Wine prefix
#   play_under_wine.sh play EXE WORKDIR DPI       one game at DPI (96, 144, ...)
#
# Screenshots land in WORKDIR/shots. Every wait is bounded; Wine and Xvfb are
# stopped on exit whatever happened.
set -euo pipefail

mode=$1
case $mode in
prepare) work=$2 ;;
play) exe=$2 work=$3 dpi=$4 ;;
*) echo "usage: $0 prepare WORKDIR | play EXE WORKDIR DPI" >&2; exit 2 ;;
esac

export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
log=$work/wine-$mode${dpi:+-$dpi}.log

fail() { echo "FAIL: $*" >&2; exit 1; }
say() { echo "-- $*"; }

# Waits up to $1 seconds for the command in the remaining arguments.
wait_for() {
    local limit=$(($1 * 10)); shift
    for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
    return 1
}

if [ "$mode" = prepare ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$work"
    timeout 180 wineboot -i >"$log" 2>&1 || fail "wineboot -i failed, see $log"
    timeout 60 wineserver -w
    # The cleared message is Japanese; a ja_JP locale gives Wine its glyphs.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 2>/dev/null ||
            echo "note: no ja_JP.UTF-8 locale; the message will show in a fallback font"
    fi
    exit 0
fi

[ -f "$exe" ] || fail "no executable at $exe"
[ -d "$WINEPREFIX" ] || fail "no Wine prefix at $WINEPREFIX (run prepare first)"
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
shots=$work/shots
mkdir -p "$shots"

xvfb_pid='' wine_pid=''
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$work/display" "$work/screen.xwd"
}
trap cleanup EXIT

# The display number comes from Xvfb itself, so parallel runs never collide.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

timeout 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >>"$log" 2>&1 || fail "could not set LogPixels"
wine "$exe" >>"$log" 2>&1 &
wine_pid=$!

main_window() { xdotool search --onlyvisible --name '^Zarnik$' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
wait_for 30 has_main_window || fail "no window named Zarnik within 30 s"
win=$(main_window)

# Twips to pixels at this DPI, rounded as the program rounds them.
px() { echo $((($1 * dpi + 720) / 1440)); }
read -r width height < <(xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
say "client area ${width}x${height} at $dpi DPI"
[ "$width" = "$(px 4740)" ] && [ "$height" = "$(px 5595)" ] ||
    fail "client area ${width}x${height}, expected $(px 4740)x$(px 5595)"

cell_x() { echo $(($(px $((240 + 840 * ($1 % 5)))) + $(px 855) / 2)); }
cell_y() { echo $(($(px $((240 + 840 * ($1 / 5)))) + $(px 855) / 2)); }

# The 25 cells as S (start, pale teal) or T (turned, red), read at each
# cell's centre from the window's pixels.
board() {
    xwd -id "$win" -silent >"$work/screen.xwd" 2>/dev/null || { echo unreadable; return; }
    local format='' k
    for ((k = 0; k < 25; k++)); do
        format+="%[fx:int(255*p{$(cell_x $k),$(cell_y $k)}.r)],%[fx:int(255*p{$(cell_x $k),$(cell_y $k)}.g)] "
    done
    convert "xwd:$work/screen.xwd" -format "$format" info: 2>/dev/null | tr ' ' '\n' |
        awk -F, 'NF == 2 { printf "%s", ($1 >= 240 && $2 <= 160) ? "T" : ($1 <= 200 && $2 >= 175) ? "S" : "?" }'
}
expected=SSSSSSSSSSSSSSSSSSSSSSSSS
# Applies the move rule to $expected, to know what the screen should show.
expect_move() {
    local k=$1 t
    flip() { local c=${expected:$1:1}; [ "$c" = S ] && c=T || c=S; expected=${expected:0:$1}$c${expected:$(($1 + 1))}; }
    flip "$k"
    ((k > 4)) && flip $((k - 5))
    ((k % 5 != 0)) && flip $((k - 1))
    (((k + 1) % 5 != 0)) && flip $((k + 1))
    ((k < 20)) && flip $((k + 5))
    true
}
board_is_expected() { [ "$(board)" = "$expected" ]; }
check_board() {
    wait_for 5 board_is_expected || fail "$1: board $(board), expected $expected"
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; }
key() { xdotool windowfocus --sync "$win" 2>/dev/null || true; xdotool key "$@"; }
shot() { xwd -root -silent | convert xwd:- "$shots/$1.png"; }

check_board "start"
say "all 25 cells start pale"

if [ "$dpi" = 96 ]; then
    key space  # the focus starts on cell 0
    expect_move 0
    check_board "Space on the first focused cell"
    key Return
    expect_move 0
    check_board "Enter on the focused cell"
    say "Space and Enter move on the focused cell 0"
fi

for k in 0 1 5 6 8 9 12 13 14 16 17 18 21 22; do
    click "$(cell_x $k)" "$(cell_y $k)"
    expect_move "$k"
    check_board "click on cell $k"
done
say "14 clicks turned the expected cells"
shot "midgame-$dpi"

other_window() { xdotool search --onlyvisible --name '^Zarnik$' 2>/dev/null | grep -vx "$win" | head -1; }
has_other_window() { [ -n "$(other_window)" ]; }
has_no_other_window() { [ -z "$(other_window)" ]; }
has_no_other_window || fail "a second Zarnik window before the board was cleared"
click "$(cell_x 24)" "$(cell_y 24)"
expect_move 24
wait_for 10 has_other_window || fail "no cleared message after the last move"
box=$(other_window)
[ "$expected" = TTTTTTTTTTTTTTTTTTTTTTTTT ] || fail "the sequence did not clear the board"
# Without a window manager Wine leaves an owned box unpainted where it
# overlaps its owner until it is moved, so it goes aside for the picture;
# that also uncovers every cell.
xdotool windowmove "$box" $(($(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}') + width + 8)) 200
check_board "under the cleared message"
shot "cleared-$dpi"
say "cleared: all red, message box up"

xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
wait_for 10 has_no_other_window || fail "Return did not dismiss the message"
say "Return dismissed the message"

click $(($(px 1560) + $(px 1815) / 2)) $(($(px 4800) + $(px 495) / 2))
expected=SSSSSSSSSSSSSSSSSSSSSSSSS
check_board "after the new-game button"
say "new game: all cells back to start"

if [ "$dpi" = 96 ]; then
    key Tab  # from the new-game button round to cell 0
    key Return
    expect_move 0
    check_board "Enter after Tab from the new-game button"
    key shift+Tab space  # back to the new-game button
    expected=SSSSSSSSSSSSSSSSSSSSSSSSS
    check_board "Space on the new-game button"
    say "Tab and Shift+Tab follow the tab order"

    # A fast second click arrives as a double click; it must still move.
    xdotool mousemove --window "$win" "$(cell_x 12)" "$(cell_y 12)" click --repeat 3 --delay 60 1
    expect_move 12
    check_board "three fast clicks on cell 12"
    key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space  # cell 12 to the new-game button
    expected=SSSSSSSSSSSSSSSSSSSSSSSSS
    check_board "Space on the new-game button after 13 Tabs"
    say "every click of a fast triple click moved"
fi

key alt+F4
wait_for 15 bash -c "! kill -0 $wine_pid 2>/dev/null" || fail "Zarnik did not exit after Alt+F4"
status=0
wait "$wine_pid" || status=$?
wine_pid=''
[ "$status" = 0 ] || fail "Zarnik exited with status $status"
say "closed with Alt+F4, exit status 0"
