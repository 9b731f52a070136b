# What the two Qt builds share, sourced by packaging/windows/build_qt.sh and
# packaging/web/build_qt.sh.

# qt_reuse_or_unpack KIND LABEL: with $cache, $version, $upstream and $prefix
# set. One build of a KIND at a time: the lock is held until the script
# ends, so a second command waits, then finds the first's Qt. Builds of the
# same upstream Qt under another key or Debian revision are removed. A Qt
# built already ends the script, printing its prefix; otherwise the source
# is unpacked as Debian builds it, the upstream source with Debian's patch
# series applied in its order (security fixes among them), into $work/src,
# and the script goes on in $work.
qt_reuse_or_unpack() {
    local kind=$1 label=$2 old
    mkdir -p "$cache/$kind"
    exec 9>"$cache/$kind/.lock"
    flock 9
    for old in "$cache/$kind/$upstream"[+-]*; do
        [[ -e "$old" && "$old" != "$prefix" ]] || continue
        echo "Removing a Qt for $label no longer used: $old" >&2
        rm -rf "$old"
    done
    if [[ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
        echo "Qt $version for $label: reusing $prefix" >&2
        echo "$prefix"
        exit 0
    fi
    work=$cache/$kind/build-${prefix##*/}
    rm -rf "$cache/$kind"/build-* "$prefix.partial"
    mkdir -p "$work"
    cd "$work"
    # Debian's source packages are fetched as a user of their own when apt
    # can; the folder must be theirs to write in.
    chown _apt "$work" 2>/dev/null || true
    apt-get source --download-only "qt6-base=$version" >&2
    dpkg-source --no-check -x qt6-base_"${version#*:}".dsc src >&2
    echo "Debian's patches applied to Qt $version:" >&2
    grep -v '^\s*\(#\|$\)' src/debian/patches/series | sed 's/^/  /' >&2
}
