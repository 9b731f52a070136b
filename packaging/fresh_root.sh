#!/usr/bin/env bash
# Runs set-up commands in a fresh Debian root, as a newcomer on that release
# would: a clean clone of this repository's HEAD, as root, in a minimal
# debootstrap of the release that has nothing else installed.
#
# usage: fresh_root.sh [--this-tree] RELEASE MODE...
#   e.g. fresh_root.sh trixie run test
#
# With --this-tree the root works on this clone itself, bound into it,
# rather than on a clone of its HEAD: its build folders stay here (the
# browser build on Debian 12 runs so).
#
# "run" starts the program headless: still running 10 s later, it passes.
#
# The minimal root is made once and kept in $DENTIVEL_CACHE
# (/var/cache/dentivel by default) as RELEASE-base; it is made again when it
# is more than a week old, or when that folder is removed. Each run works on
# a copy of it, removed afterwards, so every run starts fresh. The packages
# the commands download are kept in RELEASE-archives beside it, so that a
# second run does not fetch them again; apt still checks for newer ones.
# The Windows command's Qt build is kept in qt-windows beside them. Runs at
# the same time share all of these: a lock keeps one from remaking the base
# root while another copies it.
set -euo pipefail

if [[ $EUID -ne 0 ]]; then
    echo "$0: debootstrap and chroot need root" >&2
    exit 1
fi
# The root's mounts are made in a mount namespace of this command's, and
# what runs in the root in a PID namespace of which this script is the
# first process: however the command ends (Ctrl-C, a time limit's SIGKILL,
# the OOM killer), the kernel ends every process in it and every mount goes
# with the last of them. Outside, nothing ever sees a bound clone.
if [[ "${DENTIVEL_FRESH_ROOT:-}" != namespaced ]]; then
    propagation=slave
    # In a chroot (a fresh root's own tests run this), / is no mount of its
    # own and cannot be made a slave: there it is enough that no mount in
    # sight is shared with another namespace, as in a fresh root.
    if ! mountpoint -q /; then
        if grep -q ' shared:' /proc/self/mountinfo; then
            echo "$0: / is no mount point here and mounts are shared: the root's mounts would reach outside" >&2
            exit 1
        fi
        propagation=unchanged
    fi
    DENTIVEL_FRESH_ROOT=namespaced exec unshare --mount --propagation "$propagation" --pid \
        --mount-proc --kill-child bash "$0" "$@"
fi
trap 'exit 130' INT
trap 'exit 143' TERM

this_tree=false
if [[ "${1:-}" == --this-tree ]]; then
    this_tree=true
    shift
