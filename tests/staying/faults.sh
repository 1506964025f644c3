#!/bin/bash
# The real program with no display named, one not there, and the X server
# killed mid-game: each time a plain message and an exit code, never a signal.
#   faults.sh ZARNIK
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"
zarnik=$1

# no_display WHAT ENV...: one line on stderr and exit 1 (Qt alone would abort).
no_display() {
    local what=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout -s KILL 10 "$zarnik" \
        >"$tmp/out" 2>"$tmp/err" || status=$?
    [ "$status" = 1 ] && [ ! -s "$tmp/out" ] && [ "$(wc -l <"$tmp/err")" = 1 ] &&
        grep -q '^zarnik: cannot open a display' "$tmp/err" ||
        fail "$what: exit status $status, stdout '$(cat "$tmp/out")', stderr '$(cat "$tmp/err")'"
    echo "$what: $(cat "$tmp/err")"
}
no_display "no display named"
start_xvfb
unused=:$((display_number + 50))
for platform in "" xcb; do no_display "display $unused not there, '$platform' asked for" DISPLAY=$unused QT_QPA_PLATFORM=$platform; done

# The X server dies under a running game.
start_game linux "$zarnik" 1
click 12
{ kill -KILL "$xvfb_pid" && wait "$xvfb_pid"; } 2>/dev/null || true
timeout 5 tail --pid="$zarnik_pid" -f /dev/null || fail "still running 5 s after the X server died"
status=0
wait "$zarnik_pid" || status=$?
err=$(cat "$tmp/stderr")
((status > 0 && status < 128)) || fail "X server killed: exit status $status (128 and up is death by a signal)"
[[ $err == *X11* || $err == *display* ]] || fail "X server killed: no message saying so: $err"
echo "X server killed: exit $status: $err"

echo "passed"
