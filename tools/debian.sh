#!/bin/bash
# Runs README commands on a fresh Debian release, as a new player's machine
# has it: a debootstrap root in the build tree with nothing but git and make,
# and in it a clean clone of this tree's HEAD.
#   tools/debian.sh 12|13 [MAKE TARGET...]      (default target: test)
# The root is made once and reused (delete build/debianN for a fresh one).
# `make run` there shows the game on the caller's X display.
# It takes the host's apt sources (for its own release), certificate store
# and npm configuration, and no file from a home folder. Needs root.
set -euo pipefail
case ${1:-} in
12) suite=bookworm ;;
13) suite=trixie ;;
*) echo "usage: tools/debian.sh 12|13 [MAKE TARGET...]" >&2; exit 2 ;;
esac
release=$1
shift
targets=("${@:-test}")
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
root=$top/build/debian$release/root
[ "$(id -u)" -eq 0 ] || { echo "debian.sh: debootstrap and chroot need root" >&2; exit 1; }

# The host's Debian sources, with its release named as the root's.
host_suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
sources=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v '^#' || true)
mirror=$(grep -oE 'https?://[^ ]+/debian/?( |$)' <<<"$sources" | head -1 | tr -d ' ')
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -x "$root/usr/bin/make" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null
    rm -rf "$root"
    mkdir -p "$root"
    echo "debootstrap $suite into $root (from $mirror)"
    debootstrap --variant=minbase --include=git,make "$suite" "$root" "$mirror" >"$root.log" 2>&1 ||
        { tail -20 "$root.log"; exit 1; }
    rm -f "$root/etc/apt/sources.list"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && grep -qw "$host_suite" "$file" || continue
        sed "s/\b$host_suite\b/$suite/g" "$file" >"$root/etc/apt/sources.list.d/host-${file##*/}"
        [[ $file == */sources.list ]] && mv "$root/etc/apt/sources.list.d/host-sources.list"{,.list}
    done
    # The host's certificate authorities, where the package archive or the
    # npm registry is reached through a proxy of the host's.
    mkdir -p "$root/usr/local/share/ca-certificates" "$root/etc/ssl/certs"
    cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
    cp -L /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/"
    [ ! -f /etc/npmrc ] || cp /etc/npmrc "$root/etc/npmrc"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
fi

# A clean clone of HEAD, as a newcomer makes one.
rm -rf "$root/root/zarnik"
git clone -q --no-hardlinks "$top" "$root/root/zarnik"
git -C "$root/root/zarnik" checkout -q --detach "$(git -C "$top" rev-parse HEAD)"
echo "Debian $release ($suite): make ${targets[*]} in a clean clone of $(git -C "$top" rev-parse --short HEAD)"

# In mount and process namespaces of their own, so that every mount and every
# process left over goes when the run ends.
start=$(date +%s)
status=0
unshare --mount --pid --fork --propagation private bash -c '
    root=$1; shift
    mount --bind "$root" "$root"  # a mount point, as / is, for the tests that make mount namespaces
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/dev/shm"
    mount --rbind /sys "$root/sys"
    mount -t tmpfs tmpfs "$root/tmp"
    exec env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" DISPLAY="${DISPLAY:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        chroot "$root" make -C /root/zarnik "$@"' debian "$root" "${targets[@]}" || status=$?
echo "Debian $release: make ${targets[*]} exited $status after $(($(date +%s) - start)) s"
exit "$status"
