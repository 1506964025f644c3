#!/bin/bash
# Runs README commands on a fresh Debian release, as a new player's machine
# has it: a debootstrap root in the build tree with nothing but git and make,
# and in it a clean clone of this tree's HEAD.
#   tools/debian.sh [--chroot | --no-sys-admin] 12|13|testing [MAKE TARGET...]
# (default target: test). By default the root runs in mount and process
# namespaces of its own. The options enter it as packagers and containers do:
#   --chroot        a plain chroot, as schroot, sbuild and pbuilder make: no
#                   namespace, /proc, /sys, /dev, /dev/pts and /dev/shm
#                   mounted for the run and unmounted after it
#   --no-sys-admin  as Docker and Podman run a container: in namespaces,
#                   without CAP_SYS_ADMIN (dropped from the bounding set)
# The root, build/debianN/root, is made once and reused (delete it for a
# fresh one). `make run` there shows the game on the caller's X display.
# It takes the host's apt sources (for its own release), certificate store
# and npm configuration, and no file from a home folder. Needs root.
set -euo pipefail
entry=namespaces
case ${1:-} in --chroot | --no-sys-admin) entry=${1#--} && shift ;; esac
case ${1:-} in
12) suite=bookworm ;;
13) suite=trixie ;;
testing) suite=testing ;;
*) echo "usage: tools/debian.sh [--chroot | --no-sys-admin] 12|13|testing [MAKE TARGET...]" >&2; exit 2 ;;
esac
release=$1
shift
targets=("${@:-test}")
top=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
root=$(realpath -m "$top/build/debian$release/root")
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
    made=$(date +%s)
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
    # Testing's Release file is valid for a week; a mirror's copy may be older.
    [ "$suite" != testing ] ||
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99zarnik-no-valid-until"
    echo "debootstrap took $(($(date +%s) - made)) s"
fi

# A clean clone of HEAD, as a newcomer makes one.
rm -rf "$root/root/zarnik"
git clone -q --no-hardlinks "$top" "$root/root/zarnik"
git -C "$root/root/zarnik" checkout -q --detach "$(git -C "$top" rev-parse HEAD)"
echo "Debian $release ($suite): make ${targets[*]} in a clean clone of $(git -C "$top" rev-parse --short HEAD)"

start=$(date +%s)
status=0
run=(env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" DISPLAY="${DISPLAY:-}"
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin chroot "$root" make -C /root/zarnik "${targets[@]}")
if [ "$entry" = chroot ]; then
    # The mounts schroot makes, made here, undone when the run ends, whatever
    # is left running in the root (killed first, as schroot ends a session).
    mounts=()
    leave() {
        set +e
        local proc
        for proc in /proc/[0-9]*; do
            [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -KILL "${proc#/proc/}" 2>/dev/null
        done
        sleep 1
        for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
            umount "$root/${mounts[i]}" || echo "debian.sh: $root/${mounts[i]} stays mounted" >&2
        done
    }
    trap leave EXIT
    mount -t proc proc "$root/proc"
    mounts+=(proc)
    for dir in sys dev dev/pts; do
        mount --bind "/$dir" "$root/$dir"
        mounts+=("$dir")
        mount --make-private "$root/$dir"
    done
    mount -t tmpfs tmpfs "$root/dev/shm"
    mounts+=(dev/shm)
    "${run[@]}" || status=$?
else
    # In mount and process namespaces of their own, so that every mount and
    # every process left over goes when the run ends.
    drop=()
    [ "$entry" = namespaces ] || drop=(setpriv --bounding-set -sys_admin)
    unshare --mount --pid --fork --propagation private bash -c '
        root=$1; shift
        mount --bind "$root" "$root"  # a mount point, as / is, for the tests that make mount namespaces
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs tmpfs "$root/dev/shm"
        mount --rbind /sys "$root/sys"
        mount -t tmpfs tmpfs "$root/tmp"
        exec "$@"' debian "$root" ${drop[@]+"${drop[@]}"} "${run[@]}" || status=$?
fi
echo "Debian $release ($suite, $entry): make ${targets[*]} exited $status after $(($(date +%s) - start)) s"
exit "$status"
