#!/bin/bash
# The real program under a real window manager (openbox) on a private X
# server: the framed window centred on the screen, its WM_CLASS as the desktop
# entry names it, full screen turned down, and the cleared message centred
# over the window with its whole title, its text and OK centred, the focus
# back on the board after it.
#   under_wm.sh ZARNIK LAYOUT_PIXELS BOARD_REFERENCE DESKTOP_ENTRY
set -euo pipefail

zarnik=$1 layout_pixels=$2 board_reference=$3 desktop_entry=$4
. "$(dirname "$0")/../../../tools/xsession.sh"
start_xvfb
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_CACHE_HOME=$tmp/home/.cache
mkdir -p "$HOME"

# Retries a check for up to 5 s, for a busy machine.
eventually() {
    local _
    for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
    return 1
}
# One client stays for the whole session, as the X server resets, refusing
# connections meanwhile, each time its last client leaves. It reports openbox.
stdbuf -oL xprop -root -spy >"$tmp/root_props" 2>&1 &
pids+=($!)
openbox >"$tmp/openbox.log" 2>&1 &
pids+=($!)
wm_up() { grep -q "^_NET_SUPPORTING_WM_CHECK(WINDOW): window id" "$tmp/root_props"; }
eventually wm_up || fail "openbox did not start: $(cat "$tmp/openbox.log")"
"$zarnik" 2>"$tmp/stderr" &
zarnik_pid=$!
pids+=("$zarnik_pid")

# The program's windows titled Zarnik. Openbox makes and destroys windows of
# its own meanwhile, which can end a search with BadWindow; searches retry.
ours() { xdotool search --all --onlyvisible --pid "$zarnik_pid" --name '^Zarnik$' 2>/dev/null; }
main_up() { window=$(ours | head -1) && [ -n "$window" ]; }
box_up() { box=$(ours | grep -vx "$window" | head -1) && [ -n "$box" ]; }
# The screen into the file $1. (Not xwd: it walks the window tree, and fails
# when openbox drops a frame meanwhile.)
shot() { import -silent -window root "$1"; }
# "x y width height" of a window itself, then of its frame.
client() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
frame() {
    local x y w h l r t b
    read -r x y w h <<<"$(client "$1")"
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
# Width in pixels of the title on a window's title bar: where the bar drawn
# with its title differs from the bar drawn with a blank one.
title_width() {
    local x y w h top
    read -r x y w h <<<"$(frame "$1")"
    top=$(xprop -id "$1" _NET_FRAME_EXTENTS | cut -d, -f3 | tr -d ' ')
    bar() { shot "$tmp/shot.png" && convert "$tmp/shot.png" -crop "${w}x$top+$x+$y" +repage "$tmp/$1.png"; }
    blanked() {
        bar blank
        title=$(convert "$tmp/titled.png" "$tmp/blank.png" -compose difference -composite \
            -threshold 10% -format '%@' info: 2>/dev/null | cut -dx -f1)
        [ "$title" -gt 0 ]
    }
    bar titled
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME " "
    eventually blanked || true
    xprop -id "$1" -f _NET_WM_NAME 8u -set _NET_WM_NAME "Zarnik"
    echo "$title"
}

eventually main_up || fail "no window appeared: $(cat "$tmp/stderr")"
read -r -a workarea < <(xprop -root _NET_WORKAREA | cut -d= -f2 | tr -d ,)
main=$(frame "$window")
same_centre "$main" "${workarea[*]:0:4}" "the window's frame"
class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
grep -qx "StartupWMClass=$class" "$desktop_entry" || fail "WM_CLASS $class is not the desktop entry's"

# Full screen would put the fixed board in a corner of a black screen.
wmctrl -i -r "$window" -b add,fullscreen
sleep 0.5
back() { ! xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN && [ "$(frame "$window")" = "$main" ]; }
eventually back || fail "full screen: $(xprop -id "$window" _NET_WM_STATE), frame $(frame "$window")"
full_title=$(title_width "$window")
[ "$full_title" -gt 0 ] || fail "no title on the window's title bar"

# Clear the board; the cell pressed last keeps the focus.
declare -A cell
while read -r name k left top w h; do
    [ "$name" = Command1 ] && cell[$k]="$((left + w / 2)) $((top + h / 2))"
done < <("$layout_pixels")
read -r cx cy _ <<<"$(client "$window")"
presses=$("$board_reference" --solve)
for k in $presses; do
    read -r px py <<<"${cell[$k]}"
    xdotool mousemove $((cx + px)) $((cy + py)) click 1
done
eventually box_up || fail "no message after clearing the board"
same_centre "$(frame "$box")" "$main" "the message's frame"
box_title=$(title_width "$box")
[ "$box_title" -eq "$full_title" ] || fail "the message shows $box_title pixels of the ${full_title}-pixel title"

# The prompt above and OK below, each centred, read from the box itself: on
# Xvfb the program's first paint of a window over its other one does not
# reach the screen until something covers and uncovers it.
import -silent -window "$box" "$tmp/box.png"
read -r bw bh < <(convert "$tmp/box.png" -format '%w %h\n' info:)
for half in "0 prompt" "$((bh / 2)) OK"; do
    read -r y what <<<"$half"
    ink=$(convert "$tmp/box.png" -crop "${bw}x$((bh / 2))+0+$y" +repage -threshold 50% -negate -format '%@' info:)
    off=$((2 * $(cut -d+ -f2 <<<"$ink") + $(cut -dx -f1 <<<"$ink") - bw))
    [ "${off#-}" -le 2 ] || fail "$what is $((off / 2)) px off the centre of the message"
done

# Dismissed, the focus is back on the last cell pressed: Space turns it back.
xdotool key Return
read -r px py <<<"${cell[${presses##* }]}"
red() { shot "$tmp/shot.png" && [ "$(convert "$tmp/shot.png" -format "%[fx:p{$((cx + px)),$((cy + py))}.r == 1]" info:)" = "$1" ]; }
eventually eval '! box_up' || fail "Return left the message up"
eventually red 1 || fail "the last cell pressed is not red after clearing"
xdotool key space
eventually red 0 || fail "Space after the message did not press the last cell pressed"
[ ! -s "$tmp/stderr" ] || fail "wrote to stderr: $(cat "$tmp/stderr")"
echo "under openbox: frame $main centred, title ${full_title} px wide on both title bars"
