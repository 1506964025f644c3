#!/bin/bash
# wayland.sh ZARNIK: the Linux program under weston: its title and application id,
# a click, the cleared message as its child, modal. weston's headless backend takes no
# input: its X11 backend on a private Xvfb takes that display's pointer and keys.
set -euo pipefail
. "$(dirname "$0")/../../support/game.sh"
command -v weston >/dev/null || fail "weston is missing: run tools/deps.sh test"
start_xvfb 1024x768x24
outside=(mousemove 1000 760)  # off weston's 800 x 600 window
xdotool "${outside[@]}"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff303030\n' >"$tmp/weston.ini"
weston --backend=x11-backend.so --use-pixman --width=800 --height=600 --socket=wayland-zarnik \
    --config="$tmp/weston.ini" --log="$tmp/weston.log" 2>>"$tmp/weston.log" &
pids+=($!)
compositor() { window=$(xdotool search --class '^Weston Compositor$' 2>/dev/null | head -1) && [ -n "$window" ]; }
eventually compositor || fail "weston did not start: $(cat "$tmp/weston.log")"
xdotool windowfocus --sync "$window"  # the display's keys go to weston, which hands them on
(unset DISPLAY; WAYLAND_DISPLAY=wayland-zarnik QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client exec "$1" 2>"$tmp/protocol") &
zarnik_pid=$!
pids+=("$zarnik_pid")
kind=linux

# Where weston put the window: where the backdrop's teal (green = blue > red) lies.
client_at() {
    local found
    found=$(xwd -id "$window" -silent | convert xwd:- -channel RGB -separate +channel \
        \( -clone 1,2 -compose difference -composite -threshold 0 -negate \) \
        \( -clone 1,0 -compose minus_src -composite -threshold 8% \) -delete 0-2 -compose multiply -composite \
        -trim -format '%w %h %X %Y' info: 2>/dev/null) && read -r w h X Y <<<"${found//+/}" &&
        [ "$w $h" = "${rects[Client]}" ]
}
read_layout 96
eventually client_at || fail "no window of ${rects[Client]} pixels appeared: $(grep -v '^\[' "$tmp/protocol")"
read_layout 96 "$X" "$Y"
presses=()

for request in "set_title(\"$caption\")" "set_app_id(\"$(basename "$ZARNIK_DESKTOP_ENTRY" .desktop)\")"; do
    grep -F "$request" "$tmp/protocol" | grep -q xdg_toplevel || fail "the window did not ask for $request"
done

# weston puts its pointer where the X pointer comes into its window: each
# click comes in from outside, once the program has the pointer (weston 14
# hands it over late), and leaves it where it hides no cell.
entered() { grep -c 'wl_pointer[@#][0-9]*\.enter' "$tmp/protocol" || true; }
press() {
    local before
    before=$(entered)
    xdotool mousemove --window "$window" $(centre "$1")
    eventually eval '(($(entered) > before))' || fail "the pointer never came to the program"
    xdotool click --delay 0 1 mousemove --window "$window" 2 590 "${outside[@]}"
}
click() { for c in "$@"; do press "$c" && presses+=("$c"); done; }
# The toplevels with the caption in the protocol log, each once on the screen.
box_is() {
    local n
    n=$(awk -v title="set_title(\"$caption\")" '
        function obj(kind) { return match($0, kind "[@#][0-9]+") ? substr($0, RSTART, RLENGTH) : "" }
        /get_xdg_surface\(new id/ { surface[obj("xdg_surface")] = obj("wl_surface") }
        /get_toplevel\(new id/ { of[obj("xdg_toplevel")] = surface[obj("xdg_surface")] }
        (t = obj("xdg_toplevel")) && index($0, t "." title) { up[t] }
        t && index($0, t ".destroy()") { delete up[t]; delete shown[t] }
        /\.enter\(wl_output/ { for (t in of) if (of[t] == obj("wl_surface")) shown[t] }
        END { n = 0; for (t in up) n += (t in shown); print length(up), n }' "$tmp/protocol")
    if [ "$1" = up ]; then [ "$n" = "2 2" ]; else [ "${n% *}" = 1 ]; fi
}

expect_board "at start"
click 12
expect_board "after clicking cell 12"
click $(clearing_presses)
wait_for_box up
grep -Eq 'xdg_toplevel[@#][0-9]+\.set_parent\(xdg_toplevel' "$tmp/protocol" || fail "the message is not the window's"
seen=$(screen_board)  # modal: a click on any cell in view changes nothing
for k in $(seq 0 24); do if [ "${seen:k:1}" = x ]; then press "$k"; fi; done
box_is up || fail "a click on the board closed the message"
xdotool key Return
wait_for_box down
expect_board "after the message, with a click on every cell in view while it was up"

close_game
! grep -v '^\[' "$tmp/protocol" || fail "wrote to stderr besides the protocol"
echo "played the Linux program under weston $(weston --version | cut -d' ' -f2): ${#presses[@]} presses"
