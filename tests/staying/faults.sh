#!/bin/bash
# The real program when its world goes wrong: no display at all, a display
# that is not there, the X server killed mid-game, and SIGTERM. Each ends
# with a plain message and an exit code of its own, never a signal.
#   faults.sh ZARNIK
set -euo pipefail
zarnik=$1
. "$(dirname "$0")/../support/xsession.sh"

# Runs the program to its end within 10 s; sets status and err (its stderr).
run_to_end() {
    status=0
    timeout -s KILL 10 "$@" "$zarnik" 2>"$tmp/err" >/dev/null || status=$?
    err=$(cat "$tmp/err")
}
# An exit of the program's own choosing: non-zero, not a signal (which would
# be 128 and up, a core dump possibly left behind).
expect_failure_exit() {  # WHAT
    ((status > 0 && status < 128)) || fail "$1: exit status $status, stderr: $err"
}

run_to_end env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
expect_failure_exit "no display"
[ "$(wc -l <"$tmp/err")" -eq 1 ] && [[ $err == *display* ]] ||
    fail "no display: expected one line about the display, got: $err"

start_xvfb
unused=:$((display_number + 50))
run_to_end env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$unused
expect_failure_exit "display $unused not there"
[ "$(wc -l <"$tmp/err")" -eq 1 ] && [[ $err == *display* ]] ||
    fail "display $unused not there: expected one line about the display, got: $err"

# The X server dies under a running game.
start_zarnik
xdotool mousemove $(cell_xy 12) click 1
{ kill -KILL "$xvfb_pid" && wait "$xvfb_pid"; } 2>/dev/null || true
rm -f "/tmp/.X$display_number-lock" "/tmp/.X11-unix/X$display_number"  # left by SIGKILL
gone=$(date +%s%N)
for _ in $(seq 50); do kill -0 "$zarnik_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$zarnik_pid" 2>/dev/null && fail "still running 5 s after the X server died"
status=0
wait "$zarnik_pid" || status=$?
err=$(cat "$tmp/stderr")
expect_failure_exit "X server killed"
[[ $err == *X11* || $err == *display* ]] || fail "X server killed: no message saying so: $err"
echo "X server killed: exit $status after $((($(date +%s%N) - gone) / 1000000)) ms: $err"

# SIGTERM, as a session ending sends it: a clean exit.
start_xvfb
start_zarnik
kill -TERM "$zarnik_pid"
status=0
wait "$zarnik_pid" || status=$?
((status == 0)) || fail "SIGTERM: exit status $status (143 is death by the signal itself)"
echo "passed"
