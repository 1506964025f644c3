#!/bin/bash
# Builds this tree's HEAD twice, in two clean clones at paths of different
# lengths, one after the other, and compares what ships: Zarnik.exe, every
# file of the site and the .deb. A difference is shown by diffoscope.
#   tools/reproducible.sh        (make reproducible)
set -euo pipefail
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$top" rev-parse HEAD)
work=$top/build/reproducible
rm -rf "$work"
"$top/tools/deps.sh" reproducible
for clone in one/zarnik the-second-clone/zarnik; do
    git clone -q --no-hardlinks "$top" "$work/$clone"
    git -C "$work/$clone" checkout -q --detach "$commit"
    echo "building $commit in $work/$clone"
    make -C "$work/$clone" windows web package >"$work/${clone%%/*}.log" 2>&1 ||
        { tail -20 "$work/${clone%%/*}.log"; exit 1; }
    out=$work/${clone%%/*}.out
    mkdir -p "$out"
    cp -r "$work/$clone/build-windows/Zarnik.exe" "$work/$clone/build-web/site" "$work/$clone"/build/*.deb "$out/"
done
if diff -r "$work/one.out" "$work/the-second-clone.out" >/dev/null; then
    echo "reproducible: $(cd "$work/one.out" && find . -type f | wc -l) files the same, byte for byte, in both builds"
else
    diffoscope --exclude-directory-metadata=yes "$work/one.out" "$work/the-second-clone.out" || true
    echo "FAIL: the two builds differ (above)" >&2
    exit 1
fi
