#!/bin/bash
# What a desktop needs of `make install`, and a package manager of the .deb.
#   desktop_install.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr >/dev/null
id=io.github.zarnik.Zarnik
files=(usr/games/zarnik usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
       usr/share/man/man6/zarnik.6.gz usr/share/doc/zarnik/{copyright,changelog.gz})
for f in "${files[@]}" usr/share/icons/hicolor/{16x16,32x32,64x64,128x128}/apps/$id.png; do
    [ -s "$tmp/root/$f" ] || fail "not installed: /$f"
done
for size in 16 32 64 128; do
    file "$tmp/root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" |
        grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "the ${size}px icon"
done
desktop-file-validate "$tmp/root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$tmp/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "metainfo"

(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null) || fail "cpack"
deb=$(ls "$tmp"/deb/zarnik_*_amd64.deb)
contents=$(dpkg-deb -c "$deb")
for f in "${files[@]}"; do
    grep -q " ./$f\$" <<<"$contents" || fail "the .deb lacks /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
# Without a Japanese font the only text, the cleared message, is boxes.
grep -q '^fonts-ipafont-gothic | fonts-japanese-gothic, ' <<<"$depends" || fail "font: $depends"
grep -q libqt6widgets6 <<<"$depends" || fail "the .deb does not depend on Qt Widgets"
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian"
# Built hardened: no lintian note on it either.
! lintian -I "$deb" 2>/dev/null | grep hardening- || fail "lintian's hardening notes above"
echo "installed and packaged: $(basename "$deb")"
