#!/bin/bash
# A whole game of the real program under strace, with a fresh empty home:
# clear the board, dismiss the message, start a new game, close the window.
# The program must open nothing for writing, create nothing, and talk to no
# one but the X server and the session bus over local sockets.
#   no_writes.sh ZARNIK WM_CLOSE
set -euo pipefail
zarnik=$1 wm_close=$2
. "$(dirname "$0")/../support/xsession.sh"

start_xvfb
home=$tmp/home
mkdir "$home"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    XDG_DATA_HOME=$home/.local/share XDG_STATE_HOME=$home/.local/state
start_zarnik strace -f -qq -o "$tmp/trace" \
    -e trace=execve,openat,open,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect

for k in 0 1 5 6 8 9 12 13 14 16 17 18 21 22 24; do xdotool mousemove $(cell_xy "$k") click --delay 0 1; done
wait_for_box up
xdotool key Return
wait_for_box down
mask=$all_start
xdotool mousemove $(command2_xy) click 1
expect_board "after the new game"
"$wm_close" "$window"
status=0
timeout 10 tail --pid="$zarnik_pid" -f /dev/null || fail "still running after its window was closed"
wait "$zarnik_pid" || status=$?
((status == 0)) || fail "exit status $status after closing: $(cat "$tmp/stderr")"

problems=$(
    grep -E '(open|openat)\(.*O_(WRONLY|RDWR|CREAT)|creat\(' "$tmp/trace" || true
    grep -E '(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat)\(.*= 0$' "$tmp/trace" || true
    grep -E 'socket\(' "$tmp/trace" | grep -v 'socket(AF_UNIX,' || true
    bus=${DBUS_SESSION_BUS_ADDRESS#unix:path=}
    grep -E 'connect\(' "$tmp/trace" | grep -vF -e '/tmp/.X11-unix/X' -e "${bus%%,*}" -e at-spi || true
    grep -E 'execve\(' "$tmp/trace" | tail -n +2 | sed 's/^/started: /'
    find "$home" -mindepth 1 | sed 's/^/created: /'
)
[ -z "$problems" ] || fail "$(printf 'the program wrote or connected where it should not:\n%s' "$problems")"
echo "passed: $(grep -c 'open' "$tmp/trace") opens, all read-only; sockets: $(grep -c 'connect(' "$tmp/trace") local connections"
