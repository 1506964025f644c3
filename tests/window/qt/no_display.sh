#!/bin/bash
# Without a display the program says so in one line and exits 1, whether no
# display is named or the one named cannot be reached (where Qt on its own
# would abort and dump core).
#   no_display.sh ZARNIK
set -uo pipefail

zarnik=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

check() {
    local what=$1 status
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$tmp" "$@" "$zarnik" \
        >"$tmp/out" 2>"$tmp/err"
    status=$?
    [ "$status" -eq 1 ] || fail "$what: exit status $status"
    [ ! -s "$tmp/out" ] || fail "$what: wrote to stdout"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "$what: stderr was: $(cat "$tmp/err")"
    grep -q '^zarnik: cannot open a display' "$tmp/err" || fail "$what: said $(cat "$tmp/err")"
    echo "$what: $(cat "$tmp/err")"
}

check "no display named"
# A display number nothing listens on.
n=200
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
check "unreachable display" DISPLAY=":$n"
check "unreachable display, xcb asked for" DISPLAY=":$n" QT_QPA_PLATFORM=xcb
