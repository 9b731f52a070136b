#!/usr/bin/env bash
# A fresh root killed with SIGKILL while it works on a clone bound into it
# (--this-tree, as the browser build on Debian 12 runs): nothing of it stays
# mounted, and removing what it left, as a contributor would tidy
# /var/tmp, leaves the clone whole. The root is a stand-in of host
# programs whose env waits, so that no debootstrap is needed.
# usage: fresh_root_killed.sh SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/../support/check.sh"
[[ $EUID -eq 0 ]] || skip "mounting a root needs root"
need unshare chroot git ldd

release=killcheck$$
work=$(mktemp -d /var/tmp/dentivel-check.XXXXXX)
runner=
finish() {
    local mount
    [[ -z $runner ]] || kill -9 "$runner" 2>/dev/null || true
    # Where the mounts outlived the command (the fault this checks), none
    # stays for a later tidying to remove through.
    for mount in $(awk -v root="/var/tmp/dentivel-$release." 'index($2, root) == 1 { print $2 }' \
        /proc/mounts | sort -r); do
        umount -l "$mount"
    done
    rm -rf --one-file-system "$work"
}
trap finish EXIT
git clone -q "$1" "$work/clone"
# The script as it is in the tree under test, committed or not.
cp "$1/packaging/fresh_root.sh" "$work/clone/packaging/"
before=$(git -C "$work/clone" status --porcelain)
base=$work/cache/$release-base
mkdir -p "$base/usr/bin" "$base/etc/apt"
ln -s usr/bin "$base/bin"
for program in bash sleep chown; do
    cp "$(command -v "$program")" "$base/usr/bin/"
    for library in $(ldd "$(command -v "$program")" | grep -o '/[^ ]*'); do
        mkdir -p "$base$(dirname "$library")" && cp -n "$library" "$base$library"
    done
done
cp /etc/passwd /etc/group "$base/etc/"
printf '#!/bin/bash\n: >/root/dentivel/inside\nexec sleep 600\n' >"$base/usr/bin/env"
chmod +x "$base/usr/bin/env"

DENTIVEL_CACHE=$work/cache setsid bash "$work/clone/packaging/fresh_root.sh" --this-tree "$release" run \
    >"$work/log" 2>&1 &
runner=$!
for _ in $(seq 300); do
    [[ -e "$work/clone/inside" ]] && break
    kill -0 "$runner" 2>/dev/null || fail "fresh_root.sh ended before working in the root: $(cat "$work/log")"
    sleep 0.1
done
[[ -e "$work/clone/inside" ]] || fail "the root never started: $(cat "$work/log")"
kill -9 "$runner"
wait "$runner" 2>/dev/null || true
sleep 1
if grep -q "/var/tmp/dentivel-$release\." /proc/mounts; then
    fail "mounts left after SIGKILL: $(grep "/var/tmp/dentivel-$release\." /proc/mounts)"
fi
rm -rf --one-file-system /var/tmp/dentivel-"$release".*
[[ -f "$work/clone/packaging/fresh_root.sh" && -d "$work/clone/.git" ]] ||
    fail "the bound clone went with the leftover root"
rm "$work/clone/inside"
[[ "$(git -C "$work/clone" status --porcelain)" == "$before" ]] ||
    fail "the clone changed: $(git -C "$work/clone" status --short)"
echo "killed with SIGKILL in the root: no mount left, the bound clone intact after removing the leftover"
