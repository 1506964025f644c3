#!/bin/bash
# Runs AccProbe.exe, which starts and plays Zarnik.exe, under Wine on a
# private X display with a private Wine prefix, HOME and session bus, all in
# one temporary folder that goes on exit.
#   acc_probe.sh ACC_PROBE_EXE ZARNIK_EXE BOARD_REFERENCE
set -euo pipefail
probe=$1 exe=$2 reference=$3
tmp=$(mktemp -d)
pids=()
cleanup() {
    # Wine before its bus and X server.
    WINEPREFIX=$tmp/prefix wineserver -k 2>/dev/null || true
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

mkfifo "$tmp/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
read -r -t 15 number <"$tmp/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$number HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
pids+=("${bus##*$'\n'}")

export WINEPREFIX=$tmp/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no installers, no menu entries
timeout 180 wineboot -i >"$tmp/wineboot.log" 2>&1 || { cat "$tmp/wineboot.log"; echo "FAIL: wineboot"; exit 1; }
cell=12  # the middle cell: four neighbours
timeout 120 wine "$probe" "$(winepath -w "$exe")" "$cell" "$("$reference" "$cell")"
