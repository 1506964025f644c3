#!/bin/bash
# What Zarnik.exe carries to run as a bare file on Windows and to identify
# itself there, read with binutils and icoutils:
#   exe_test.sh ZARNIK.EXE APPINFO_H RESOURCE_H IMAGES_DIR
set -euo pipefail
exe=$1 appinfo=$2 resource=$3 images=$4
fail() { echo "FAIL: $*" >&2; exit 1; }
define() { sed -n "s/^#define $1 //p" "$2"; }

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a 64-bit Windows program"
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program: it would open a console"
# A MinGW runtime DLL here (libstdc++, libgcc, libwinpthread) means the static link came undone.
for dll in $(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers"); do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | ole32.dll | oleaut32.dll | oleacc.dll | api-ms-win-*) ;;
    *) fail "imports $dll, which is no system DLL" ;;
    esac
done

# Every resource is Japanese; the pictures are the committed files, byte for byte.
wrestool -l "$exe" | grep -v -- '--language=1041 ' && fail "resources above are not Japanese"
for picture in BACKDROP:BackdropImage TILE_START:TileStart TILE_TURNED:TileTurned RESET_FACE:ResetFaceImage; do
    wrestool -x -t2 -n"$(define "IDB_${picture%%:*}" "$resource")" "$exe" | cmp -s - "$images/${picture#*:}.bmp" ||
        fail "the built-in ${picture#*:} differs from the committed picture"
done
# The shell shows the lowest icon group. (wrestool pads the icon it rebuilds with zeros.)
icon=$(define IDI_APP_ICON "$resource")
[ "$(wrestool -l -t14 "$exe" | sed -n 's/.*--name=\([0-9]*\).*/\1/p' | sort -n | head -1)" = "$icon" ] ||
    fail "icon group $icon is not the lowest"
wrestool -x -t14 -n"$icon" "$exe" | head -c "$(stat -c %s "$images/AppIcon.ico")" | cmp -s - "$images/AppIcon.ico" ||
    fail "the icon differs from AppIcon.ico"

version=$(x86_64-w64-mingw32-windres -i "$exe" -O rc | sed -n '/^1 VERSIONINFO/,/^END/p')
title=$(define ZARNIK_TITLE "$appinfo") text=$(define ZARNIK_VERSION_TEXT "$appinfo")
for line in "FILEVERSION $(define ZARNIK_VERSION_BINARY "$appinfo")" \
    "PRODUCTVERSION $(define ZARNIK_VERSION_BINARY "$appinfo")" 'BLOCK "041104B0"' \
    "VALUE \"FileDescription\", $title" "VALUE \"FileVersion\", $text" "VALUE \"InternalName\", $title" \
    "VALUE \"OriginalFilename\", $(define ZARNIK_EXE_NAME "$appinfo")" "VALUE \"ProductName\", $title" \
    "VALUE \"ProductVersion\", $text" 'VALUE "Translation", 0x411, 1200'; do
    grep -qxF "$line" <<<"$(sed 's/^ *//' <<<"$version")" || fail "no '$line' in the version resource: $version"
done

manifest=$(wrestool -x --raw -t24 -n1 "$exe")
for part in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="asInvoker"' \
    '>PerMonitorV2' '>true/pm<' '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'; do
    grep -qF "$part" <<<"$manifest" || fail "the manifest lacks $part"
done
echo "Zarnik.exe: $(stat -c %s "$exe") bytes, imports $(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$headers")"
