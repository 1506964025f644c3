#!/bin/sh
# Installs, with apt-get, whichever build, run and test packages are missing.
# Idempotent and silent when everything is there.
set -eu

packages="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev fonts-ipafont-gothic
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 locales
  xvfb xauth xdotool libxcb1-dev x11-utils x11-apps imagemagick dbus-x11 at-spi2-core
  desktop-file-utils appstream dpkg-dev file strace valgrind"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
