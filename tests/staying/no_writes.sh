#!/bin/bash
# A whole game under strace, with an empty home: the program writes nothing
# and talks to no one but the X server and the session bus, locally.
#   no_writes.sh ZARNIK
set -euo pipefail
. "$(dirname "$0")/../support/game.sh"

start_xvfb
start_wm  # to close the window as a player does
home=$tmp/home
mkdir "$home"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    XDG_DATA_HOME=$home/.local/share XDG_STATE_HOME=$home/.local/state
# -I1: strace blocks SIGTERM by default, and a failed run would wait on it.
wrapper=(strace -I1 -f -qq -o "$tmp/trace"
    -e trace=execve,openat,open,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect)
start_game linux "$1" 1
click_each $(clearing_presses)
wait_for_box up
xdotool key Return
wait_for_box down
click Command2
expect_board "after the new game"
close_game

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
