# Sourced by every script that runs the real program on a private X server
# (the tests, the benchmarks, the README screenshot): a scratch folder, the
# server, a session bus and, for Zarnik.exe, Wine. Every process started here
# is ended on exit.
tmp=$(mktemp -d)
pids=()
cleanup() {
    set +e  # whatever fails here, the rest still goes
    # Wine's server first, while its X server is still there to say goodbye to.
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    # Last started first: the program before its bus and X server.
    # Each is waited for (where it is our child), so the program has let go
    # of its display before the server goes; one still there after 10 s gets
    # KILL and is named, so that nothing outlives the run to upset the next.
    local pid watchdog
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || continue
        [[ " $(jobs -p | tr '\n' ' ') " == *" $pid "* ]] || continue
        sleep 10 & watchdog=$!
        wait -n "$pid" "$watchdog" 2>/dev/null
        if kill -0 "$pid" 2>/dev/null; then
            echo "cleanup: $(ps -o args= -p "$pid") did not end on TERM" >&2
            kill -KILL "$pid" && wait "$pid" 2>/dev/null
        fi
        kill "$watchdog" 2>/dev/null
    done
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Xvfb picks a free display itself and names it once it accepts clients.
# It listens on the abstract socket alone and keeps no lock file, so nothing
# of it lands in /tmp (a display number in use is one whose socket is taken).
start_xvfb() {  # start_xvfb [WIDTHxHEIGHTxDEPTH]
    mkfifo "$tmp/displayfd"
    # The keymap it compiles at start passes through /var/lib/xkb; given a
    # mount namespace of its own, through a scratch mount that vanishes with
    # it. Without the privilege for one (a plain chroot, a container), it
    # runs as is.
    local private=(unshare --mount sh -c 'mount -t tmpfs tmpfs /var/lib/xkb && exec "$0" "$@"')
    "${private[@]}" true 2>/dev/null || private=()
    "${private[@]}" Xvfb -displayfd 3 -nolisten tcp -nolisten unix -nolock -screen 0 "${1:-1280x1024x24}" -noreset \
        3>"$tmp/displayfd" 2>"$tmp/xvfb.log" &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    read -r -t 15 display_number <"$tmp/displayfd" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    rm "$tmp/displayfd"
    export DISPLAY=:$display_number
    mkdir -p -m 700 "$tmp/run"
    export XDG_RUNTIME_DIR=$tmp/run
    start_bus
}

# A private session bus. Without one, the D-Bus library Qt loads launches a
# session bus of its own through X (dbus-launch --autolaunch): two daemons
# that outlive the program, and a file written under ~/.dbus. Its socket
# goes in the scratch folder, not in /tmp as a session bus's would.
start_bus() {
    local out
    out=$(dbus-daemon --session --address="unix:dir=$tmp" --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS=${out%%$'\n'*}
    pids+=("${out##*$'\n'}")
}

# Wine's server, wherever the packaging puts it: Debian's Wine 10 keeps it
# off the PATH, in Wine's library folder.
wineserver_program=$(command -v wineserver || ls /usr/lib/*/wine/wineserver 2>/dev/null | head -1) || true

# Debian's Wine keeps its server's socket in /run/user/UID/wine or, where
# that folder is missing (root with no login session: CI, chroots,
# containers), in the folder that the file "wineserver" in the prefix names
# relative to TMPDIR or /tmp (made at random there when the file is missing).
# Wine 10 aborts on that path whenever TMPDIR is set (it frees the variable's
# own string). So Wine runs without TMPDIR, and the file names a folder of
# this session's, relative to /tmp: no privilege needed, nothing written
# outside the scratch folder.
wine_runtime=(env -u TMPDIR)
wine() { "${wine_runtime[@]}" wine "$@"; }
wineboot() { "${wine_runtime[@]}" wineboot "$@"; }
wineserver() { "${wine_runtime[@]}" "${wineserver_program:?no wineserver found}" "$@"; }
winepath() { "${wine_runtime[@]}" winepath "$@"; }

# Wine on this display with the prefix PREFIX, made if it is missing. What
# else Wine writes stays in the scratch folder: its server's sockets are in
# its folder there, and HOME is a fresh one there (the menu builder, which
# would add launchers under it, is off besides).
start_wine() {  # start_wine PREFIX
    mkdir -p "$tmp/home" "$1"
    export WINEPREFIX=$1 WINEDEBUG=-all HOME=$tmp/home
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no installer prompts either
    # Read only by its owner, or Wine replaces it with a folder of its own choosing.
    rm -f "$WINEPREFIX/wineserver"
    (umask 377 && realpath -m --relative-to=/tmp "$tmp/wine" | tr -d '\n' >"$WINEPREFIX/wineserver")
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        timeout 180 "${wine_runtime[@]}" wineboot -i >"$tmp/wineboot.log" 2>&1 ||
            fail "wineboot failed: $(tail -3 "$tmp/wineboot.log")"
        timeout 60 "${wine_runtime[@]}" "$wineserver_program" -w  # until the prefix is saved
    fi
    wineserver -p  # one server for the whole session: no program pays for starting it
    [ -d "/run/user/$(id -u)" ] || [ -d "$tmp/wine" ] || fail "Wine's server is not in $tmp/wine"
}
