#!/bin/bash
# What Zarnik.exe carries to run as a bare file and to identify itself:
#   exe_test.sh ZARNIK.EXE APPINFO_H IMAGES_DIR PICTURE...   (the pictures in resource order)
set -euo pipefail
exe=$1 appinfo=$2 images=$3
shift 3
fail() { echo "FAIL: $*" >&2; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p -h "$exe")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a 64-bit Windows program"
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program: it would open a console"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -qw "$flag" <<<"$headers" || fail "no $flag: the exe lost ASLR or DEP"
done
# A MinGW runtime DLL here (libstdc++, libgcc, libwinpthread) means the static link came undone.
dlls=$(awk 'tolower($3) !~ /^((kernel32|user32|gdi32|comctl32|msvcrt)\.dll|api-ms-win-.*)$/ && /DLL Name:/ {print $3}' <<<"$headers")
[ -z "$dlls" ] || fail "imports $dlls, no system DLL it should need"
# The C++ library's exception machinery (unwinder, terminate handler, demangler) stays out.
rsrc=$(awk '$1 ~ /^[0-9]+$/ && $2 == ".rsrc" {print $3}' <<<"$headers")
code=$(($(stat -c %s "$exe") - 16#$rsrc))
((code <= 65536)) || fail "$code bytes besides the resources, more than 64 KB"

# Japanese resources; the committed pictures byte for byte, in list order.
wrestool -l "$exe" | grep -v -- '--language=1041 ' && fail "resources above are not Japanese"
number=0
for picture in "$@"; do
    number=$((number + 1))
    size=$(stat -c %s "$images/$picture")
    case $picture in
    *.ico) wrestool -x -t14 -n$number "$exe" | head -c "$size" ;;  # wrestool pads the rebuilt icon
    *) wrestool -x -t2 -n$number "$exe" ;;
    esac | cmp -s - "$images/$picture" || fail "the built-in $picture differs from the committed picture"
done
[ "$(wrestool -l -t14 "$exe" | sed -n 's/.*--name=\([0-9]*\).*/\1/p' | sort -n | head -1)" = 1 ] || fail "the icon is not the lowest group"

version=$(sed -n 's/^#define ZARNIK_VERSION_TEXT "\(.*\)"/\1/p' "$appinfo")
grep -qF "VALUE \"FileVersion\", \"$version\"" <<<"$(x86_64-w64-mingw32-windres -i "$exe" -O rc)" || fail "no FileVersion $version"
manifest=$(wrestool -x --raw -t24 -n1 "$exe")
for part in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' '>PerMonitorV2'; do
    grep -qF "$part" <<<"$manifest" || fail "the manifest lacks $part"
done
echo "Zarnik.exe: $(stat -c %s "$exe") bytes, $code besides the resources, imports $(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$headers")"
