#!/bin/sh
# Installs, with apt-get, whichever packages the named targets need and are
# missing, on Debian 12, 13 or testing. Idempotent and silent when everything
# is there. A package the release's archive lacks is named and left out (the
# tests that need it are skipped, and `make test` says so); a|b installs the
# first of the two the archive has, where a release renamed a package.
#   tools/deps.sh GROUP...     GROUP: linux windows web serve test bench package
#     linux    build and play the Linux program
#     windows  cross-compile Zarnik.exe
#     web      build the browser site; with test or bench, also the browsers
#              and their npm drivers (npm ci, at the versions package-lock.json pins)
#     serve    serve the site on this machine (make web-serve)
#     test     every test (the Linux and Windows builds need their groups too)
#     bench    the benchmarks
#     package  make the .deb (its checks are tests)
#     reproducible  compare two builds (make reproducible)
set -eu
# Make exports SOURCE_DATE_EPOCH for our own build; the packages' install
# scripts must not see it: fontconfig's would date the system's font caches
# to it, and every program using fonts would find them stale and rewrite them.
unset SOURCE_DATE_EPOCH

packages=""
for group in "$@"; do
    case $group in
    linux) packages="$packages cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev dpkg-dev
        fonts-ipafont-gothic" ;;
    windows) packages="$packages cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64" ;;
    web) packages="$packages cmake ninja-build clang lld llvm wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32 optipng" ;;
    serve) packages="$packages python3" ;;
    test) packages="$packages libgtest-dev libgmock-dev xvfb xauth xdotool libxcb1-dev x11-utils x11-apps
        imagemagick dbus-x11 at-spi2-core wine wine64 locales desktop-file-utils appstream dpkg-dev procps
        file strace icoutils openbox wmctrl x11-xserver-utils weston qt6-wayland lintian qt6-translations-l10n
        orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng clang-format" ;;
    bench) packages="$packages libbenchmark-dev xvfb dbus-x11 procps wine wine64" ;;
    package) packages="$packages dpkg-dev file" ;;
    reproducible) packages="$packages git diffoscope-minimal" ;;
    *) echo "deps.sh: unknown group '$group' (linux windows web serve test bench package reproducible)" >&2; exit 2 ;;
    esac
done

# Playing the site in the browsers. Node may come from elsewhere than Debian
# (whose npm then conflicts with it); Debian's is installed only if none is.
browser=""
case " $* " in *" web "*) case " $* " in *" test "* | *" bench "*) browser=yes ;; esac ;; esac
if [ -n "$browser" ]; then
    packages="$packages chromium firefox-esr webkit2gtk-driver|webkitgtk-webdriver fonts-ipafont-gothic ca-certificates"
    command -v npm >/dev/null || packages="$packages nodejs npm"
fi

missing=""
for p in $packages; do
    case " $missing " in *" $p "*) continue ;; esac
    # shellcheck disable=SC2046
    dpkg-query -W -f='${Status}\n' $(echo "$p" | tr '|' ' ') 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $p"
done

# Splits the missing packages into those the archive has (install, the first
# of a|b it has) and those it lacks.
resolve() {
    # shellcheck disable=SC2046
    known=$(apt-cache policy $(echo "$missing" | tr '|' ' ') 2>/dev/null |
        awk '/^[^ ].*:$/ { name = substr($0, 1, length($0) - 1) } /^ +Candidate: [^(]/ { print name }')
    install="" lacking=""
    for p in $missing; do
        chosen=""
        for name in $(echo "$p" | tr '|' ' '); do
            echo "$known" | grep -qx "$name" && chosen=$name && break
        done
        if [ -n "$chosen" ]; then install="$install $chosen"; else lacking="$lacking $p"; fi
    done
}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    resolve
    # The archive's lists are read afresh before an install, and where there are none yet.
    if [ -n "$install" ] || ! ls /var/lib/apt/lists/*_Packages* >/dev/null 2>&1; then
        $sudo apt-get update -qq
        resolve
    fi
    [ -z "$lacking" ] || echo "Not in this release's archive:$lacking (what needs it will not run)" >&2
    if [ -n "$install" ]; then
        echo "Installing:$install"
        # shellcheck disable=SC2086
        $sudo apt-get install -y -qq --no-install-recommends $install >/dev/null
        # Font folders some install scripts change after fontconfig's trigger
        # ran (the X11 font indexes), and Firefox's own, which it adds as it
        # starts: their caches are made here, not by the first program to use
        # them (as root, in /var/cache/fontconfig).
        if command -v fc-cache >/dev/null; then
            $sudo fc-cache -s
            [ ! -d /usr/lib/firefox-esr/fonts ] || $sudo fc-cache /usr/lib/firefox-esr/fonts
        fi
    fi
fi

if [ -n "$browser" ]; then
    (
        cd "$(dirname "$0")/.."
        if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
            echo "Installing the browser drivers from package-lock.json"
            # npm's download cache stays out of the home folder.
            cache=$(mktemp -d)
            npm ci --ignore-scripts --no-audit --no-fund --loglevel=error --cache "$cache"
            rm -rf "$cache"
        fi
    )
fi

# The Windows games under Wine show Japanese text: Wine needs a Japanese
# locale for it, made here once rather than by a test.
case " $* " in *" test "*)
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        echo "Generating the ja_JP.UTF-8 locale"
        $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi ;;
esac
