#!/bin/bash
# The real program when its world goes wrong: no display named, a display
# that is not there, the X server killed mid-game. Each ends with a plain
# message and an exit code of its own, never a signal. (SIGTERM, as a
# session ending sends it, ends every bare play: tests/window/play.sh.)
#   faults.sh ZARNIK
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"
zarnik=$1

# Runs the program to its end within 10 s without a usable display: it must
# say so in one line on stderr, nothing on stdout, and exit 1 (where Qt on
# its own would abort and dump core).
no_display() {  # no_display WHAT ENV...
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
gone=$(date +%s%N)
timeout 5 tail --pid="$zarnik_pid" -f /dev/null || fail "still running 5 s after the X server died"
status=0
wait "$zarnik_pid" || status=$?
err=$(cat "$tmp/stderr")
((status > 0 && status < 128)) || fail "X server killed: exit status $status (128 and up is death by a signal)"
[[ $err == *X11* || $err == *display* ]] || fail "X server killed: no message saying so: $err"
echo "X server killed: exit $status after $((($(date +%s%N) - gone) / 1000000)) ms: $err"

echo "passed"
