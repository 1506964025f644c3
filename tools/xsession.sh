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
start_xvfb() {  # start_xvfb [WIDTHxHEIGHTxDEPTH]
    mkfifo "$tmp/displayfd"
    # The server's named socket and compiled keymaps go to /tmp/.X11-unix
    # and /var/lib/xkb; given a mount namespace of its own, they land
    # on scratch mounts that vanish with it, and clients still find it by
    # its abstract socket. Without the privilege for one, it runs as is.
    local private=(unshare --mount sh -c 'mount -t tmpfs tmpfs /tmp && mount -t tmpfs tmpfs /var/lib/xkb && exec "$0" "$@"')
    "${private[@]}" true 2>/dev/null || private=()
    xvfb_private=${private:+yes}
    "${private[@]}" Xvfb -displayfd 3 -nolisten tcp -screen 0 "${1:-1280x1024x24}" -noreset 3>"$tmp/displayfd" 2>"$tmp/xvfb.log" &
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

# Debian's Wine keeps its server's socket in /run/user/UID/wine or, where
# that folder is missing (root with no login session: CI, containers), in a
# new folder under TMPDIR, which Wine 10 aborts making. There each Wine
# command runs with a scratch /run holding the session's runtime folder as
# /run/user/UID, in a mount namespace of its own, so that all of them meet
# at one socket and nothing lands outside the scratch folder.
wine_runtime=(env)
if [ ! -d "/run/user/$(id -u)" ] && unshare --mount true 2>/dev/null; then
    wine_runtime=(unshare --mount sh -c 'mount -t tmpfs tmpfs /run && mkdir -p "/run/user/$(id -u)" &&
        mount --bind "$XDG_RUNTIME_DIR" "/run/user/$(id -u)" && exec "$@"' sh)
fi
wine() { "${wine_runtime[@]}" wine "$@"; }
wineboot() { "${wine_runtime[@]}" wineboot "$@"; }
wineserver() { "${wine_runtime[@]}" wineserver "$@"; }
winepath() { "${wine_runtime[@]}" winepath "$@"; }

# Wine on this display with the prefix PREFIX, made if it is missing. What
# else Wine writes stays in the scratch folder: its server's sockets are in
# the runtime folder, and HOME is a fresh one there (the menu builder, which
# would add launchers under it, is off besides).
start_wine() {  # start_wine PREFIX
    mkdir -p "$tmp/home"
    export WINEPREFIX=$1 WINEDEBUG=-all TMPDIR=$tmp HOME=$tmp/home
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"  # no installer prompts either
    if [ ! -d "$WINEPREFIX" ]; then
        mkdir -p "${WINEPREFIX%/*}"
        timeout 180 "${wine_runtime[@]}" wineboot -i >"$tmp/wineboot.log" 2>&1 ||
            fail "wineboot failed: $(tail -3 "$tmp/wineboot.log")"
        timeout 60 "${wine_runtime[@]}" wineserver -w  # until the prefix is saved
    fi
    wineserver -p  # one server for the whole session: no program pays for starting it
}
