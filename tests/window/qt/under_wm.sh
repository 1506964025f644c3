#!/bin/bash
# The real program under a real window manager (openbox) on a private X
# server: the framed window centred on the screen, its WM_CLASS as the desktop
# entry names it, full screen turned down, and the cleared message centred
# over the window with its whole title on the title bar, the focus back on the
# board after it.
#   under_wm.sh ZARNIK LAYOUT_PIXELS BOARD_REFERENCE DESKTOP_ENTRY
set -euo pipefail

zarnik=$1 layout_pixels=$2 board_reference=$3 desktop_entry=$4
. "$(dirname "$0")/../../../tools/xsession.sh"
start_xvfb
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_CACHE_HOME=$tmp/home/.cache
mkdir -p "$HOME"

openbox >"$tmp/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

"$zarnik" 2>"$tmp/stderr" &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zarnik$' | head -1)
[ -n "$window" ] || fail "no window appeared: $(cat "$tmp/stderr")"

# "x y width height" of a window's frame, from its client and the frame
# extents the window manager puts on it.
frame() {
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 }
        /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
        END { print x, y, w, h }')
    IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2)
    echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}
# Fails unless the rectangles "x y w h" $1 and $2 share their centre to a pixel.
same_centre() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    local dx=$((2 * a[0] + a[2] - 2 * b[0] - b[2])) dy=$((2 * a[1] + a[3] - 2 * b[1] - b[3]))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "$3: $1 is not centred on $2"
}
# Width in pixels of the title text on a window's title bar: the bar drawn
# with its title, less the bar drawn with a blank one.
title_width() {
    local x y w h top
    read -r x y w h <<<"$(frame "$1")"
    top=$(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d, -f3)
    xwd -root -silent | convert xwd:- -crop "${w}x$top+$x+$y" +repage "$tmp/titled.png"
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME " "
    sleep 0.3
    xwd -root -silent | convert xwd:- -crop "${w}x$top+$x+$y" +repage "$tmp/blank.png"
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME "Zarnik"
    convert "$tmp/titled.png" "$tmp/blank.png" -compose difference -composite -threshold 10% \
        -format '%@' info: 2>/dev/null | cut -dx -f1
}

read -r -a workarea < <(xprop -root _NET_WORKAREA | cut -d= -f2 | tr -d ,)
main=$(frame "$window")
same_centre "$main" "${workarea[*]:0:4}" "the window's frame"

class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
grep -qx "StartupWMClass=$class" "$desktop_entry" || fail "WM_CLASS $class is not the desktop entry's"

# Full screen would put the fixed board in a corner of a black screen.
wmctrl -i -r "$window" -b add,fullscreen
sleep 0.5
xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN && fail "the window went full screen"
[ "$(frame "$window")" = "$main" ] || fail "full screen left the window at $(frame "$window")"

full_title=$(title_width "$window")
[ "$full_title" -gt 0 ] || fail "no title on the window's title bar"

# Clear the board, the last press on the bottom right cell.
declare -A cell
while read -r name k left top w h; do
    [ "$name" = Command1 ] && cell[$k]="$((left + w / 2)) $((top + h / 2))"
done < <("$layout_pixels")
read -r cx cy _ < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } END { print x, y }')
presses=$("$board_reference" --solve)
[ "${presses##* }" = 24 ] || fail "the solution does not end on cell 24: $presses"
for k in $presses; do
    read -r px py <<<"${cell[$k]}"
    xdotool mousemove $((cx + px)) $((cy + py)) click 1
done
box=""
for _ in $(seq 100); do
    box=$(xdotool search --onlyvisible --name '^Zarnik$' | grep -vx "$window" | head -1 || true)
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "no message after clearing the board"
sleep 0.3
same_centre "$(frame "$box")" "$main" "the message's frame"
box_title=$(title_width "$box")
[ "$box_title" -eq "$full_title" ] ||
    fail "the message's title bar shows $box_title pixels of the ${full_title}-pixel title"

# Dismissed, the focus is back on the last cell pressed: Space turns it back.
xdotool key Return
sleep 0.3
red() { xwd -root -silent | convert xwd:- -format "%[fx:p{$((cx + $1)),$((cy + $2))}.r == 1]" info:; }
read -r px py <<<"${cell[24]}"
[ "$(red "$px" "$py")" = 1 ] || fail "cell 24 is not red after clearing"
xdotool key space
sleep 0.3
[ "$(red "$px" "$py")" = 0 ] || fail "Space after the message did not press cell 24"
[ ! -s "$tmp/stderr" ] || fail "wrote to stderr: $(cat "$tmp/stderr")"
echo "under openbox: frame $main centred, title ${full_title} px wide on both title bars"