fi
if (($# < 2)); then
    echo "usage: $0 [--this-tree] RELEASE run|test|sanitize|coverage|windows|web..." >&2
    exit 2
fi
release=$1
shift

cd "$(dirname "$0")/.."
repo=$PWD
cache=${DENTIVEL_CACHE:-/var/cache/dentivel}
base=$cache/$release-base
archives=$cache/$release-archives
mirror=${DENTIVEL_DEBIAN_MIRROR:-http://deb.debian.org/debian}

source packaging/packages.sh
install_packages root

mkdir -p "$cache" "$archives"
# has_mounts FOLDER: whether anything is mounted at or under it here.
has_mounts() {
    awk -v folder="$1" 'index($2, folder) == 1 { found = 1 } END { exit !found }' /proc/mounts
}
# A run ended by SIGKILL leaves its root behind, without mounts (they died
# with it); its lock, held by every process of that run, is then free.
for old in /var/tmp/dentivel-"$release".*/; do
    old=${old%/}
    [[ -f "$old.lock" ]] || continue
    if flock -n "$old.lock" true && ! has_mounts "$old"; then
        rm -rf --one-file-system "$old" "$old.lock"
    fi
done
# Canonical, as /proc/mounts names it, should /var/tmp be a link.
root=$(realpath "$(mktemp -d "/var/tmp/dentivel-$release.XXXXXX")")
exec 8>"$root.lock"
flock 8
mounts=()
cleanup() {
    local i
    trap '' INT TERM
    # Whatever still runs inside goes first, or it would go on in a root
    # being removed under it: as the namespace's first process, kill -1
    # reaches all the others and nothing outside.
    (($$ != 1)) || kill -9 -1 2>/dev/null || true
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[i]}" 2>/dev/null || true
    done
    # A mount left over would be removed with the root, and a bound clone
    # is on the same file system: then the root stays, and says so.
    if has_mounts "$root"; then
        echo "$0: $root still has mounts; not removing it" >&2
        return
    fi
    rm -rf --one-file-system "$root" "$root.lock"
}
trap cleanup EXIT
(
    flock 9
    if [[ ! -x "$base/bin/bash" ]] || [[ -n "$(find "$base" -maxdepth 0 -mtime +7)" ]]; then
        echo "Making a minimal $release root in $base"
        rm -rf "$base.new"
        # Signed: debootstrap otherwise goes on over plain http where it
        # finds no keyring.
        debootstrap --force-check-gpg --variant=minbase "$release" "$base.new" "$mirror"
        rm -rf "$base"
        mv "$base.new" "$base"
    fi
    cp -a "$base/." "$root/"
) 9>"$base.lock"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The release's security and stable updates, as an installed Debian has:
# the browsers the tests start among them.
cat >>"$root/etc/apt/sources.list" <<EOF
deb $mirror $release-updates main
deb http://security.debian.org/debian-security $release-security main
EOF
bind() {
    mkdir -p "$root$2"
    mount "${@:3}" "$1" "$root$2"
    mounts+=("$root$2")
}
bind proc /proc -t proc
bind sysfs /sys -t sysfs
bind /dev /dev --rbind
# Where the host's /dev is a shared mount (systemd's default), a mount over
# the root's dev/shm would reach the host's own /dev/shm.
mount --make-rslave "$root/dev"
bind tmpfs /dev/shm -t tmpfs
bind tmpfs /run -t tmpfs
bind "$archives" /var/cache/apt/archives --bind
# Qt for Windows and Qt for WebAssembly, once built, are shared with the
# machine's own builds: their folder names tell versions and settings apart.
for qt in qt-windows qt-wasm; do
    mkdir -p "$cache/$qt"
    bind "$cache/$qt" "/var/cache/dentivel/$qt" --bind
done
# apt downloads as its own user, whose number is the root's.
mkdir -p "$archives/partial"
chroot "$root" chown _apt:root /var/cache/apt/archives/partial

if $this_tree; then
    bind "$repo" /root/dentivel --bind
else
    git clone -q "$repo" "$root/root/dentivel"
fi
for mode in "$@"; do
    echo "=== $release: bash packaging/setup.sh $mode"
    start=$SECONDS
    command="bash packaging/setup.sh $mode"
    if [[ "$mode" == run ]]; then
        # A root has no desktop: the program starts headless once built (the
        # command ends by becoming it), and still running 10 s later counts
        # as started.
        command="QT_QPA_PLATFORM=offscreen $command & building=\$!
            while kill -0 \$building 2>/dev/null; do
                for process in /proc/[0-9]*; do
                    [[ \$(readlink \$process/exe) == /root/dentivel/build/dentivel ]] || continue
                    sleep 10
                    kill \${process#/proc/} && echo 'Dentivel started and kept running' && exit 0
                done
                sleep 1
            done
            exit 1"
    fi
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 CI="${CI:-}" DENTIVEL_WARNINGS_AS_ERRORS="${DENTIVEL_WARNINGS_AS_ERRORS:-OFF}" \
        DENTIVEL_APT_LOCK=/var/cache/apt/archives/dentivel.lock \
        /bin/bash -c "cd /root/dentivel && $command"
    echo "=== $release: $mode passed in $((SECONDS - start)) s"
done
